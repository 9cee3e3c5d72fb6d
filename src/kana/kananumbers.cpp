#include "kananumbers.h"
#include "kanawords.h"

using KanaWords::isText;

namespace KanaNumbers {

namespace {

const QString kDigits = QStringLiteral("〇一二三四五六七八九");
const QString kSmallUnits = QStringLiteral("十百千");
const QString kLargeUnits = QStringLiteral("万億兆");

QString fullWidth(qint64 value)
{
    QString digits = QString::number(value);
    for (QChar &c : digits)
        c = QChar(char16_t(c.unicode() - u'0' + u'０'));
    return digits;
}

// A group below 10 000 written with 十百千 (二千二十六 → 2026); -1 when
// malformed.
qint64 groupValue(QStringView text)
{
    if (isText(text, u"零"))
        return 0;
    qint64 value = 0;
    qint64 digit = -1;
    qint64 lastUnit = 10000;
    for (QChar c : text) {
        const qsizetype d = kDigits.indexOf(c);
        if (d >= 0) {
            if (digit >= 0)
                return -1; // two digits in a row inside a positional number
            digit = d;
            continue;
        }
        static const qint64 units[] = {10, 100, 1000}; // 十, 百, 千
        const qint64 unit = units[kSmallUnits.indexOf(c)];
        if (unit >= lastUnit || digit == 0)
            return -1;
        value += (digit < 0 ? 1 : digit) * unit;
        lastUnit = unit;
        digit = -1;
    }
    if (digit >= 0)
        value += digit;
    return value;
}

} // namespace

bool isKanjiNumeral(QStringView text)
{
    if (text.isEmpty())
        return false;
    // 零 is a numeral by itself (零点), never inside a longer number.
    if (isText(text, u"零"))
        return true;
    for (QChar c : text) {
        if (!kDigits.contains(c) && !kSmallUnits.contains(c) && !kLargeUnits.contains(c))
            return false;
    }
    return true;
}

QString toDigits(QStringView text)
{
    if (!isKanjiNumeral(text))
        return QString();

    if (isText(text, u"零"))
        return QStringLiteral("０");
    bool positional = false;
    for (QChar c : text)
        positional = positional || !kDigits.contains(c);
    if (!positional) {
        // Written digit by digit: 二〇二六.
        QString digits;
        for (QChar c : text)
            digits += QChar(char16_t(u'０' + kDigits.indexOf(c)));
        return digits;
    }

    static const QString largeKana[] = {QStringLiteral("まん"), QStringLiteral("おく"),
                                        QStringLiteral("ちょー")};
    QString result;
    qsizetype groupStart = 0;
    qsizetype lastLarge = kLargeUnits.size();
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const qsizetype large = i < text.size() ? kLargeUnits.indexOf(text[i]) : -1;
        if (i < text.size() && large < 0)
            continue;
        const QStringView group = text.mid(groupStart, i - groupStart);
        if (large >= 0) {
            // 万 after 億 after 兆, each once. With no count before it the
            // unit is read as a word (数万, 何億), never as "1まん".
            if (large >= lastLarge)
                return QString();
            const qint64 value = group.isEmpty() ? 0 : groupValue(group);
            if (value < 0 || (value == 0 && !group.isEmpty()))
                return QString();
            if (!result.isEmpty() && !result.endsWith(u"まん"))
                result += u' '; // a blank after 億 and 兆 when more follows
            result += (value > 0 ? fullWidth(value) : QString()) + largeKana[large];
            lastLarge = large;
        } else if (!group.isEmpty()) {
            const qint64 value = groupValue(group);
            if (value < 0)
                return QString();
            if (value > 0) {
                if (!result.isEmpty() && !result.endsWith(u"まん"))
                    result += u' ';
                result += fullWidth(value);
            }
        }
        groupStart = i + 1;
    }
    return result;
}

QString withLargeUnits(QStringView text)
{
    // 3000万 → 3000まん, 5億3000万 → 5おく 3000まん.
    QString result;
    for (QChar c : text) {
        const qsizetype large = kLargeUnits.indexOf(c);
        if (large < 0) {
            if (result.endsWith(u"おく") || result.endsWith(u"ちょー"))
                result += u' ';
            result += c;
        } else {
            static const QString largeKana[] = {QStringLiteral("まん"), QStringLiteral("おく"),
                                                QStringLiteral("ちょー")};
            result += largeKana[large];
        }
    }
    return result;
}

int lastSpokenElement(QStringView numberKana)
{
    if (numberKana.endsWith(u"まん"))
        return 10000;
    qint64 value = 0;
    qint64 scale = 1;
    bool any = false;
    for (qsizetype i = numberKana.size() - 1; i >= 0 && scale < 100000000; --i) {
        const QChar c = numberKana[i];
        if (c == u',' || c == u'，')
            continue;
        const int digit = c.digitValue();
        if (digit < 0)
            break;
        value += digit * scale;
        scale *= 10;
        any = true;
    }
    if (!any || value == 0)
        return 0;
    for (int element : {1, 10, 100, 1000}) {
        if (value % (element * 10) != 0)
            return element == 1 ? int(value % 10) : element;
    }
    return 10000;
}

int smallValue(QStringView text)
{
    QString digits = isKanjiNumeral(text) ? toDigits(text) : text.toString();
    if (digits.isEmpty() || digits.size() > 4)
        return -1;
    int value = 0;
    for (QChar c : digits) {
        const int digit = c.digitValue();
        if (digit < 0)
            return -1;
        value = value * 10 + digit;
    }
    return value;
}

} // namespace KanaNumbers
