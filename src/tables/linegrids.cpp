#include "linegrids.h"

#include <algorithm>

void StringLine::reset()
{
    // The buffer starts with the "　" that every column holds.
    buffer_.assign(1, u'　');
    spans_.fill(Span{0, 1});
}

QStringView StringLine::at(int column) const
{
    const Span span = spanAt(column);
    return QStringView(buffer_.data() + span.offset, span.length);
}

void StringLine::assign(int column, QStringView text)
{
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
    prepareAppend(column, text.size());
    spans_[std::size_t(column)].length += int(text.size());
    buffer_.append(text.utf16(), std::size_t(text.size()));
}

void StringLine::appendColumn(int column, int from)
{
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
    for (int column = first; column <= last; ++column) {
        const Span span = spanAt(column);
        std::copy_n(buffer_.data() + span.offset, span.length, out + at);
        at += span.length;
    }
}
