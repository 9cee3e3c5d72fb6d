#include "kananumbers.h"
#include "kanaword.h"
#include "kanawords.h"

#include <algorithm>
#include <bitset>

using KanaWords::isText;

namespace KanaRules {

namespace {

enum class SignPlace {
    Word,         // a word of its own
    AfterNumber,  // joined to the number before it (10°)
    BeforeNumber, // written before the number but read after it (＄100)
};

struct SignReading
{
    const char16_t *signs;
    const char16_t *kana;
    SignPlace place;
};

// Signs that braille has no cell for in Japanese text, and what a
// transcriber writes for them.
const SignReading kSigns[] = {
    {u"＄$", u"どる", SignPlace::BeforeNumber},
    {u"￥¥", u"えん", SignPlace::BeforeNumber},
    {u"€", u"ゆーろ", SignPlace::BeforeNumber},
    {u"£￡", u"ぽんど", SignPlace::BeforeNumber},
    {u"°℃", u"ど", SignPlace::AfterNumber},
    {u"〒", u"ゆーびん ばんごー", SignPlace::Word},
    {u"№", u"なんばー", SignPlace::Word},
    {u"㎝", u"cm", SignPlace::AfterNumber},
    {u"㎜", u"mm", SignPlace::AfterNumber},
    {u"㎞", u"km", SignPlace::AfterNumber},
    {u"㎏", u"kg", SignPlace::AfterNumber},
    {u"㎎", u"mg", SignPlace::AfterNumber},
    {u"㎖", u"ml", SignPlace::AfterNumber},
    {u"ℓ", u"l", SignPlace::AfterNumber},
    // The percent sign has braille; the dictionary would read it out.
    {u"％", u"％", SignPlace::AfterNumber},
    {u"%", u"%", SignPlace::AfterNumber},
};

// Signs the braille translation has cells for; they are left as written.
const QString kSignsWithBraille = QStringLiteral("※→←↑↓＆&＃#＊*〜～…‥・＿_／/＼@＠");

// Kana and kanji, the letters of most words, told apart at once (the
// long-vowel mark and ヽヾ among them; ・ and the spacing voiced marks, which
// are signs, not).
bool isKanaOrKanji(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FA) || (u >= 0x30FC && u <= 0x30FE) ||
           (u >= 0x4E00 && u <= 0x9FFF);
}

} // namespace

bool isSignFree(QStringView text)
{
    // The signs read or reported here are all in the first plane: the
    // halves of a surrogate pair (an ideograph of the supplementary plane,
    // mostly) never are one.
    return std::all_of(text.begin(), text.end(), [](QChar c) { return isKanaOrKanji(c) || c.isSurrogate(); });
}

namespace {

const SignReading *readingOf(const QString &surface)
{
    if (surface.size() != 1 || isKanaOrKanji(surface.front()) || surface.front().isLetter())
        return nullptr;
    const char16_t c = surface.front().unicode();
    // Every sign of the table at once, to pass over the others (、。).
    static const std::bitset<65536> listed = [] {
        std::bitset<65536> signs;
        for (const SignReading &sign : kSigns) {
            for (const char16_t *s = sign.signs; *s; ++s)
                signs.set(*s);
        }
        return signs;
    }();
    if (!listed.test(c))
        return nullptr;
    for (const SignReading &sign : kSigns) {
        for (const char16_t *s = sign.signs; *s; ++s) {
            if (*s == c)
                return &sign;
        }
    }
    return nullptr;
}

bool isSign(QChar c)
{
    switch (c.category()) {
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
        return true;
    default:
        return false;
    }
}

} // namespace

void applySignReadings(LineWords words, QStringList &kept)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        KanaWord &w = words[i];
        // Most words are kana and kanji alone: no sign among them.
        if (isSignFree(w))
            continue;
        const QString &surface = w.m->surface(); // read only: the written form may be shared
        // Signs are the dictionary's 記号, its unknown words, or nouns it
        // made up for them.
        if (!w.m->userKana.isEmpty() ||
            (w.m->known && !isText(w.m->partOfSpeech(), u"記号") && surface.size() > 1))
            continue;
        // Circled numbers: ① → (1).
        if (surface.size() == 1 && surface.front() >= u'①' && surface.front() <= u'⑳') {
            w.setKana(u'(' + QString::number(surface.front().unicode() - u'①' + 1) + u')');
            w.role = Role::Word;
            continue;
        }
        const SignReading *sign = readingOf(surface);
        if (!sign) {
            for (QChar c : surface) {
                if (!isKanaOrKanji(c) && !c.isLetter() && isSign(c) && !kSignsWithBraille.contains(c) &&
                    !kept.contains(QString(c)))
                    kept.append(QString(c));
            }
            continue;
        }
        w.setKana(QString::fromUtf16(sign->kana));
        const bool numberBefore = i > 0 && isNumber(*words[i - 1].m) && w.m->spaceBefore.isEmpty();
        const bool numberAfter =
            i + 1 < words.size() && isNumber(*words[i + 1].m) && words[i + 1].m->spaceBefore.isEmpty();
        if (sign->place == SignPlace::BeforeNumber && numberAfter) {
            // Read after the number: ＄100 → 100どる.
            words[i + 1].m->spaceBefore = w.m->spaceBefore;
            w.m->spaceBefore.clear();
            w.role = Role::Attached;
            w.join = Join::Joined;
            words.swapItemsAt(i, i + 1);
            ++i;
        } else if (sign->place != SignPlace::Word && numberBefore) {
            w.role = Role::Attached;
            w.join = Join::Joined;
        } else {
            w.role = Role::Word;
        }
    }
}

} // namespace KanaRules

namespace KanaRules {

QString expandIterationMarks(const QString &line)
{
    // The marks: 々 (U+3005), the voiced marks with ゝゞ (U+3099..U+309E,
    // marks all of them) and ヽヾ (U+30FD, U+30FE). Asked of every
    // character of every line, most of which hold none.
    if (std::none_of(line.begin(), line.end(), [](QChar c) {
            const char16_t u = c.unicode();
            return u == 0x3005 || char16_t(u - 0x3099) <= 0x309E - 0x3099 || u == 0x30FD || u == 0x30FE;
        }))
        return line;
    static const QString marks = QStringLiteral("ゝゞヽヾ");
    QString result;
    result.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        const QChar before = result.isEmpty() ? QChar() : result.back();
        // A voiced or semi-voiced mark written after its kana (か゛, う゛)
        // makes one kana with it where there is one (が, ゔ).
        const bool voicedMark = c == u'゛' || c == QChar(0x3099);
        if ((voicedMark || c == u'゜' || c == QChar(0x309A)) && !result.isEmpty()) {
            const QString composed = (QString(before) + QChar(voicedMark ? 0x3099 : 0x309A))
                                         .normalized(QString::NormalizationForm_C);
            if (composed.size() == 1) {
                result.back() = composed.front();
                continue;
            }
        }
        const qsizetype mark = marks.indexOf(c);
        if (mark >= 0 && !result.isEmpty()) {
            const bool hiragana = KanaWords::isHiragana(before);
            const bool katakana = KanaWords::isKatakana(before) && before != u'ー';
            if ((mark < 2 && hiragana) || (mark >= 2 && katakana)) {
                // The voiced mark gives the voiced kana, where there is one.
                QChar kana = before;
                if (mark % 2 == 1) {
                    const QString composed =
                        (QString(before) + QChar(0x3099)).normalized(QString::NormalizationForm_C);
                    if (composed.size() == 1)
                        kana = composed.front();
                }
                result += kana;
                continue;
            }
        }
        // A run of 々 repeats as many kanji before it (部分々々 → 部分部分);
        // one 々 belongs to words the dictionary knows (人々).
        if (c == u'々' && i + 1 < line.size() && line[i + 1] == u'々') {
            qsizetype run = 0;
            while (i + run < line.size() && line[i + run] == u'々')
                ++run;
            if (result.size() >= run) {
                result += result.right(run);
                i += run - 1;
                continue;
            }
        }
        result += c;
    }
    return result;
}

} // namespace KanaRules
