#include "dotpatterninput.h"

#include <algorithm>

namespace {

constexpr char16_t kFirstBraille = u'\u2800';
constexpr char16_t kLastSixDotBraille = u'\u283F'; // dots 7 and 8 have no place in a cell here

bool isDotDigit(QChar ch)
{
    return ch == u'0' || ch == u'1';
}

bool isSixDotBraille(QChar ch)
{
    return ch.unicode() >= kFirstBraille && ch.unicode() <= kLastSixDotBraille;
}

// Unicode braille numbers dot d as bit d - 1 above U+2800.
QString cellDots(QChar braille)
{
    const int bits = braille.unicode() - kFirstBraille;
    QString dots;
    for (int dot = 0; dot < kDotsPerCell; ++dot)
        dots += (bits & (1 << dot)) ? u'1' : u'0';
    return dots;
}

} // namespace

std::optional<QString> parseDotPattern(QStringView text)
{
    if (text.size() == kDotPatternLength && std::all_of(text.begin(), text.end(), isDotDigit))
        return text.toString();

    if (!text.isEmpty() && text.size() <= kSignCells &&
        std::all_of(text.begin(), text.end(), isSixDotBraille)) {
        QString pattern;
        for (QChar braille : text)
            pattern += cellDots(braille);
        return pattern.leftJustified(kDotPatternLength, u'0');
    }
    return std::nullopt;
}
