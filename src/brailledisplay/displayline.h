#pragma once

#include <QString>

#include <vector>

// A line of braille cells shown on a display that holds fewer: one
// display-sized part at a time, the part with the caret when the caret
// moves, the next or previous part when the user pans. The caret cell
// carries dots 7 and 8 as well, the usual cursor of a display.
class DisplayLine
{
public:
    static constexpr unsigned char kCaretDots = 0xC0; // dots 7 and 8

    void setWidth(int cells);
    int width() const { return width_; }

    // Takes the cells (Unicode braille; anything else is a blank cell) and
    // the caret's cell, -1 for none; the caret may stand just past the last
    // cell. The part shown moves to the caret only when the caret moved, so
    // panning away from it holds while the line is redrawn.
    void setLine(const QString &cells, int caret);
    const QString &cells() const { return cells_; }
    int caret() const { return caret_; }

    // The first cell of the line shown; a multiple of the width.
    int offset() const { return offset_; }
    // Whether there was a part to move to.
    bool panLeft();
    bool panRight();
    // Shows the first or the last part of the line.
    void showStart();
    void showEnd();

    // The line's cell under a routing key (from 0), or -1 when the key
    // stands past the line's end; the place just past the last cell counts,
    // so that the caret can be put at the end.
    int cellAtKey(int key) const;

    // The dots of every cell of the display, dot 1 in bit 0.
    std::vector<unsigned char> dots() const;

private:
    // Cells the line takes on the display: the caret's place past the end too.
    int extent() const;
    int partOf(int cell) const;

    QString cells_;
    int caret_ = -1;
    int width_ = 40;
    int offset_ = 0;
};

// The dots of a Unicode braille character, 0 for any other character.
unsigned char dotsOfCell(QChar cell);
