#include "translateddocument.h"

#include "platform/textcodec.h"
#include "tables/linegrids.h"
#include "translation.h"

#include <algorithm>

namespace {

const QChar kBlankCell(0x2800);
const QChar kUnfilledColumn(u'　');

// At least as many as the lines a text has by forEachLine's rule (a CR LF
// counts twice), to make room once: a plain count, which the compiler runs
// over many characters at a time.
qsizetype lineCountBound(QStringView text)
{
    qsizetype ends = 0;
    for (const QChar c : text)
        ends += int(c == u'\n') + int(c == u'\r');
    return ends + 1;
}

} // namespace

qsizetype TranslatedDocument::textEnd(qsizetype line) const
{
    const qsizetype next = line + 1 < lineCount() ? lines_[std::size_t(line + 1)].textStart : text_.size();
    return next - lines_[std::size_t(line)].textTail;
}

qsizetype TranslatedDocument::brailleEnd(qsizetype line) const
{
    const qsizetype next = line + 1 < lineCount() ? lines_[std::size_t(line + 1)].brailleStart : braille_.size();
    return next - lines_[std::size_t(line)].brailleTail;
}

QStringView TranslatedDocument::textRow(qsizetype line) const
{
    const qsizetype start = lines_[std::size_t(line)].textStart;
    return QStringView(text_).sliced(start, textEnd(line) - start);
}

QStringView TranslatedDocument::brailleRow(qsizetype line) const
{
    const qsizetype start = lines_[std::size_t(line)].brailleStart;
    return QStringView(braille_).sliced(start, brailleEnd(line) - start);
}

namespace {

// A shown row: the first columns of the line's characters, then the tail
// that fills the columns past the line, then the unfilled columns.
QString shownRow(QStringView shown, QStringView tail, int unfilled)
{
    QString row;
    row.reserve(shown.size() + tail.size() + unfilled);
    row.append(shown);
    row.append(tail);
    row.append(QString(unfilled, kUnfilledColumn));
    return row;
}

} // namespace

QString TranslatedDocument::shownTextRow(qsizetype line) const
{
    const Line &l = lines_[std::size_t(line)];
    const int missing = kShownColumns - std::min<int>(int(l.columnCount), kShownColumns);
    return shownRow(QStringView(text_).sliced(l.textStart, l.shownTextLength),
                    QStringView(text_).sliced(textEnd(line), l.textTail), missing - l.tailColumns);
}

QString TranslatedDocument::shownBrailleRow(qsizetype line) const
{
    const Line &l = lines_[std::size_t(line)];
    const int missing = kShownColumns - std::min<int>(int(l.columnCount), kShownColumns);
    return shownRow(QStringView(braille_).sliced(l.brailleStart, l.shownBrailleLength),
                    QStringView(braille_).sliced(brailleEnd(line), l.brailleTail), missing - l.tailColumns);
}

qsizetype TranslatedDocument::shownRowLength(qsizetype line) const
{
    const Line &l = lines_[std::size_t(line)];
    const int missing = kShownColumns - std::min<int>(int(l.columnCount), kShownColumns);
    return qsizetype(std::max(l.shownTextLength, l.shownBrailleLength)) + missing;
}

std::pair<qsizetype, qsizetype> TranslatedDocument::sizeOf(std::size_t index) const
{
    const ColumnSize size = columns_[index];
    if (size.source != kWide)
        return {size.source, size.cells};
    const auto wide = std::lower_bound(wideColumns_.begin(), wideColumns_.end(), index,
                                       [](const WideColumn &column, std::size_t at) { return column.index < at; });
    return {wide->source, wide->cells};
}

TranslatedDocument::Column TranslatedDocument::column(qsizetype line, int index) const
{
    const Line &l = lines_[std::size_t(line)];
    Column column;
    for (int i = 0;; ++i) {
        const auto [source, cells] = sizeOf(l.columnStart + std::size_t(i));
        if (i == index) {
            column.sourceLength = source;
            column.cellLength = cells;
            return column;
        }
        column.sourceStart += source;
        column.cellStart += cells;
    }
}

namespace {

// The first column of a line for which found(column) holds, or an empty one.
template <typename Found, typename SizeOf>
TranslatedDocument::Column findColumn(std::size_t first, std::uint32_t count, SizeOf sizeOf, Found found)
{
    TranslatedDocument::Column column;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto [source, cells] = sizeOf(first + i);
        column.sourceLength = source;
        column.cellLength = cells;
        if (found(column))
            return column;
        column.sourceStart += source;
        column.cellStart += cells;
    }
    return TranslatedDocument::Column{column.sourceStart, 0, column.cellStart, 0};
}

} // namespace

TranslatedDocument::Column TranslatedDocument::columnOfCell(qsizetype line, qsizetype cell) const
{
    const Line &l = lines_[std::size_t(line)];
    return findColumn(l.columnStart, l.columnCount, [this](std::size_t i) { return sizeOf(i); },
                      [cell](const Column &c) { return cell >= c.cellStart && cell < c.cellStart + c.cellLength; });
}

TranslatedDocument::Column TranslatedDocument::columnOfSource(qsizetype line, qsizetype source) const
{
    const Line &l = lines_[std::size_t(line)];
    return findColumn(l.columnStart, l.columnCount, [this](std::size_t i) { return sizeOf(i); },
                      [source](const Column &c) {
                          return source >= c.sourceStart && source < c.sourceStart + c.sourceLength;
                      });
}

QString TranslatedDocument::brailleLine(qsizetype line) const
{
    QString cells = brailleRow(line).toString();
    cells.replace(kUnfilledColumn, kBlankCell);
    qsizetype end = cells.size();
    while (end > 0 && cells[end - 1] == kBlankCell)
        --end;
    cells.truncate(end);
    return cells;
}

QStringList TranslatedDocument::brailleLines() const
{
    QStringList lines;
    lines.reserve(lineCount());
    for (qsizetype line = 0; line < lineCount(); ++line)
        lines.append(brailleLine(line));
    return lines;
}

// Inline: it runs for every column of the document.
inline void TranslatedDocument::appendColumn(qsizetype source, qsizetype cells)
{
    if (source < kWide && cells < kWide) {
        columns_.push_back(ColumnSize{std::uint8_t(source), std::uint8_t(cells)});
        return;
    }
    wideColumns_.push_back(WideColumn{columns_.size(), source, cells});
    columns_.push_back(ColumnSize{kWide, kWide});
}

namespace {

bool isUnfilled(QStringView column)
{
    return column.size() == 1 && column[0] == kUnfilledColumn;
}

} // namespace

void TranslatedDocument::appendLine(const StringLine &textGrid, const StringLine &cellGrid,
                                    const std::vector<int> &sourceStarts, qsizetype sourceLength, int columns,
                                    bool tooLong)
{
    Line line;
    line.textStart = text_.size();
    line.brailleStart = braille_.size();
    line.columnStart = columns_.size();
    line.columnCount = std::uint32_t(columns);
    line.tooLong = tooLong;
    // The list shows the first columns only; where they end is kept.
    const int shown = std::min(columns, kShownColumns);
    // One walk over the columns counts the rows' sizes, so that each row
    // grows once and its strings are copied straight into it.
    qsizetype textLength = 0;
    qsizetype cellCount = 0;
    for (int column = 1; column <= columns; ++column) {
        const qsizetype cells = cellGrid.at(column).size();
        const qsizetype sourceEnd = column < columns ? sourceStarts[std::size_t(column + 1)] : sourceLength;
        appendColumn(sourceEnd - sourceStarts[std::size_t(column)], cells);
        textLength += textGrid.at(column).size();
        cellCount += cells;
        if (column == shown) {
            line.shownTextLength = std::uint32_t(textLength);
            line.shownBrailleLength = std::uint32_t(cellCount);
        }
    }
    // The shown columns past the line's own read as "　", but for a cell
    // that a join left behind: those are kept after the row.
    int tailEnd = columns;
    for (int column = columns + 1; column <= kShownColumns; ++column) {
        if (!isUnfilled(textGrid.at(column)) || !isUnfilled(cellGrid.at(column)))
            tailEnd = column;
    }
    qsizetype textTail = 0;
    qsizetype brailleTail = 0;
    for (int column = columns + 1; column <= tailEnd; ++column) {
        textTail += textGrid.at(column).size();
        brailleTail += cellGrid.at(column).size();
    }
    line.textTail = std::uint16_t(textTail);
    line.brailleTail = std::uint16_t(brailleTail);
    line.tailColumns = std::uint8_t(tailEnd - columns);

    // copyRow writes a few characters past the row, which are cut off.
    const auto appendColumns = [&](const StringLine &grid, QString &row, qsizetype length) {
        const qsizetype start = row.size();
        row.resize(start + length + StringLine::kCopySlack);
        grid.copyRow(1, tailEnd, reinterpret_cast<char16_t *>(row.data()) + start);
        row.truncate(start + length);
    };
    appendColumns(textGrid, text_, textLength + textTail);
    appendColumns(cellGrid, braille_, cellCount + brailleTail);
    lines_.push_back(line);
}

TranslatedDocument translateDocument(const CodeTable &table, QStringView text, bool editorLines)
{
    LineTranslator translator(table);
    TranslatedDocument document;
    // Room for the usual document at once: most characters make one column
    // and one or two cells, so the rows do not grow while they fill. A row
    // that grew would be copied, and where the allocator takes it from its
    // heap the old one stays in memory as a hole as large as the text.
    document.lines_.reserve(std::size_t(lineCountBound(text)));
    document.columns_.reserve(std::size_t(text.size()));
    document.text_.reserve(2 * text.size() + 64);
    document.braille_.reserve(2 * text.size() + 64);
    // The room left over is never touched, so it takes no memory.
    forEachLine(text, [&](QStringView source) { translator.translate(source, document); });
    if (editorLines && (text.isEmpty() || text.back() == u'\n' || text.back() == u'\r'))
        translator.translate(QStringView(), document);
    document.withoutBraille_ = translator.charactersWithoutBraille();
    return document;
}
