#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// The cells the Latin alphabet shares in every braille code used here.
namespace LatinCells {

// Unicode braille of the dots written as their numbers, "1246".
constexpr char16_t cell(const char *dots)
{
    char16_t c = 0x2800;
    for (; *dots; ++dots)
        c |= char16_t(1u << (*dots - '1'));
    return c;
}

inline constexpr char16_t kLetters[26] = {
    cell("1"),    cell("12"),   cell("14"),   cell("145"),  cell("15"),    cell("124"),  cell("1245"),
    cell("125"),  cell("24"),   cell("245"),  cell("13"),   cell("123"),   cell("134"),  cell("1345"),
    cell("135"),  cell("1234"), cell("12345"), cell("1235"), cell("234"),  cell("2345"), cell("136"),
    cell("1236"), cell("2456"), cell("1346"), cell("13456"), cell("1356")};

inline constexpr char16_t kNumeralSign = cell("3456");
inline constexpr char16_t kCapital = cell("6");
inline constexpr char16_t kLetterAfterNumber = cell("56");
inline constexpr char16_t kBlank = 0x2800;

inline bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
inline bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
inline QChar letterCell(QChar c)
{
    return QChar(kLetters[c.toLower().unicode() - u'a']);
}
// 1..9, 0 are the cells of a..j.
inline QChar digitCell(QChar c)
{
    return QChar(kLetters[(c.unicode() - u'0' + 9) % 10]);
}
// The letter (lower case) of a cell, or a null QChar.
inline QChar letterOf(QChar cell)
{
    for (int i = 0; i < 26; ++i) {
        if (kLetters[i] == cell.unicode())
            return QChar(char16_t(u'a' + i));
    }
    return QChar();
}
inline QChar digitOf(QChar cell)
{
    const QChar letter = letterOf(cell);
    if (letter.isNull() || letter > u'j')
        return QChar();
    return QChar(char16_t(u'0' + (letter.unicode() - u'a' + 1) % 10));
}

} // namespace LatinCells
