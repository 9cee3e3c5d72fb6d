#pragma once

#include <QObject>
#include <QString>

// What a window puts on the braille display: one line of cells with a
// caret, and what the display's routing and braille keys do there.
class DisplayContent : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Unicode braille; other characters are shown as blank cells.
    virtual QString cells() const = 0;
    // The caret's cell, -1 for none.
    virtual int caret() const { return -1; }
    // A routing key over a cell of the line.
    virtual void route(int cell) { Q_UNUSED(cell) }
    // Braille keys pressed together (dot 1 in bit 0); 0 is the space bar
    // alone. False when the window takes no braille typing.
    virtual bool typeDots(int dots)
    {
        Q_UNUSED(dots)
        return false;
    }
    // The display's line keys: the previous or next line.
    virtual void moveLine(int step) { Q_UNUSED(step) }

signals:
    // The line or the caret changed.
    void changed();
};
