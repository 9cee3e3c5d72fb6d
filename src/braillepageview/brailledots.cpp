#include "brailledots.h"

#include "braillepages/braillecells.h"

#include <QPainter>

BrailleDots BrailleDots::scaled(qreal factor) const
{
    BrailleDots dots = *this;
    dots.dot *= factor;
    dots.dotSpacing *= factor;
    dots.cellSpacing *= factor;
    dots.lineSpacing *= factor;
    return dots;
}

qreal BrailleDots::width(int cells) const
{
    return cells > 0 ? (cells - 1) * cellSpacing + dotSpacing + dot : 0;
}

qreal BrailleDots::height(int lines) const
{
    return lines > 0 ? (lines - 1) * lineSpacing + 2 * dotSpacing + dot : 0;
}

void BrailleDots::paintLine(QPainter &painter, QPointF topLeft, QStringView cells) const
{
    painter.save();
    painter.setPen(Qt::NoPen);
    const QColor raised(Qt::black);
    const qreal radius = dot / 2;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        const int mask = BrailleCells::isCell(cells[c]) ? BrailleCells::mask(cells[c]) : 0;
        for (int d = 0; d < 6; ++d) {
            const bool up = mask & (1 << d);
            if (!up && !showDotPlaces)
                continue;
            const QPointF centre(topLeft.x() + c * cellSpacing + (d / 3) * dotSpacing + radius,
                                 topLeft.y() + (d % 3) * dotSpacing + radius);
            if (up) {
                painter.setBrush(raised);
                painter.drawEllipse(centre, radius, radius);
            } else {
                painter.setBrush(QColor(210, 210, 210));
                painter.drawEllipse(centre, radius / 3, radius / 3);
            }
        }
    }
    painter.restore();
}
