#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>
#include <cstring>

#include <string>
#include <vector>

// The grids of the line being translated: a column for every character of
// the line, and at least the shown columns; column 0 is never shown. Every
// column past the end of the line reads as "　", so a join pulls "　" in
// behind the line's last character. They are reset and reused for every
// line, so a translation needs the same memory for any number of lines.

namespace LineColumns {
// A shown or printed row is the concatenation of columns 1..30.
constexpr int kShown = 30;
// True for a column inside the grids; a write elsewhere is refused with a
// warning, in every build.
bool refuseWrite(int column);
inline bool writable(int column, std::size_t last)
{
    return std::size_t(unsigned(column)) <= last || refuseWrite(column);
}
} // namespace LineColumns

namespace LineColumns {
// Moves every column after the first of `columns` left as far as the
// columns before it in the list require, as if each listed column were
// removed, and fills the columns left behind at the end with `filler`.
// `columns` must be ascending and inside 1..last of `line`; else nothing
// moves and a warning says so.
template <typename T> void removeColumns(std::vector<T> &line, const std::vector<int> &columns, T filler)
{
    if (columns.empty())
        return;
    const bool inside = columns.front() >= 1 && std::size_t(columns.back()) < line.size()
                        && std::is_sorted(columns.begin(), columns.end());
    if (!inside) {
        refuseWrite(columns.front() < 1 ? columns.front() : columns.back());
        return;
    }
    auto out = line.begin() + columns.front();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const auto from = line.begin() + columns[i] + 1;
        const auto to = i + 1 < columns.size() ? line.begin() + columns[i + 1] : line.end();
        out = std::copy(from, std::max(from, to), out);
    }
    std::fill(out, line.end(), filler);
}
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

    SymbolLine() { reset(0); }

    // Columns 0..max(columns, 30), every one "　".
    void reset(int columns)
    {
        last_ = std::size_t(std::max(columns, LineColumns::kShown));
        symbols_.assign(last_ + 1, kFullWidthSpace);
    }
    // The last column the grid holds.
    int last() const { return int(last_); }
    // Every pass asks this for every column, so it takes one comparison.
    int at(int column) const
    {
        if (std::size_t(unsigned(column)) <= last_)
            return symbols_[std::size_t(column)];
        return column < 0 ? kEmpty : kFullWidthSpace;
    }
    // Columns 0..last(), for the walks that stay inside them and so need
    // no check per column; writes and joins leave the pointer as it is.
    const int *columns() const { return symbols_.data(); }
    // A write outside the line is refused with a warning, in every build.
    void set(int column, int symbol)
    {
        if (LineColumns::writable(column, last_))
            symbols_[std::size_t(column)] = symbol;
    }
    // Closes the gaps of the given columns at once (LineColumns::removeColumns).
    void removeColumns(const std::vector<int> &columns)
    {
        LineColumns::removeColumns(symbols_, columns, int(kFullWidthSpace));
    }

private:
    std::vector<int> symbols_;
    // Not an int, so that the compiler knows that writing a column leaves it.
    std::size_t last_ = 0;
};

// The cell and the text grid: a string in every column. The strings live
// one after the other in one buffer that is kept from line to line; a column
// is a span of it.
class StringLine
{
public:
    StringLine() { reset(0); }

    // Columns 0..max(columns, 30), every one "　".
    void reset(int columns);
    int last() const { return int(last_); }
    // While set, writes leave every column "　": for a translation that
    // needs no text row, the text grid costs nothing.
    void setDiscardingWrites(bool discarding)
    {
        if (discarding != discarding_)
            blank_ = false;
        discarding_ = discarding;
    }

    // Inline: the output reads every column of every line.
    QStringView at(int column) const
    {
        const Span span = spanAt(column);
        return QStringView(buffer_.data() + span.offset, span.length);
    }
    // Writes outside the line are refused (LineColumns::writable).
    // The column still holds the "　" of the reset: nothing was written to it
    // or moved into it from a written column.
    bool isReset(int column) const
    {
        const Span span = spanAt(column);
        return span.offset == 0 && span.length == 1;
    }
    // The passes write a column for almost every character, so writing is
    // inline.
    void assign(int column, QStringView text)
    {
        if (discarding_ || !LineColumns::writable(column, last_))
            return;
        spans_[std::size_t(column)] = Span{int(used_), int(text.size())};
        put(text.utf16(), text.size());
    }
    // Assigns the n characters at `text` when `when` is true, else leaves
    // the column as it is: most columns of a line take a short cell string
    // or none, and this tells them apart without a branch. `text` must
    // have kCopySlack characters to read, whatever n, and must not point
    // into the buffer (put).
    void assignWhen(bool when, int column, const char16_t *text, int n)
    {
        if (discarding_ || !LineColumns::writable(column, last_))
            return;
        if (n > kCopySlack) {
            if (when)
                assign(column, QStringView(text, n));
            return;
        }
        if (!hasRoom(std::size_t(kCopySlack)))
            grow(std::size_t(kCopySlack));
        std::memcpy(buffer_.data() + used_, text, kCopySlack * sizeof(char16_t));
        // All ones when the text is assigned; masks, for the compiler
        // would turn a choice back into a branch.
        const int taken = -int(when);
        Span &span = spans_[std::size_t(column)];
        span.offset = (int(used_) & taken) | (span.offset & ~taken);
        span.length = (n & taken) | (span.length & ~taken);
        used_ += std::size_t(n & taken);
    }
    void append(int column, QStringView text)
    {
        if (discarding_ || !LineColumns::writable(column, last_))
            return;
        prepareAppend(column, text.size());
        spans_[std::size_t(column)].length += int(text.size());
        put(text.utf16(), text.size());
    }
    // The column takes what another column of this line holds, or adds it.
    void assignColumn(int column, int from)
    {
        if (!discarding_ && LineColumns::writable(column, last_))
            spans_[std::size_t(column)] = spanAt(from);
    }
    void appendColumn(int column, int from);
    // Closes the gaps of the given columns at once (LineColumns::removeColumns).
    void removeColumns(const std::vector<int> &columns)
    {
        if (!discarding_)
            LineColumns::removeColumns(spans_, columns, Span{0, 1});
    }

    // Appends columns first..last, joined without separators.
    void appendRow(QString &row, int first = 1, int last = LineColumns::kShown) const;
    // Copies columns first..last, joined, to `out`, which must have room
    // for rowSize(first, last) + kCopySlack characters; returns how many
    // it copied.
    static constexpr qsizetype kCopySlack = 4;
    qsizetype copyRow(int first, int last, char16_t *out) const;
    // The characters columns first..last hold together.
    qsizetype rowSize(int first, int last) const
    {
        qsizetype size = 0;
        for (int column = first; column <= last; ++column)
            size += spanAt(column).length;
        return size;
    }

private:
    struct Span
    {
        int offset = 0;
        int length = 0;
    };
    // A column past the last reads as the "　" at the start of the buffer.
    Span spanAt(int column) const
    {
        if (std::size_t(unsigned(column)) <= last_)
            return spans_[std::size_t(column)];
        return column < 0 ? Span{} : Span{0, 1};
    }
    // Appends to the buffer; most strings are a cell or three, copied
    // without a call. `text` must not point into the buffer (putOwn).
    void put(const char16_t *text, qsizetype n)
    {
        if (!hasRoom(std::size_t(n)))
            grow(std::size_t(n));
        char16_t *out = buffer_.data() + used_;
        switch (n) {
        case 3:
            out[2] = text[2];
            [[fallthrough]];
        case 2:
            out[1] = text[1];
            [[fallthrough]];
        case 1:
            out[0] = text[0];
            break;
        default:
            std::copy_n(text, n, out);
        }
        used_ += std::size_t(n);
    }
    // Appends the buffer's own characters at offset..offset + n.
    void putOwn(int offset, int n);
    // Room for `more` characters after the strings, and kCopySlack more:
    // copyRow reads a few characters past a string.
    bool hasRoom(std::size_t more) const { return used_ + more + std::size_t(kCopySlack) <= buffer_.size(); }
    void grow(std::size_t more);
    // Makes room for `more` characters after the column's string, moving it
    // to the end of the buffer when something else follows it there.
    void prepareAppend(int column, qsizetype more);

    // The strings, in buffer_[0, used_); the rest is room to grow into.
    std::vector<char16_t> buffer_;
    std::size_t used_ = 0;
    std::vector<Span> spans_;
    std::size_t last_ = 0; // not an int: see SymbolLine
    bool discarding_ = false;
    // Reset while discarding writes: nothing can have changed it since.
    bool blank_ = false;
};
