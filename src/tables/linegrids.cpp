#include "linegrids.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>

bool LineColumns::refuseWrite(int column)
{
    qWarning("Line grids: a write at column %d is outside the grids and is refused", column);
    return false;
}

void StringLine::reset(int columns)
{
    if (discarding_ && blank_)
        return;
    blank_ = discarding_;
    // The buffer starts with the "　" that every column holds.
    if (buffer_.empty())
        buffer_.resize(256);
    buffer_[0] = u'　';
    used_ = 1;
    // A grid that takes no writes needs no columns of its own for a long
    // line: every column past the last reads as "　" all the same.
    last_ = std::size_t(discarding_ ? LineColumns::kShown : std::max(columns, LineColumns::kShown));
    spans_.assign(last_ + 1, Span{0, 1});
}

void StringLine::prepareAppend(int column, qsizetype more)
{
    Span &span = spans_[std::size_t(column)];
    if (!hasRoom(std::size_t(span.length + more)))
        grow(std::size_t(span.length + more));
    if (std::size_t(span.offset + span.length) == used_)
        return;
    const Span old = span;
    span.offset = int(used_);
    putOwn(old.offset, old.length);
}

void StringLine::grow(std::size_t more)
{
    buffer_.resize(std::max(2 * buffer_.size(), used_ + more + std::size_t(kCopySlack)));
}

void StringLine::putOwn(int offset, int n)
{
    if (!hasRoom(std::size_t(n)))
        grow(std::size_t(n));
    std::copy_n(buffer_.data() + offset, n, buffer_.data() + used_);
    used_ += std::size_t(n);
}

void StringLine::appendColumn(int column, int from)
{
    if (discarding_ || !LineColumns::writable(column, last_))
        return;
    const Span source = spanAt(from);
    prepareAppend(column, source.length);
    spans_[std::size_t(column)].length += source.length;
    putOwn(source.offset, source.length);
}

void StringLine::appendRow(QString &row, int first, int last) const
{
    // copyRow writes a few characters past the row, which are cut off.
    const qsizetype at = row.size();
    row.resize(at + rowSize(first, last) + kCopySlack);
    row.truncate(at + copyRow(first, last, reinterpret_cast<char16_t *>(row.data()) + at));
}

qsizetype StringLine::copyRow(int first, int last, char16_t *out) const
{
    char16_t *const start = out;
    const char16_t *const buffer = buffer_.data();
    for (int column = first; column <= last; ++column) {
        const Span span = spanAt(column);
        // Most strings are a cell or a few: four characters are copied
        // whatever the length, which needs no branch on it; the buffer and
        // `out` have the room.
        if (span.length <= kCopySlack)
            std::memcpy(out, buffer + span.offset, kCopySlack * sizeof(char16_t));
        else
            std::copy_n(buffer + span.offset, span.length, out);
        out += span.length;
    }
    return out - start;
}
