#include "braillepageprintout.h"

#include "brailledots.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace {

BrailleDots realDots(const QPagedPaintDevice *device)
{
    return BrailleDots::realSize(device->logicalDpiX() / 25.4);
}

} // namespace

qreal BraillePagePrintout::scale(const BraillePages &document) const
{
    const BrailleDots dots = realDots(m_device);
    const QRect area = m_device->pageLayout().paintRectPixels(m_device->logicalDpiX());
    const qreal width = dots.width(document.cells);
    const qreal height = dots.height(document.lines);
    if (width <= 0 || height <= 0)
        return 1;
    return qMin<qreal>(1, qMin(area.width() / width, area.height() / height));
}

bool BraillePagePrintout::paint(QPainter &painter, const BraillePages &document) const
{
    const BrailleDots dots = realDots(m_device).scaled(scale(document));
    for (qsizetype page = 0; page < document.pages.size(); ++page) {
        if (page > 0 && !m_device->newPage())
            return false;
        const QStringList &lines = document.pages[page];
        for (qsizetype line = 0; line < lines.size(); ++line)
            dots.paintLine(painter, QPointF(0, line * dots.lineSpacing), lines[line]);
    }
    return true;
}
