#pragma once

#include "braillerowpainter.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

// The pages of a printed translation: for every line its text row over its
// braille row, from the top left of the printable area down, in the slots
// of the braille list, so that the rows line up on paper as on screen. Rows
// are printed at 20 points; a line whose rows are wider than the printable
// width is scaled down until they fit, never cut off. A line's two rows stay
// on one page.
class ListPrintout
{
public:
    static constexpr double kPointSize = 20;

    struct PlacedRow
    {
        int page = 0;    // counted from 0
        QRectF rect;     // device pixels, from the top left of the printable area
        qreal scale = 1; // of the row as laid out at 20 points
        QString row;
    };

    // Fonts and sizes follow the device's resolution.
    explicit ListPrintout(QPagedPaintDevice *device);

    const BrailleRowPainter &rowPainter() const { return m_rows; }

    // rows holds a text row and then its braille row for every line.
    QList<PlacedRow> layout(const QStringList &rows) const;

    // Paints the rows with a painter that is active on the device, starting
    // new pages as needed. False when the device could not start a page.
    bool paint(QPainter &painter, const QStringList &rows) const;

private:
    void paintRow(QPainter &painter, const PlacedRow &placed) const;
    void paintBrailleAsText(QPainter &painter, const QRectF &rowRect, QStringView row) const;

    QPagedPaintDevice *m_device;
    BrailleRowPainter m_rows;
    QFont m_brailleTextFont;
    qreal m_baseline = 0;
};
