#include "grid.h"

#include <QtGlobal>

void Grid::reset(int lines)
{
    std::array<QString, kLastColumn + 1> blank;
    blank.fill(kFullWidthSpace);
    lines_.assign(std::size_t(qMax(lines, 0)) + 1, blank);
}

const QString &Grid::at(int line, int column) const
{
    static const QString empty;
    if (!contains(line, column))
        return empty;
    return lines_[std::size_t(line)][std::size_t(column)];
}

QString &Grid::cell(int line, int column)
{
    if (!contains(line, column)) {
        qWarning("Grid: a write at line %d, column %d is outside the grid and is refused", line, column);
        discarded_.clear();
        return discarded_;
    }
    return lines_[std::size_t(line)][std::size_t(column)];
}

QString Grid::row(int line, int first, int last) const
{
    QString joined;
    for (int column = first; column <= last; ++column)
        joined += at(line, column);
    return joined;
}
