#pragma once

#include "morphemeanalyzer.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <string>

// Letters of the kana syllabaries and what braille needs to know of them.
namespace KanaWords {

// Whether the text is the word given: the rules compare the dictionary's
// fields with fixed words many times for every word of a line, and this
// does it inline, with the word's length known when compiled.
template <std::size_t N>
inline bool isText(QStringView text, const char16_t (&word)[N])
{
    return text.size() == qsizetype(N - 1) && std::char_traits<char16_t>::compare(text.utf16(), word, N - 1) == 0;
}

// Whether the text ends with the word given, inline as isText.
template <std::size_t N>
inline bool endsWithText(QStringView text, const char16_t (&word)[N])
{
    return text.size() >= qsizetype(N - 1) &&
           std::char_traits<char16_t>::compare(text.utf16() + text.size() - (N - 1), word, N - 1) == 0;
}

// Inline: asked of every character of a line.
inline bool isHiragana(QChar c)
{
    return c.unicode() >= 0x3041 && c.unicode() <= 0x309F;
}
// The long-vowel mark ー included.
inline bool isKatakana(QChar c)
{
    return c.unicode() >= 0x30A1 && c.unicode() <= 0x30FF && c != u'・';
}
bool isKanji(char32_t c);    // 々, 〆 and 〇 included
// Half or full width; inline, as isHiragana.
inline bool isLatinLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'Ａ' && u <= u'Ｚ') ||
           (u >= u'ａ' && u <= u'ｚ');
}
bool isAllKatakana(QStringView text);
bool containsKanji(QStringView text);

QString toHiragana(QStringView text);
// A small vowel or small ゃゅょゎ (either script): part of the syllable of
// the kana before it. Asked of every word: a switch, inline.
inline bool isSmallKana(QChar c)
{
    switch (c.unicode()) {
    case u'ぁ': case u'ぃ': case u'ぅ': case u'ぇ': case u'ぉ': case u'ゃ': case u'ゅ': case u'ょ': case u'ゎ':
    case u'ァ': case u'ィ': case u'ゥ': case u'ェ': case u'ォ': case u'ャ': case u'ュ': case u'ョ': case u'ヮ':
        return true;
    default:
        return false;
    }
}
// The number of morae (beats): every kana counts except the small kana.
int moraCount(QStringView kana);
// The vowel of a kana syllable ('a', 'i', 'u', 'e', 'o'), or 0.
char vowelOf(QChar kana);

// The braille kana of one word by itself: the reading as it is spelt, with
// the particles は and へ as わ and え, and ウ written ー where it only
// lengthens the vowel before it (the dictionary's pronunciation shows where).
// おお, ええ, えい and a verb's closing う stay as spelt, ぢ and づ too.
// Katakana and what has no reading (digits, Latin letters, unknown words)
// stay as written; readings of kanji come out in hiragana.
QString kanaOf(const Morpheme &morpheme);

} // namespace KanaWords
