#pragma once

#include "morphemeanalyzer.h"

#include <QString>
#include <QStringView>

namespace KanaWords {

// The braille kana of a reading printed beside the text (ruby, ふりがな):
// katakana as hiragana, and ウ written ー where it only lengthens the vowel
// before it (たろう → たろー, きょう → きょー). Blanks inside the reading
// (between a family and a given name) stay, as one blank each.
QString kanaOfPrintedReading(QStringView reading);

// A reading printed over text[start, start + length): a fixed word of the
// conversion there, with the braille kana of the reading.
inline FixedWord fixedWordOfRuby(qsizetype start, qsizetype length, QStringView reading)
{
    return {start, length, kanaOfPrintedReading(reading)};
}

} // namespace KanaWords
