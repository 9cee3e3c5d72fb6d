#include "pagerange.h"

#include <QRegularExpression>

std::optional<PageRange> PageRange::parse(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d*)\\s*(-?)\\s*(\\d*)\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch() || (match.capturedView(1).isEmpty() && match.capturedView(3).isEmpty()))
        return std::nullopt;
    const bool dash = !match.capturedView(2).isEmpty();
    if (!dash && match.capturedView(3).size() > 0 && match.capturedView(1).size() > 0)
        return std::nullopt;
    bool ok = true;
    PageRange range;
    if (!match.capturedView(1).isEmpty())
        range.first = match.capturedView(1).toInt(&ok);
    if (!ok || range.first < 1)
        return std::nullopt;
    if (!dash)
        range.last = range.first;
    else if (!match.capturedView(3).isEmpty()) {
        range.last = match.capturedView(3).toInt(&ok);
        if (!ok || range.last < range.first)
            return std::nullopt;
    }
    return range;
}

PageRange PageRange::wholeSheets() const
{
    PageRange sheets = *this;
    if (sheets.first % 2 == 0)
        --sheets.first;
    if (sheets.last != 0 && sheets.last % 2 == 1)
        ++sheets.last;
    return sheets;
}

BraillePages pagesInRange(const BraillePages &document, PageRange range)
{
    BraillePages part = document;
    const qsizetype count = document.pages.size();
    const qsizetype first = qMin<qsizetype>(range.first - 1, count);
    const qsizetype last = range.last == 0 ? count : qMin<qsizetype>(range.last, count);
    part.pages = document.pages.mid(first, qMax<qsizetype>(0, last - first));
    return part;
}
