#include "platform/gui/sixkeychord.h"

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

// Long enough for the press of a repeat to follow its release, too short
// for the user to notice.
constexpr int kRepeatWaitMs = 30;

} // namespace

SixKeyChord::SixKeyChord(QObject *parent) : QObject(parent)
{
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(kRepeatWaitMs);
    connect(&settleTimer_, &QTimer::timeout, this, &SixKeyChord::settle);
}

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
    const int dot = dotOfKey(event);
    if (dot == 0 || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const int bit = 1 << (dot - 1);
    if (pendingBit_ == bit && event.timestamp() == pendingTime_) {
        // The held-back release and this press are one repeat of a held key.
        pendingBit_ = 0;
        settleTimer_.stop();
        return true;
    }
    settle();
    if (!event.isAutoRepeat()) {
        held_ |= bit;
        chord_ |= held_;
        emit keysChanged(held_, chord_);
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
    settle();
    pendingBit_ = bit;
    pendingTime_ = event.timestamp();
    // Events without a time stamp (sent by the program itself) cannot be
    // repeats of this kind.
    if (pendingTime_ == 0)
        settle();
    else
        settleTimer_.start();
    return true;
}

void SixKeyChord::settle()
{
    settleTimer_.stop();
    if (pendingBit_ == 0)
        return;
    held_ &= ~pendingBit_;
    pendingBit_ = 0;
    const int chord = chord_;
    if (held_ == 0)
        chord_ = 0;
    emit keysChanged(held_, chord_);
    if (held_ == 0)
        emit cellTyped(chord);
}

void SixKeyChord::reset()
{
    settleTimer_.stop();
    pendingBit_ = 0;
    if (held_ == 0 && chord_ == 0)
        return;
    held_ = 0;
    chord_ = 0;
    emit keysChanged(0, 0);
}
