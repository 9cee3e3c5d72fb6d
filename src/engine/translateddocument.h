#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <utility>
#include <vector>

struct CodeTable;
class StringLine;

// A translation kept whole, for every reader of it (the list, printing, the
// page view, braille files): for every source line its text row over its
// braille row with every column, and for every column which characters of
// the line made which cells. Rows of all lines live in two strings and the
// columns in one array, so a long document costs a few bytes a character.
class TranslatedDocument
{
public:
    // A column of a line: the characters of the line (as read, after
    // half-width forms became full-width) that made it, and its cells in
    // the line's braille row. The text row stands slot for slot over it.
    struct Column
    {
        qsizetype sourceStart = 0;
        qsizetype sourceLength = 0;
        qsizetype cellStart = 0;
        qsizetype cellLength = 0;
    };

    // Columns of a row that the list shows and the printout prints.
    static constexpr int kShownColumns = 30;

    qsizetype lineCount() const { return qsizetype(lines_.size()); }
    bool isEmpty() const { return lines_.empty(); }

    // The whole rows of a line (from 0): every column, none added.
    QStringView textRow(qsizetype line) const;
    QStringView brailleRow(qsizetype line) const;
    // Columns 1..30 of a row, with a "　" for every column the line lacks.
    QString shownTextRow(qsizetype line) const;
    QString shownBrailleRow(qsizetype line) const;
    // More columns than a shown row holds: the list warns before its rows.
    bool isTooLong(qsizetype line) const { return lines_[std::size_t(line)].tooLong; }
    // Characters of the longer of the two shown rows of a line.
    qsizetype shownRowLength(qsizetype line) const;

    int columnCount(qsizetype line) const { return int(lines_[std::size_t(line)].columnCount); }
    Column column(qsizetype line, int index) const;
    // The column that holds a cell of the line's braille row, or that a
    // character of the line (as read) went into; cellLength 0 and
    // sourceLength 0 when none does. Walks the line once, so a caret or a
    // click on a long line costs one pass, not one per column.
    Column columnOfCell(qsizetype line, qsizetype cell) const;
    Column columnOfSource(qsizetype line, qsizetype source) const;

    // The line as a braille page holds it: blank cells U+2800, none at the end.
    QString brailleLine(qsizetype line) const;
    QStringList brailleLines() const;

    // The characters of the text that have no braille, each once.
    const QStringList &charactersWithoutBraille() const { return withoutBraille_; }

private:
    friend class LineTranslator;
    friend TranslatedDocument translateDocument(const CodeTable &table, QStringView text, bool editorLines);

    struct Line
    {
        qsizetype textStart = 0;
        qsizetype brailleStart = 0;
        std::uint32_t shownTextLength = 0;
        std::uint32_t shownBrailleLength = 0;
        std::size_t columnStart = 0;
        std::uint32_t columnCount = 0;
        // What the shown columns past the line's own hold besides "　" (the
        // cell a join left behind), kept after the row.
        std::uint16_t textTail = 0;    // characters
        std::uint16_t brailleTail = 0; // characters
        std::uint8_t tailColumns = 0;
        bool tooLong = false;
    };
    // How many characters made a column and how many cells it has; almost
    // every column fits a byte each, the few others are kept aside.
    struct ColumnSize
    {
        std::uint8_t source = 0;
        std::uint8_t cells = 0;
    };
    static constexpr std::uint8_t kWide = 255;
    struct WideColumn
    {
        std::size_t index = 0;
        qsizetype source = 0;
        qsizetype cells = 0;
    };
    void appendColumn(qsizetype source, qsizetype cells);
    // Appends a line from the grids it was translated in: columns 1..columns
    // are its own, column c holds the characters of the line from
    // sourceStarts[c] (the last column's end at sourceLength).
    void appendLine(const StringLine &textGrid, const StringLine &cellGrid, const std::vector<int> &sourceStarts,
                    qsizetype sourceLength, int columns, bool tooLong);
    // Characters and cells of the column at an index of columns_.
    std::pair<qsizetype, qsizetype> sizeOf(std::size_t index) const;

    qsizetype textEnd(qsizetype line) const;
    qsizetype brailleEnd(qsizetype line) const;

    QString text_;
    QString braille_;
    std::vector<Line> lines_;
    std::vector<ColumnSize> columns_;
    std::vector<WideColumn> wideColumns_;
    QStringList withoutBraille_;
};

// The translation of a document's text kept whole; lines end as in
// translateText, and the two give the same shown rows. For an editor's text
// (editorLines) the last line counts even when it is empty: an empty text is
// one empty line, and a text that ends in a line end has one more.
TranslatedDocument translateDocument(const CodeTable &table, QStringView text, bool editorLines = false);
