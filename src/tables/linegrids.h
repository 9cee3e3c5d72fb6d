#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <string>

// The grids of the line being translated, columns 0..40; a column beyond 40
// reads as empty, column 0 is never shown. They are reset and reused for
// every line, so a translation needs the same memory for any number of lines.

namespace LineColumns {
constexpr int kLast = 40;
// A shown or printed row is the concatenation of columns 1..30.
constexpr int kShown = 30;
} // namespace LineColumns

// The character grid: what each column holds, as a number that the
// translation's answer table gives to every distinct character or joined
// syllable, so that a column is compared by number, not by string.
class SymbolLine
{
public:
    // The numbers every answer table gives to the empty string and to "　".
    static constexpr int kEmpty = 0;
    static constexpr int kFullWidthSpace = 1;

    void reset() { symbols_.fill(kFullWidthSpace); }
    int at(int column) const
    {
        return column >= 0 && column <= LineColumns::kLast ? symbols_[std::size_t(column)] : kEmpty;
    }
    void set(int column, int symbol) { symbols_[std::size_t(column)] = symbol; }

private:
    std::array<int, LineColumns::kLast + 1> symbols_{};
};

// The cell and the text grid: a string in every column. The strings live
// one after the other in one buffer that is kept from line to line; a column
// is a span of it.
class StringLine
{
public:
    StringLine() { reset(); }

    // Every column "　".
    void reset();

    QStringView at(int column) const;
    void assign(int column, QStringView text);
    void append(int column, QStringView text);
    // The column takes what another column of this line holds, or adds it.
    void assignColumn(int column, int from) { spans_[std::size_t(column)] = spanAt(from); }
    void appendColumn(int column, int from);

    // Appends columns first..last, joined without separators.
    void appendRow(QString &row, int first = 1, int last = LineColumns::kShown) const;

private:
    struct Span
    {
        int offset = 0;
        int length = 0;
    };
    Span spanAt(int column) const
    {
        return column >= 0 && column <= LineColumns::kLast ? spans_[std::size_t(column)] : Span{};
    }
    // Makes room for `more` characters after the column's string, moving it
    // to the end of the buffer when something else follows it there.
    void prepareAppend(int column, qsizetype more);

    std::u16string buffer_;
    std::array<Span, LineColumns::kLast + 1> spans_;
};
