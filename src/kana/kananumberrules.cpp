#include "kananumbers.h"
#include "kanaword.h"
#include "kanawords.h"

using namespace KanaWords;

namespace KanaRules {

namespace {

// 何 as the last element of a number (何本 → なんぼん).
constexpr int kWhat = -1;

bool isWhatOrSome(const Morpheme &m)
{
    return isNumber(m) && (m.isWritten(u"何") || m.isWritten(u"数"));
}

bool isUnitsOnly(QStringView text)
{
    for (QChar c : text) {
        if (!QStringView(u"十百千万億兆").contains(c))
            return false;
    }
    return !text.isEmpty();
}

// The digits of a number, when it is nothing else: -1 for 3000まん or 数.
int plainValue(const QString &kana)
{
    return kana.size() <= 4 ? KanaNumbers::smallValue(kana) : -1;
}

// Counters whose first sound changes after some numbers: which numbers
// give the semi-voiced sound (ぷん, ぽん) and which the voiced (ぼん, がい).
struct CounterSound
{
    const char16_t *counters;
    QList<int> semiVoiced;
    QList<int> voiced;
};

const CounterSound kCounterSounds[] = {
    {u"分", {1, 3, 4, 6, 8, 10, 100}, {}},
    {u"本杯匹", {1, 6, 8, 10, 100}, {3, 1000, 10000, kWhat}},
    {u"発泊", {1, 3, 6, 8, 10, 100}, {}},
    {u"階軒", {}, {3, kWhat}},
    {u"足", {}, {3, 1000}},
};

QChar shifted(QChar kana, bool semiVoiced)
{
    // は行 takes both; か行 and さ行 only the voiced sound.
    static const QString plain = QStringLiteral("はひふへほかきくけこさしすせそ");
    static const QString voiced = QStringLiteral("ばびぶべぼがぎぐげござじずぜぞ");
    static const QString semi = QStringLiteral("ぱぴぷぺぽ");
    const qsizetype at = plain.indexOf(kana);
    if (at < 0)
        return kana;
    if (semiVoiced)
        return at < semi.size() ? semi[at] : kana;
    return voiced[at];
}

QString counterWithSoundChange(const QString &counter, const QString &kana, int element)
{
    if (counter.size() != 1 || kana.isEmpty())
        return kana;
    for (const CounterSound &sound : kCounterSounds) {
        if (!QStringView(sound.counters).contains(counter.front()))
            continue;
        if (sound.semiVoiced.contains(element))
            return shifted(kana.front(), true) + kana.mid(1);
        if (sound.voiced.contains(element))
            return shifted(kana.front(), false) + kana.mid(1);
    }
    return kana;
}

// The days of a month read in native numbers, written in kana.
QString nativeDay(int day)
{
    static const char16_t *const days[] = {u"",       u"ついたち", u"ふつか", u"みっか",
                                           u"よっか", u"いつか",   u"むいか", u"なのか",
                                           u"ようか", u"ここのか", u"とおか"};
    if (day >= 1 && day <= 10)
        return QString::fromUtf16(days[day]);
    return day == 20 ? QStringLiteral("はつか") : QString();
}

bool isRangeSign(const KanaWord &w)
{
    return w.m->isWritten(u"～") || w.m->isWritten(u"〜") || w.m->isWritten(u"－") ||
           w.m->isWritten(u"-");
}

// A day that belongs to a date: after a month, or next to a range sign.
bool isDateDay(LineWords words, qsizetype number)
{
    if (number > 0 && words[number - 1].kana().endsWith(u"がつ"))
        return true;
    if (number > 0 && isRangeSign(words[number - 1]))
        return true;
    return number + 2 < words.size() && isRangeSign(words[number + 2]);
}

// The number and its counter become one word where the whole is read in
// native Japanese (ふたり, はつか, はたち); the counter's kana moves into
// the number's and the counter is left empty.
bool applyNativeReading(LineWords words, qsizetype number)
{
    KanaWord &counter = words[number + 1];
    KanaWord &digits = words[number];
    const int value = plainValue(digits.kana());
    const QString &unit = counter.m->surface();
    QString native;
    if (isText(unit, u"人") && (value == 1 || value == 2))
        native = value == 1 ? QStringLiteral("ひとり") : QStringLiteral("ふたり");
    else if ((isText(unit, u"歳") || isText(unit, u"才")) && value == 20)
        native = QStringLiteral("はたち");
    else if (isText(unit, u"日") || isText(unit, u"日間")) {
        const QString rest = isText(unit, u"日間") ? QStringLiteral("かん") : QString();
        if (value == 14 || value == 24) {
            counter.setKana(QStringLiteral("か") + rest);
            return true;
        }
        // A single day as a length of time is いちにち (1日中, 1日おき).
        if (value == 1 && (!rest.isEmpty() || !isDateDay(words, number)))
            return false;
        native = nativeDay(value);
        if (!native.isEmpty())
            native += rest;
    }
    if (native.isEmpty())
        return false;
    digits.setKana(native);
    counter.setKana(QString());
    return true;
}

void applyCounter(LineWords words, qsizetype number)
{
    KanaWord &counter = words[number + 1];
    const Morpheme &m = *counter.m;
    if (!counter.m->userKana.isEmpty() || !counter.m->spaceBefore.isEmpty())
        return;
    // Digits + 月 is the month (12がつ), though the dictionary reads つき.
    if (m.isWritten(u"月") && !words[number].m->isWritten(u"何")) {
        counter.setKana(QStringLiteral("がつ"));
        counter.role = Role::Attached;
        return;
    }
    if (!isText(m.subdivision(), u"接尾"))
        return;
    if (applyNativeReading(words, number))
        return;
    const KanaWord &digits = words[number];
    int element = KanaNumbers::lastSpokenElement(digits.kana());
    if (digits.m->isWritten(u"何"))
        element = kWhat;
    else if (digits.join == Join::Joined && isUnitsOnly(digits.m->surface())) // 何千, 数百
        element = QList<int>{
            10, 100, 1000, 10000, 0, 0}[QStringView(u"十百千万億兆").indexOf(digits.m->surface().back())];
    counter.setKana(counterWithSoundChange(m.surface(), counter.kana(), element));
}

// 数 and 何 with a unit are read as words: 数万 → すーまん, 何千 → なんぜん.
void applyUnitAfterWhat(KanaWord &what, KanaWord &unit)
{
    QString kana = toHiragana(unit.m->reading());
    if (what.m->isWritten(u"何") && !kana.isEmpty()) {
        if (unit.m->isWritten(u"千"))
            kana = QStringLiteral("ぜん");
        else if (unit.m->isWritten(u"百"))
            kana = QStringLiteral("びゃく");
    }
    if (kana.isEmpty())
        return;
    unit.setKana(kana);
    unit.join = Join::Joined;
}

// Braille of a number, numeral sign first.
QString numberCells(int value)
{
    static const char16_t cells[] = u"⠚⠁⠃⠉⠙⠑⠋⠛⠓⠊";
    QString result = QStringLiteral("⠼");
    for (QChar digit : QString::number(value))
        result += QChar(cells[digit.digitValue()]);
    return result;
}

// An approximate number written 五、六人 is two numbers side by side, each
// with its numeral sign and no 読点 between: ⠼⠑⠼⠋. Kana text has no way to
// say that, so the number is written in braille cells, which the braille
// translation takes as they are; a connector follows where the counter
// starts with a kana that reads like a digit.
bool applyApproximateNumber(LineWords words, qsizetype i)
{
    if (i + 3 >= words.size())
        return false;
    KanaWord &first = words[i];
    KanaWord &comma = words[i + 1];
    KanaWord &second = words[i + 2];
    KanaWord &counter = words[i + 3];
    if (!comma.m->isWritten(u"、") || !isNumber(*second.m) ||
        !KanaNumbers::isKanjiNumeral(first.m->surface()) ||
        !KanaNumbers::isKanjiNumeral(second.m->surface()) || !isText(counter.m->subdivision(), u"接尾") ||
        !comma.m->spaceBefore.isEmpty() || !second.m->spaceBefore.isEmpty() ||
        !counter.m->spaceBefore.isEmpty())
        return false;
    const int a = plainValue(first.kana());
    const int b = plainValue(second.kana());
    if (a < 0 || b < 0 || b % 10 != (a + 1) % 10)
        return false;
    counter.setKana(counterWithSoundChange(counter.m->surface(), counter.kana(),
                                           KanaNumbers::lastSpokenElement(second.kana())));
    first.setKana(numberCells(a) + numberCells(b));
    if (!counter.kana().isEmpty() && QStringView(u"あいうえおらりるれろ").contains(counter.kana().front()))
        first.setKana(first.kana() + u'⠤');
    comma.setKana(QString());
    second.setKana(QString());
    return true;
}

} // namespace

void applyNumberReadings(LineWords words)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        // A day of the week in brackets after a date: （水） → （すい）.
        if (i + 2 < words.size() && words[i].role == Role::Opening && words[i + 2].role == Role::Closing &&
            words[i + 1].m->userKana.isEmpty()) {
            static const QString days = QStringLiteral("月火水木金土日");
            static const char16_t *const kana[] = {u"げつ", u"か", u"すい", u"もく", u"きん", u"ど", u"にち"};
            const QString &day = words[i + 1].m->surface();
            if (day.size() == 1 && days.contains(day.front()))
                words[i + 1].setKana(QString::fromUtf16(kana[days.indexOf(day.front())]));
        }
        KanaWord &w = words[i];
        // 何月 is なんがつ, though the dictionary reads なに つき.
        if (w.m->isWritten(u"何") && i + 1 < words.size() &&
            words[i + 1].m->isWritten(u"月") && words[i + 1].m->spaceBefore.isEmpty() &&
            w.m->userKana.isEmpty()) {
            w.setKana(QStringLiteral("なん"));
            words[i + 1].setKana(QStringLiteral("がつ"));
            words[i + 1].join = Join::Joined;
            continue;
        }
        if (!isNumber(*w.m) || !w.m->userKana.isEmpty())
            continue;
        if (applyApproximateNumber(words, i)) {
            i += 3;
            continue;
        }
        const bool hasNext = i + 1 < words.size() && words[i + 1].m->spaceBefore.isEmpty();
        if (isWhatOrSome(*w.m)) {
            // 二十数人: 数 is part of the number before it.
            if (w.m->isWritten(u"数") && i > 0 && isNumber(*words[i - 1].m) &&
                w.m->spaceBefore.isEmpty())
                w.join = Join::Joined;
            if (hasNext && isNumber(*words[i + 1].m) && isUnitsOnly(words[i + 1].m->surface()))
                applyUnitAfterWhat(w, words[i + 1]);
        }
        if (hasNext && !isNumber(*words[i + 1].m))
            applyCounter(words, i);
    }
}

} // namespace KanaRules
