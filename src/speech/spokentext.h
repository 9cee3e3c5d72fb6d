#pragma once

#include <QString>

// What is read aloud, as Japanese a voice pronounces. QtCore only.
namespace SpokenText {

// The marked dots of a cell (bit d - 1 for dot d), "いち の てん、よん の
// てん"; a cell without dots is "あき".
QString cellDots(int dots);

// A six-dot cell given as a Unicode braille character (U+2800..U+283F);
// any other character gives an empty string.
QString brailleCellDots(QChar cell);

// A line of kana as written: hiragana become katakana, which voices read
// sound by sound, so that a particle written は is heard as "ha" and おう
// is not folded into a long vowel the text does not have. Everything else
// is kept.
QString literalKana(const QString &line);

} // namespace SpokenText
