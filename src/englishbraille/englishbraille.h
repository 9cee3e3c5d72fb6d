#pragma once

#include <QString>
#include <QStringView>

// English written inside 外国語引用符 (⠦…⠴), without the quotes. Text is
// ASCII (the caller turns full-width forms back first); braille is Unicode
// braille, a blank cell U+2800.
namespace EnglishBraille {

// Uncontracted: ⠠ before a capital, ⠠⠠ before a word of capitals, the
// numeral sign before digits (a number runs on over "." and "," between
// digits), ⠰ before a..j right after a number, and English punctuation.
QString grade1(QStringView text);

// Contracted, through liblouis's UEB grade 2 table. Falls back to grade 1
// when the table cannot be used, and says so in `failed` when given.
QString grade2(QStringView text, bool *failed = nullptr);

// The reverse of grade1: ASCII text, or empty with `ok` false where a cell
// has no reading.
QString backGrade1(QStringView braille, bool *ok = nullptr);

// The reverse of grade2, through liblouis; empty with `ok` false when
// liblouis cannot read it.
QString backGrade2(QStringView braille, bool *ok = nullptr);

// The table grade 2 uses.
inline constexpr char kGrade2Table[] = "en-ueb-g2.ctb";

} // namespace EnglishBraille
