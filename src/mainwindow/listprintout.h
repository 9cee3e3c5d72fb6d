#pragma once

#include "braillerowpainter.h"

#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>

class QPagedPaintDevice;
class QPainter;

// The pages of a printed translation: for every line its text row over its
// braille row, from the top left of the printable area down, in the slots
// of the braille list, so that the rows line up on paper as on screen. Rows
// are printed at 20 points; when the widest row of the job is wider than the
// printable width, every row is scaled down by the same factor until that one
// fits, so that the print has one size throughout. A line's two rows stay on
// one page.
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

    enum class Outcome { Painted, Failed, Cancelled };
    // Told that pages 1..done of total are finished; returns false to stop.
    using PageDone = std::function<bool(int done, int total)>;

    // Pages a layout fills (at least one: an empty job is one blank page).
    static int pageCount(const QList<PlacedRow> &placed);

    // Paints the laid-out rows with a painter that is active on the device,
    // starting new pages as needed. Failed when the device could not start a
    // page, Cancelled when pageDone asked to stop.
    Outcome paint(QPainter &painter, const QList<PlacedRow> &placed, const PageDone &pageDone = {}) const;
    bool paint(QPainter &painter, const QStringList &rows) const;

private:
    void paintRow(QPainter &painter, const PlacedRow &placed) const;
    void paintBrailleGlyphs(QPainter &painter, const QRectF &rowRect, QStringView row) const;

    QPagedPaintDevice *m_device;
    BrailleRowPainter m_rows;
    QRawFont m_brailleFont;   // invalid when no font has braille glyphs
    QPointF m_brailleOrigin;  // of a braille glyph, from the top left of its slot
};
