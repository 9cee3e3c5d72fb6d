#pragma once

#include "answertable.h"
#include "conversion.h"
#include "mixedtext.h"
#include "translateddocument.h"
#include "tables/codetable.h"
#include "tables/module1.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <vector>

// The list entry that stands before the rows of a line longer than a shown row.
inline const QString kLongLineWarning = QStringLiteral("１行の文字数が30文字を越えています。");

// One source line translated: its text row over its braille row, each the
// columns 1..30 of its grid joined, and whether the line has more characters
// than a row shows.
struct TranslatedLine
{
    QString text;
    QString braille;
    bool tooLong = false;

    bool operator==(const TranslatedLine &) const = default;
};

// The lines of a translation, in order.
using Translation = QList<TranslatedLine>;

// The document's lines as the list shows them: the warning before a line
// that is too long, then its text row and its braille row.
QStringList listEntries(const Translation &translation);

// Builds the rows of the line being translated from its grids.
void Showlist(const StringLine &cellGrid, const StringLine &textGrid, TranslatedLine &line);

// The grade a new LineTranslator writes English phrases in: the program's
// setting, which the main window sets; grade 1 until then.
EnglishGrade defaultEnglishGrade();
void setDefaultEnglishGrade(EnglishGrade grade);

// Translates a document one line after the other. Only whether a katakana
// has been seen carries from one line to the next; the grids and the buffers
// are reused, so memory does not grow with the document.
class LineTranslator
{
public:
    // Takes the code table and builds the key tables (BuildTables), which
    // also clears KatakanaSeen.
    explicit LineTranslator(const CodeTable &table);
    LineTranslator(const LineTranslator &) = delete;
    LineTranslator &operator=(const LineTranslator &) = delete;

    // Translates the next line into `line`, whose strings are reused.
    // Characters are counted by code point; the grids hold them all, and
    // the rows show the first 30 columns. Half-width forms are read as
    // full-width ones (normalizeInputForms), and hiragana ゔ as ヴ.
    void translate(QStringView text, TranslatedLine &line);
    // Translates the next line and builds no rows, nor the text grid (it
    // stays blank): for appendWholeBraille and appendWholeBrailleUtf8 alone.
    // The cells do not depend on the text grid.
    void translateCells(QStringView text);
    // Translates the next line and appends it whole to the document.
    void translate(QStringView text, TranslatedDocument &document);

    // Lines translated by every translator of the process: the readers of a
    // translation show with it that they did not translate again.
    static qint64 linesTranslated();

    // English phrases inside 外国語引用符: uncontracted unless told.
    void setEnglishGrade(EnglishGrade grade) { englishGrade_ = grade; }

    // Appends the braille of the whole line last translated: the cells of
    // every column, blank cells as U+2800 (also where a column has none),
    // and no blank cells at the end.
    void appendWholeBraille(QString &braille) const;
    // The same cells, appended as UTF-8 straight from the grid.
    void appendWholeBrailleUtf8(QByteArray &braille) const;
    // Translates the next line and appends its whole braille as UTF-8, the
    // bytes translateCells and appendWholeBrailleUtf8 give. A long line is
    // translated a stretch at a time, cut only between kana that no rule
    // reads together with what stands beside them, so that its grids stay
    // the size of a stretch and in the cache; state() then holds the last
    // stretch.
    void appendLineBrailleUtf8(QStringView text, QByteArray &braille);
    // The same for a line handed in parts, one after the other, `endsLine`
    // on its last: appends the braille of what it can translate so far,
    // which joined up is the braille appendLineBrailleUtf8 gives the line.
    // What carries from part to part is the text after the last cut, the
    // brackets open there and the blank cells at the end of the braille so
    // far; before the line's first katakana, also the stretches whose braille
    // a katakana would change, and their braille (see LinePartState).
    void appendPartBrailleUtf8(QStringView part, bool endsLine, QByteArray &braille);
    // The characters a stretch has at least (lines of up to twice as many
    // are translated whole); tests make it small.
    void setLongLineStretch(qsizetype characters) { stretch_ = qMax<qsizetype>(characters, 8); }

    // The characters of the lines so far that have no braille, each once,
    // in the order they first came.
    const QStringList &charactersWithoutBraille() const { return withoutBraille_; }

    // The grids and flags of the line last translated, and what its
    // character grid holds at a column.
    const Module1 &state() const { return m_; }
    QString charAt(int column) const { return answers_.text(m_.CharGrid.at(column)).toString(); }

private:
    // Runs the passes over the line; true when it has more columns than a
    // row shows.
    bool translateLine(QStringView text, bool newLine = true);
    // Whether a long line may be cut before this character (appendLineBrailleUtf8).
    bool isQuietKana(char16_t c)
    {
        if (!((c >= 0x3041 && c <= 0x3093) || (c >= 0x30A1 && c <= 0x30F4)))
            return false;
        const quint8 known = quietKana_[std::size_t(c - 0x3041)];
        return known ? known == 1 : askQuietKana(c);
    }
    bool askQuietKana(char16_t c);
    // Where the stretch that starts at linePart_.from ends, looked for from
    // linePart_.scanned on; 0 while none is in the text so far.
    qsizetype nextCut();
    // Translates a stretch of the line in parts and hands its braille on.
    void translateStretch(QStringView stretch, QByteArray &braille);
    // Whether, had a katakana come before it, the katakana passes would
    // act on the stretch last translated.
    bool katakanaPassesWouldAct() const;
    // Holds back the blank cells at the end of the braille appended from
    // `start` on until a cell follows them, which gets those held before:
    // the line's last are left out.
    void settleBlanks(QByteArray &braille, qsizetype start);
    // Takes back the characters reported since there were `count`.
    void forgetReportsFrom(qsizetype count);
    void appendBraille(QString &braille, bool trimmed) const;
    void appendBrailleUtf8(QByteArray &braille, bool trimmed) const;
    void applyStandardRules();
    void noteCharactersWithoutBraille();

    Module1 m_;
    AnswerTable answers_;
    LetterSigns letterSigns_; // from m_'s code table, which stays as it is
    // Reused from line to line.
    QString normalized_;
    std::vector<SignKinds> kinds_;
    std::vector<ColumnEdit> edits_;
    std::vector<int> joinedColumns_;
    // The columns of small hiragana, of digits and of letters, before joins;
    // the line's are at the front.
    std::vector<int> smallHiragana_;
    std::vector<int> digitColumns_;
    std::vector<int> letterColumns_;
    std::vector<MixedUnit> units_;
    EnglishGrade englishGrade_ = defaultEnglishGrade();
    // Where in the line each column's characters start; joins close it up
    // with the grids.
    std::vector<int> sourceStarts_;
    qsizetype sourceLength_ = 0;
    // Translating the cells alone (translateCells): no text grid, no places
    // in the source.
    bool cellsOnly_ = false;
    // Columns the line last translated fills once its small kana are joined.
    int columns_ = 0;
    QString blankCell_;
    mutable std::vector<char16_t> row_; // the cells of the row written last (appendBrailleUtf8)
    QString scratch_; // reused by the standard rules
    std::vector<bool> reported_; // by symbol
    qsizetype stretch_ = 4096;
    // What a line handed in parts carries from one part to the next.
    struct LinePartState
    {
        bool started = false; // the line has been counted
        QString rest;         // from the start of the stretch not translated yet
        qsizetype from = 0;   // where that stretch starts in rest
        qsizetype scanned = 0;
        // At `scanned`: the quiet kana just before, the brackets open, and
        // whether a typed ⠠⠦ is open, with where its ⠠⠴ may start.
        int quiet = 0;
        int quotes = 0;
        int parens = 0;
        bool typedSpan = false;
        qsizetype typedSpanClose = 0;
        qsizetype blanks = 0; // held back by settleBlanks
        // Before the line's first katakana, from the first stretch whose
        // braille a katakana would change: the stretches, their braille and
        // how many characters had been reported before them. Translated
        // again once a katakana comes, handed on as they are at the end.
        bool holding = false;
        QString held;
        std::vector<qsizetype> heldLengths;
        QByteArray heldBraille;
        qsizetype heldReports = 0;
    };
    LinePartState linePart_;
    // By kana from U+3041: 0 not asked yet, 1 quiet, 2 not (isQuietKana).
    std::array<quint8, 0x30F5 - 0x3041> quietKana_{};
    QStringList withoutBraille_;
};

// THE translation of a document's text, for every caller: CR LF, a lone CR
// and a lone LF each end a line, and a final line end makes no extra line.
// The characters that have no braille are added to `withoutBraille`, when
// given, each once.
Translation translateText(const CodeTable &table, QStringView text, QStringList *withoutBraille = nullptr);

