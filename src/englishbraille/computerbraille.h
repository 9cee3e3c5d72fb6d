#pragma once

#include <QString>
#include <QStringView>

// The signs of 情報処理用点字, for addresses, e-mail addresses and file paths
// inside ⠠⠦…⠠⠴ (the marks are the caller's). Text is ASCII; braille is
// Unicode braille.
namespace ComputerBraille {

// Letters without the letter sign, ⠠ before each capital, the numeral sign
// before digits with the number running on over "." and ",", ⠰ before a..j
// right after a number, and the computer-braille cell of every sign. Empty
// when a character has no cell here.
QString encode(QStringView text);

// Whether every character of the ASCII text has a cell here.
bool canEncode(QStringView text);

// The reverse; `ok` false where a cell has no reading.
QString decode(QStringView braille, bool *ok = nullptr);

} // namespace ComputerBraille
