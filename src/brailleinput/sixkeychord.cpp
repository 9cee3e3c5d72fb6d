#include "brailleinput/sixkeychord.h"

#include <QKeyEvent>

namespace {

// X11 and Wayland report evdev key codes plus 8.
struct ChordKey
{
    quint32 scanCode;
    int key; // for a platform that reports no scan code
    int dot;
};
constexpr ChordKey kChordKeys[] = {
    {41, Qt::Key_F, 1}, {40, Qt::Key_D, 2}, {39, Qt::Key_S, 3},
    {44, Qt::Key_J, 4}, {45, Qt::Key_K, 5}, {46, Qt::Key_L, 6},
};

} // namespace

int SixKeyChord::dotOfKey(const QKeyEvent &event)
{
    const quint32 scanCode = event.nativeScanCode();
    for (const ChordKey &chordKey : kChordKeys) {
        if (scanCode != 0 ? scanCode == chordKey.scanCode : event.key() == chordKey.key)
            return chordKey.dot;
    }
    return 0;
}

bool SixKeyChord::keyPress(const QKeyEvent &event)
{
    // With Ctrl or Alt held the key is a shortcut, not a dot.
    const int dot = dotOfKey(event);
    if (dot == 0 || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    if (!event.isAutoRepeat()) {
        held_ |= 1 << (dot - 1);
        chord_ |= held_;
    }
    return true;
}

bool SixKeyChord::keyRelease(const QKeyEvent &event)
{
    const int dot = dotOfKey(event);
    if (dot == 0)
        return false;
    // A key whose press was not taken here (pressed before the window had
    // the focus, or with Ctrl) ends no chord.
    const int bit = 1 << (dot - 1);
    if (event.isAutoRepeat() || !(held_ & bit))
        return true;
    held_ &= ~bit;
    if (held_ == 0) {
        finished_ = chord_;
        chord_ = 0;
    }
    return true;
}

int SixKeyChord::takeCell()
{
    const int cell = finished_;
    finished_ = -1;
    return cell;
}

void SixKeyChord::reset()
{
    held_ = 0;
    chord_ = 0;
    finished_ = -1;
}
