#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// Braille cells are Unicode braille characters U+2800..U+28FF; the low six
// bits of the character are the dots, dot d being bit d - 1.
namespace BrailleCells {

inline constexpr char16_t kBlank = 0x2800;

inline bool isCell(QChar c)
{
    return c.unicode() >= 0x2800 && c.unicode() <= 0x28FF;
}

// The six dots of a cell as the mask Σ 2^(dot−1), 0..63.
inline int mask(QChar cell)
{
    return (cell.unicode() - 0x2800) & 0x3F;
}

inline QChar fromMask(int mask)
{
    return QChar(char16_t(0x2800 + (mask & 0x3F)));
}

inline bool isBlank(QChar c)
{
    return c.unicode() == kBlank;
}

// The line without its blank cells at the end.
inline QString withoutTrailingBlanks(QStringView line)
{
    qsizetype end = line.size();
    while (end > 0 && isBlank(line[end - 1]))
        --end;
    return line.first(end).toString();
}

// The cell as written from the back of the paper with a slate and stylus:
// dots 1, 2, 3 change places with 4, 5, 6.
inline QChar mirrored(QChar cell)
{
    const int m = mask(cell);
    return fromMask(((m & 0x07) << 3) | ((m >> 3) & 0x07));
}

// A line of a page `cells` wide as written from the back: right to left,
// every cell mirrored, padded with blanks to the page width.
inline QString mirroredLine(QStringView line, int cells)
{
    QString result(qMax<qsizetype>(cells, line.size()), QChar(kBlank));
    const qsizetype width = result.size();
    for (qsizetype i = 0; i < line.size(); ++i)
        result[width - 1 - i] = mirrored(line[i]);
    return result;
}

} // namespace BrailleCells
