#include "linegrids.h"

#include <QtGlobal>

#include <algorithm>

bool LineColumns::refuseWrite(int column)
{
    qWarning("Line grids: a write at column %d is outside the grids and is refused", column);
    return false;
}

void StringLine::reset(int columns)
{
    // The buffer starts with the "　" that every column holds.
    buffer_.assign(1, u'　');
    last_ = std::size_t(std::max(columns, LineColumns::kShown));
    spans_.assign(last_ + 1, Span{0, 1});
}

QStringView StringLine::at(int column) const
{
    const Span span = spanAt(column);
    return QStringView(buffer_.data() + span.offset, span.length);
}

void StringLine::assign(int column, QStringView text)
{
    if (!LineColumns::writable(column, last_))
        return;
    Span &span = spans_[std::size_t(column)];
    span = Span{int(buffer_.size()), int(text.size())};
    buffer_.append(text.utf16(), std::size_t(text.size()));
}

void StringLine::prepareAppend(int column, qsizetype more)
{
    Span &span = spans_[std::size_t(column)];
    buffer_.reserve(buffer_.size() + std::size_t(span.length + more));
    if (std::size_t(span.offset + span.length) == buffer_.size())
        return;
    const Span old = span;
    span.offset = int(buffer_.size());
    buffer_.append(buffer_.data() + old.offset, std::size_t(old.length));
}

void StringLine::append(int column, QStringView text)
{
    if (!LineColumns::writable(column, last_))
        return;
    prepareAppend(column, text.size());
    spans_[std::size_t(column)].length += int(text.size());
    buffer_.append(text.utf16(), std::size_t(text.size()));
}

void StringLine::appendColumn(int column, int from)
{
    if (!LineColumns::writable(column, last_))
        return;
    const Span source = spanAt(from);
    prepareAppend(column, source.length);
    spans_[std::size_t(column)].length += source.length;
    buffer_.append(buffer_.data() + source.offset, std::size_t(source.length));
}

void StringLine::appendRow(QString &row, int first, int last) const
{
    qsizetype size = row.size();
    for (int column = first; column <= last; ++column)
        size += spanAt(column).length;
    qsizetype at = row.size();
    row.resize(size);
    char16_t *out = reinterpret_cast<char16_t *>(row.data());
    // Columns written in order lie one after the other in the buffer, so
    // most of a row is copied in a few runs.
    Span run;
    for (int column = first; column <= last; ++column) {
        const Span span = spanAt(column);
        if (span.offset == run.offset + run.length) {
            run.length += span.length;
            continue;
        }
        std::copy_n(buffer_.data() + run.offset, run.length, out + at);
        at += run.length;
        run = span;
    }
    std::copy_n(buffer_.data() + run.offset, run.length, out + at);
}
