#pragma once

#include <QPointF>
#include <QStringView>

class QPainter;

// Draws braille cells as dots. Sizes are in the painter's units.
struct BrailleDots
{
    qreal dot = 1.5;        // diameter of a dot
    qreal dotSpacing = 2.5; // between the dot centres in a cell
    qreal cellSpacing = 6;  // from one cell to the next
    qreal lineSpacing = 10; // from one line to the next

    // The six dot places, for reading on screen; printed pages leave them out.
    bool showDotPlaces = false;

    // Real braille size in millimetres, scaled to units of `unitsPerMm`.
    static BrailleDots realSize(qreal unitsPerMm) { return BrailleDots().scaled(unitsPerMm); }
    // Every size times the factor.
    BrailleDots scaled(qreal factor) const;

    // Width of a line of `cells` cells and height of `lines` lines, from the
    // outer edge of the first dot to the outer edge of the last.
    qreal width(int cells) const;
    qreal height(int lines) const;

    // Paints the line with its first cell's top left dot edge at topLeft.
    void paintLine(QPainter &painter, QPointF topLeft, QStringView cells) const;
};
