#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

// The six braille keys as the keyboard sends them: X11 scan codes F 41,
// D 40, S 39, J 44, K 45, L 46 for dots 1..6. The events carry the keys a
// Dvorak layout puts there, since only the key's place on the keyboard may
// count.
namespace DotKeys {

struct PhysicalKey
{
    char16_t qwerty;
    quint32 scanCode;
    int dvorakKey;
};
inline constexpr PhysicalKey kKeys[] = {{u'F', 41, Qt::Key_U}, {u'D', 40, Qt::Key_E}, {u'S', 39, Qt::Key_O},
                                        {u'J', 44, Qt::Key_H}, {u'K', 45, Qt::Key_T}, {u'L', 46, Qt::Key_N}};

// Sends the press or release of the key at F, D, S, J, K or L, with the X
// server's time stamp in milliseconds (0: none); false for another letter.
inline bool send(QWidget *target, QEvent::Type type, QChar qwerty, bool autoRepeat = false, quint64 time = 0)
{
    for (const PhysicalKey &k : kKeys) {
        if (k.qwerty == qwerty) {
            QKeyEvent event(type, k.dvorakKey, Qt::NoModifier, k.scanCode, 0, 0,
                            QString(QChar(k.dvorakKey)).toLower(), autoRepeat);
            event.setTimestamp(time);
            QApplication::sendEvent(target, &event);
            return true;
        }
    }
    return false;
}

// Presses the keys in order, then releases them in the same order.
inline void chord(QWidget *target, QStringView keys)
{
    for (const QChar k : keys)
        send(target, QEvent::KeyPress, k);
    for (const QChar k : keys)
        send(target, QEvent::KeyRelease, k);
}

} // namespace DotKeys
