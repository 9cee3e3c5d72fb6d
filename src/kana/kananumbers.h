#pragma once

#include <QString>
#include <QStringView>

namespace KanaNumbers {

// True when every character is a kanji numeral (〇一二…九, 十百千, 万億兆).
bool isKanjiNumeral(QStringView text);

// A kanji number as braille writes it, in full-width digits: 三百 → ３００,
// 二〇二六 → ２０２６. 万, 億 and 兆 are written in kana, with a blank after
// 億 and 兆 when more follows (一億二千万 → １おく ２０００まん); a unit with
// no count before it is the word alone (万 → まん). Empty when the text is
// not a well-formed number.
QString toDigits(QStringView text);

// Digits with 万, 億 and 兆 among them, as one number: 5億3000万 →
// 5おく 3000まん.
QString withLargeUnits(QStringView text);

// The last element spoken when the number (as braille kana, digits and
// units) is read out, which decides a counter's sound change: the digit
// 1..9, or 10, 100, 1000 for a round ten, hundred, thousand, 10000 for a
// number ending in 万; 0 when none of these (億, 兆, zero).
int lastSpokenElement(QStringView numberKana);

// The value of a number of up to four digits (kanji, or full or half width),
// or -1.
int smallValue(QStringView text);

} // namespace KanaNumbers
