#include "translation.h"

#include "conversion.h"
#include "platform/textcodec.h"

namespace {

// The passes that turn the line being translated into braille, in the order
// they must run: each pass relies on what the earlier ones left in the grids.
// Every question about a column is answered by the answer table.
class LinePasses
{
public:
    LinePasses(Module1 &m, AnswerTable &answers, int length)
        : m_(m), code_(m.codeTable), keys_(m.keyTables), answers_(answers), length_(length)
    {}

    void run()
    {
        joinSmallHiragana();
        applyCodeRows();
        padVoicedHiragana();
        convertDigits();
        ConvertLetters(m_.CharGrid, m_.CellGrid, m_.TextGrid, answers_, keys_.UpperLetters, keys_.LowerLetters,
                       keys_.LetterPatterns, code_.CodePatterns);
        detectKatakana();
        if (m_.KatakanaSeen) {
            joinSmallKatakana();
            applyKatakanaRows();
            padVoicedKatakana();
        }
    }

private:
    const Answers &at(int column) const { return answers_.answers(m_.CharGrid.at(column)); }

    // Joins the small kana at the column to the syllable on its left, in the
    // braille too when asked, and closes the gap.
    void joinLeft(int column, int joined, bool withCells)
    {
        m_.CharGrid.set(column - 1, joined);
        m_.TextGrid.appendColumn(column - 1, column);
        if (withCells)
            m_.CellGrid.appendColumn(column - 1, column);
        tumeru(m_.CharGrid, m_.TextGrid, m_.CellGrid, column);
    }

    int joinedAt(int column) { return answers_.joined(m_.CharGrid.at(column - 1), m_.CharGrid.at(column)); }

    // After a join the column holds the next character, which is compared
    // with the remaining small kana only. A small kana in column 1 has no
    // syllable to join and stays a cell of its own.
    void joinSmallHiragana()
    {
        for (int column = 2; column <= length_; ++column) {
            // Only a join changes the column, and only a small kana joins.
            if (!at(column).smallHiragana)
                continue;
            for (int k = 1; k <= 8; ++k) {
                if (!(at(column).smallHiragana & (1u << k)))
                    continue;
                // A pair that no code row knows would lose the braille of
                // both characters; the small kana then keeps its own row.
                const int joined = joinedAt(column);
                if (!answers_.answers(joined).codeKey)
                    continue;
                joinLeft(column, joined, false);
            }
        }
    }

    void applyCodeRows()
    {
        for (int column = 1; column <= length_; ++column) {
            const int row = at(column).codeRow;
            if (row > 0)
                m_.CellGrid.assign(column, code_.CodePatterns[row]);
        }
    }

    // The two-cell braille of a voiced syllable comes from the code table;
    // the text needs one "　" more to stay above it.
    void padVoicedHiragana()
    {
        for (int column = 1; column <= length_; ++column) {
            for (int n = at(column).voicedHiraganaPads; n > 0; --n)
                m_.TextGrid.append(column, kFullWidthSpace);
        }
    }

    void convertDigits()
    {
        for (int column = 1; column <= length_; ++column) {
            if (!at(column).digits)
                continue;
            for (int d = 0; d <= 9; ++d) {
                if (at(column).digits & (1u << d))
                    convertDigit(column, d);
            }
        }
    }

    // A number starts with the numeral sign unless a digit, the number
    // continuation or the comma stands before it; it ends with the connector
    // when a syllable that reads like a digit follows it directly.
    void convertDigit(int column, int d)
    {
        const Answers &left = at(column - 1);
        if (left.digit < 0 && !left.row10 && !left.row1) {
            m_.TextGrid.assign(column, kFullWidthSpace);
            m_.TextGrid.append(column, keys_.DigitChars[d]);
            m_.CellGrid.assign(column, code_.CodePatterns[CodeRow::NumeralSign]);
            m_.CellGrid.append(column, keys_.DigitPatterns[d]);
        } else {
            m_.TextGrid.assign(column, keys_.DigitChars[d]);
            m_.CellGrid.assign(column, keys_.DigitPatterns[d]);
        }

        const Answers &right = at(column + 1);
        if (right.digitLikeKana)
            m_.ConnectorNeeded = true;
        if (m_.ConnectorNeeded && right.digit < 0 && !right.row10 && !right.row1 && !right.space) {
            m_.TextGrid.append(column, kFullWidthSpace);
            m_.CellGrid.append(column, code_.CodePatterns[CodeRow::Connector]);
        }
        m_.ConnectorNeeded = false;
    }

    // Once raised, the flag stays for the whole translation, so the search
    // can stop there.
    void detectKatakana()
    {
        for (int column = 1; column <= length_ && !m_.KatakanaSeen; ++column)
            m_.KatakanaSeen = at(column).katakana;
    }

    // Unlike the hiragana join, this one joins the braille too, and looks at
    // the shown columns whatever the line's length; column 1 stays as it is.
    void joinSmallKatakana()
    {
        for (int column = 2; column <= LineColumns::kShown; ++column) {
            if (!at(column).smallKatakana)
                continue;
            for (int k = 1; k <= 8; ++k) {
                if (at(column).smallKatakana & (1u << k))
                    joinLeft(column, joinedAt(column), true);
            }
        }
    }

    void applyKatakanaRows()
    {
        for (int column = 1; column <= LineColumns::kShown; ++column) {
            const int row = at(column).katakanaRow;
            if (row > 0)
                m_.CellGrid.assign(column, code_.CodePatterns[row]);
        }
    }

    void padVoicedKatakana()
    {
        for (int column = 1; column <= length_; ++column) {
            for (int n = at(column).voicedKatakanaPads; n > 0; --n)
                m_.TextGrid.append(column, kFullWidthSpace);
        }
    }

    Module1 &m_;
    const CodeTable &code_;
    const KeyTables &keys_;
    AnswerTable &answers_;
    const int length_;
};

// Takes the table into the state and builds the key tables, before the
// answer table is made from them.
const Module1 &prepared(Module1 &m, const CodeTable &table)
{
    m.codeTable = table;
    m.BuildTables();
    return m;
}

} // namespace

QStringList listEntries(const Translation &translation)
{
    QStringList entries;
    entries.reserve(2 * translation.size());
    for (const TranslatedLine &line : translation) {
        if (line.tooLong)
            entries.append(kLongLineWarning);
        entries.append(line.text);
        entries.append(line.braille);
    }
    return entries;
}

void Showlist(const StringLine &cellGrid, const StringLine &textGrid, TranslatedLine &line)
{
    line.text.resize(0);
    line.braille.resize(0);
    textGrid.appendRow(line.text);
    cellGrid.appendRow(line.braille);
}

LineTranslator::LineTranslator(const CodeTable &table)
    : answers_(prepared(m_, table).codeTable, m_.keyTables)
{}

void LineTranslator::translate(QStringView text, TranslatedLine &line)
{
    ++m_.LineCount;
    m_.CurrentLine = text;
    m_.resetGrids();

    // Split: one character (code point) per column, at most 40 columns; the
    // length counts every character.
    int length = 0;
    int columns = 0;
    for (qsizetype i = 0; i < text.size(); ++length) {
        const qsizetype n =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        if (columns < LineColumns::kLast) {
            ++columns;
            const QStringView character = text.sliced(i, n);
            m_.CharGrid.set(columns, answers_.symbol(character));
            m_.TextGrid.assign(columns, character);
        }
        i += n;
    }
    line.tooLong = length > LineColumns::kShown;

    LinePasses(m_, answers_, columns).run();
    Showlist(m_.CellGrid, m_.TextGrid, line);
    m_.CurrentLine = QStringView();
}

Translation translateText(const CodeTable &table, QStringView text)
{
    LineTranslator translator(table);
    Translation translation;
    // Each line is translated into its own place, so its rows are made once.
    forEachLine(text, [&](QStringView source) { translator.translate(source, translation.emplace_back()); });
    return translation;
}
