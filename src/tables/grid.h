#pragma once

#include <QString>

#include <array>
#include <vector>

// A grid of strings indexed (line, column), columns 0..40. Line 0 and column 0
// are never shown. The grid holds as many lines as the text being translated,
// so no document is refused for its length.
class Grid
{
public:
    static constexpr int kLastColumn = 40;
    // A shown or printed row is the concatenation of columns 1..30.
    static constexpr int kShownColumns = 30;

    // Lines 0..lines, every cell "　" (full-width space), so that nothing of
    // an earlier translation can show through.
    void reset(int lines);

    // The highest line index the grid holds.
    int lastLine() const { return int(lines_.size()) - 1; }
    bool contains(int line, int column) const
    {
        return line >= 0 && line <= lastLine() && column >= 0 && column <= kLastColumn;
    }

    // Outside the grid a cell reads as the empty string: a look-up may ask
    // about the column after the last one.
    const QString &at(int line, int column) const;
    // A write outside the grid is refused with a warning, in every build:
    // it goes to a scratch cell that nothing reads.
    QString &cell(int line, int column);

    // Columns first..last of the line joined without separators.
    QString row(int line, int first = 1, int last = kShownColumns) const;

private:
    std::vector<std::array<QString, kLastColumn + 1>> lines_;
    QString discarded_;
};

// The full-width space that fills reset cells and pads the text row.
inline const QString kFullWidthSpace = QStringLiteral("　");
