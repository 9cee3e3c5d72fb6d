#pragma once

#include <QObject>
#include <QTimer>

class QKeyEvent;

// Six keys of an ordinary keyboard as the six dots of a braille writer:
// F D S for dots 1 2 3, J K L for dots 4 5 6. Keys are known by where they
// sit on the keyboard (the native scan code), so the layout does not matter.
// The keys of one chord are pressed together in any order; the cell is the
// union of every key that was down, typed when the last of them comes up.
//
// A key held down repeats. Qt marks some repeats as such; X servers also
// send a repeat as a release and a press with the same time stamp, which Qt
// may pass on unmarked. So a release is held back for a moment, and a press
// of the same key with the same time stamp takes it back.
class SixKeyChord : public QObject
{
    Q_OBJECT

public:
    explicit SixKeyChord(QObject *parent = nullptr);

    // The dot a key stands for (1..6), or 0 for any other key.
    static int dotOfKey(const QKeyEvent &event);

    // Feed key presses and releases. True when the key is one of the six
    // (the caller then does nothing else with it); a press with Ctrl, Alt or
    // Meta is a shortcut, not a dot.
    bool keyPress(const QKeyEvent &event);
    bool keyRelease(const QKeyEvent &event);

    // Forgets a chord in progress, as when the window loses the focus.
    void reset();
    // Types a chord whose last release is held back, at once: another key
    // comes after it.
    void settle();

    int heldDots() const { return held_; }   // keys down now
    int chordDots() const { return chord_; } // keys down since the chord began

signals:
    // A chord was completed: its dots, bit d - 1 for dot d.
    void cellTyped(int dots);
    void keysChanged(int heldDots, int chordDots);

private:
    int held_ = 0;
    int chord_ = 0;
    int pendingBit_ = 0; // a release held back
    quint64 pendingTime_ = 0;
    QTimer settleTimer_;
};
