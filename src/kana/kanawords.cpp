#include "kanawords.h"

#include <algorithm>

namespace KanaWords {

namespace {

// Inline for containsKanji, which asks it of every character of a text.
// Below U+3400 only 々, 〆 and 〇 (U+3005..U+3007) are: kana, letters and
// punctuation are told by the first comparisons.
inline bool isKanjiCharacter(char32_t u)
{
    if (u < 0x3400)
        return u >= U'々' && u <= U'〇';
    return u <= 0x4DBF || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) ||
           (u >= 0x20000 && u <= 0x3FFFF);
}

} // namespace

bool isKanji(char32_t u)
{
    return isKanjiCharacter(u);
}

bool isAllKatakana(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (!isKatakana(c))
            return false;
    }
    return true;
}

namespace {

// Whether a UTF-16 unit is a kanji of the BMP or the first half of one
// beyond it; unsigned ranges without branches, so that the compiler checks
// many units at a time.
inline unsigned mayBeKanji(char16_t u)
{
    const unsigned c = u;
    return (c - 0x3005u <= 0x3007u - 0x3005u) | (c - 0x3400u <= 0x9FFFu - 0x3400u) |
           (c - 0xF900u <= 0xFAFFu - 0xF900u) | (c - 0xD840u <= 0xD8BFu - 0xD840u);
}

// Whether any of the kStretch units from `units` may be a kanji: a fixed
// count and an unsigned "or", which the compiler turns into vector code.
constexpr qsizetype kStretch = 64;
inline bool stretchMayHoldKanji(const char16_t *units)
{
    unsigned may = 0;
    for (qsizetype i = 0; i < kStretch; ++i)
        may |= mayBeKanji(units[i]);
    return may != 0;
}

} // namespace

bool containsKanji(QStringView text)
{
    // Asked of every word, and of a whole document before 点字翻訳: a
    // stretch with no unit that may be a kanji is passed over at once; from
    // the first that may (or the last, short one) the text is looked at
    // character by character.
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    qsizetype from = 0;
    while (from + kStretch <= size && !stretchMayHoldKanji(units + from))
        from += kStretch;
    // Walked in place rather than copied out as UCS-4.
    for (qsizetype i = from; i < size; ++i) {
        char32_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < size && text[i + 1].isLowSurrogate())
            u = QChar::surrogateToUcs4(char16_t(u), text[++i].unicode());
        if (isKanjiCharacter(u))
            return true;
    }
    return false;
}

QString toHiragana(QStringView text)
{
    QString result = text.toString();
    for (QChar &c : result) {
        // ァ..ヶ sit 0x60 above ぁ..ゖ; ー and the rest have no hiragana.
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)
            c = QChar(char16_t(c.unicode() - 0x60));
    }
    return result;
}

int moraCount(QStringView kana)
{
    int count = 0;
    for (QChar c : kana) {
        if ((isHiragana(c) || isKatakana(c)) && !isSmallKana(c))
            ++count;
    }
    return count;
}

char vowelOf(QChar kana)
{
    // Each string holds the syllables of one vowel, hiragana and katakana.
    static const struct
    {
        char vowel;
        QString kana;
    } rows[] = {
        {'a', QStringLiteral("あかさたなはまやらわがざだばぱぁゃゎ")},
        {'i', QStringLiteral("いきしちにひみりぎじぢびぴぃ")},
        {'u', QStringLiteral("うくすつぬふむゆるぐずづぶぷぅゅゔ")},
        {'e', QStringLiteral("えけせてねへめれげぜでべぺぇ")},
        {'o', QStringLiteral("おこそとのほもよろをごぞどぼぽぉょ")},
    };
    const QChar hiragana = toHiragana(QStringView(&kana, 1)).front();
    for (const auto &row : rows) {
        if (row.kana.contains(hiragana))
            return row.vowel;
    }
    return 0;
}

QString kanaOf(const Morpheme &morpheme)
{
    if (!morpheme.userKana.isEmpty())
        return morpheme.userKana;
    const QString &surface = morpheme.surface();
    // Worked out before for the dictionary entry, when it was first met.
    if (const MorphemeFeatures *entry = morpheme.entryOfSurface())
        return entry->kana;
    // Views into the feature text: one copy is made, of the reading, and
    // changed in place (this runs for every word of every line).
    const QStringView reading = morpheme.feature(7);
    if (isAllKatakana(surface) || reading.isEmpty() || isText(reading, u"*") ||
        isText(morpheme.partOfSpeech(), u"記号"))
        return surface;
    // Digits and Latin letters are never read out.
    for (QChar c : surface) {
        if (c.isDigit() || isLatinLetter(c))
            return surface;
    }

    QString kana = reading.toString();
    const QStringView pronunciation = morpheme.feature(8);
    if (pronunciation.size() == reading.size()) {
        for (qsizetype i = 0; i < kana.size(); ++i) {
            const QChar said = pronunciation[i];
            if ((kana[i] == u'ウ' && said == u'ー') || (kana[i] == u'ハ' && said == u'ワ') ||
                (kana[i] == u'ヘ' && said == u'エ'))
                kana[i] = said;
        }
    } else if (isText(morpheme.partOfSpeech(), u"助詞") && (isText(kana, u"ハ") || isText(kana, u"ヘ"))) {
        kana = isText(kana, u"ハ") ? QStringLiteral("ワ") : QStringLiteral("エ");
    }
    for (QChar &c : kana) {
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)
            c = QChar(char16_t(c.unicode() - 0x60));
    }
    return kana;
}

} // namespace KanaWords
