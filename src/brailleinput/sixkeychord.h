#pragma once

#include <QtGlobal>

class QKeyEvent;

// Six keys of an ordinary keyboard as the six dots of a braille writer:
// F D S for dots 1 2 3, J K L for dots 4 5 6. Keys are known by where they
// sit on the keyboard (the native scan code), so the layout does not matter.
// The keys of one chord are pressed together in any order; the cell is the
// union of every key that was down, given when the last of them comes up.
class SixKeyChord
{
public:
    // The dot a key stands for (1..6), or 0 for any other key.
    static int dotOfKey(const QKeyEvent &event);

    // Feeds a key press or release. Returns true when the key is one of the
    // six (the caller then does nothing else with it); a press or release
    // repeated by the keyboard is swallowed and changes nothing. After the
    // release that completes a chord, takeCell() gives the cell.
    bool keyPress(const QKeyEvent &event);
    bool keyRelease(const QKeyEvent &event);

    // The dots of the finished chord (bit d - 1 for dot d), once; -1 when
    // no chord was completed since the last call.
    int takeCell();

    // Forgets a chord in progress, as when the window loses the focus.
    void reset();

    int heldDots() const { return held_; }   // keys down now
    int chordDots() const { return chord_; } // keys down since the chord began

private:
    int held_ = 0;
    int chord_ = 0;
    int finished_ = -1;
};
