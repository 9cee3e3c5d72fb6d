#pragma once

#include "braillepages/braillepages.h"

class QPagedPaintDevice;
class QPainter;

// Braille pages on paper, one braille page per sheet, as dots at real
// braille size (dots 1.5 mm, 2.5 mm apart in a cell, cells 6 mm and lines
// 10 mm apart) from the top left of the printable area; for proofreading
// and for swell paper. A page larger than the printable area is scaled down
// to fit.
class BraillePagePrintout
{
public:
    explicit BraillePagePrintout(QPagedPaintDevice *device) : m_device(device) {}

    // 1 at real size, less when the page must shrink to fit.
    qreal scale(const BraillePages &document) const;

    // Paints with a painter active on the device; false when a new sheet
    // could not be started.
    bool paint(QPainter &painter, const BraillePages &document) const;

private:
    QPagedPaintDevice *m_device;
};
