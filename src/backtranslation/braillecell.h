#pragma once

#include <QChar>

// A six-dot braille cell as a mask of its raised dots: bit d - 1 is dot d,
// dots 1, 2, 3 down the left column and 4, 5, 6 down the right. Unicode
// braille orders its code points the same way, from U+2800, the blank cell.
namespace BrailleCell {

constexpr char16_t kBlank = 0x2800;
constexpr int kNoCell = -1;

constexpr int dot(int d)
{
    return 1 << (d - 1);
}

inline QChar toChar(int dots)
{
    return QChar(char16_t(kBlank + (dots & 0x3F)));
}

// The dots of a six-dot Unicode braille character, or kNoCell for any other
// character (eight-dot braille included).
inline int dotsOf(QChar c)
{
    const char16_t u = c.unicode();
    return u >= kBlank && u <= kBlank + 0x3F ? int(u - kBlank) : kNoCell;
}

} // namespace BrailleCell
