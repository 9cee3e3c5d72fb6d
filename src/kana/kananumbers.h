#pragma once

#include <QString>
#include <QStringView>

namespace KanaNumbers {

// True when every character is a kanji numeral (〇一二…九, 十百千, 万億兆).
bool isKanjiNumeral(QStringView text);

// A kanji number as braille writes it, in full-width digits: 三百 → ３００,
// 二〇二六 → ２０２６. 万, 億 and 兆 stay words of their own (一億二千万 →
// １おく２０００まん). Empty when the text is not a well-formed number.
QString toDigits(QStringView text);

// The value of a number of up to four digits (kanji, or full or half width),
// or -1.
int smallValue(QStringView text);

} // namespace KanaNumbers
