#pragma once

#include "braillepages.h"

#include <QStringList>

#include <utility>
#include <vector>

// Where the cells of a translation's braille lines stand on the pages laid
// out from them, found by following the lines through the pages: each
// line of a page that, without the blanks that indent it, is a stretch of
// a braille line (after the stretches before it) is a piece of it; lines
// the layout added (page numbers, …) belong to no braille line.
class PagePlaces
{
public:
    struct Place
    {
        int page = -1; // -1: the cell stands on no page (a blank at a wrap)
        int line = 0;
        int cell = 0;
    };

    PagePlaces() = default;
    PagePlaces(const QStringList &brailleLines, const BraillePages &pages);

    // The place of a cell of a braille line (both from 0).
    Place placeOf(int brailleLine, qsizetype cell) const;
    // The braille line and cell shown at a place; {-1, -1} for none.
    std::pair<int, qsizetype> cellAt(int page, int line, int cell) const;

private:
    struct Piece
    {
        int brailleLine = 0;
        qsizetype firstCell = 0;
        int page = 0;
        int line = 0;
        int lineCell = 0; // where the piece starts in the page's line
        qsizetype length = 0;
    };
    std::vector<Piece> m_pieces; // in the order of the lines and of the pages alike
};
