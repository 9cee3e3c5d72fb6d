#include "bookmarkers.h"

namespace BookMarkers {

namespace {

const QString kHeading = QStringLiteral("ミダシ");
const QString kPageBreak = QStringLiteral("カイページ");
const QString kKeepStart = QStringLiteral("マトメ");
const QString kKeepEnd = QStringLiteral("マトメオワリ");
const QString kOriginalPage = QStringLiteral("ゲンポン");

bool isOpening(QChar c)
{
    return c == u'［' || c == u'[';
}

bool isClosing(QChar c)
{
    return c == u'］' || c == u']';
}

// Digits, half-width or full-width, as a number; -1 when there are none or
// anything else.
int number(QStringView text)
{
    if (text.isEmpty() || text.size() > 6)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        const int digit = c.digitValue();
        if (digit < 0)
            return -1;
        value = value * 10 + digit;
    }
    return value;
}

// The marker's word between the brackets at the start of the line, and
// where the text after it starts; nothing when the line has no marker.
// Blanks inside and hiragana for katakana are taken as the marker, as a
// kana conversion of the text may leave them.
bool splitMarker(QStringView line, QString &word, QStringView &rest)
{
    if (line.isEmpty() || !isOpening(line.front()))
        return false;
    for (qsizetype i = 1; i < line.size() && i < 24; ++i) {
        if (isClosing(line[i])) {
            word.clear();
            for (const QChar c : line.sliced(1, i - 1)) {
                if (c == u' ' || c == u'　')
                    continue;
                const bool hiragana = c.unicode() >= 0x3041 && c.unicode() <= 0x3096;
                word += hiragana ? QChar(char16_t(c.unicode() + 0x60)) : c;
            }
            rest = line.sliced(i + 1);
            return true;
        }
    }
    return false;
}

} // namespace

Line parse(QStringView line)
{
    Line result;
    QString word;
    QStringView rest;
    if (splitMarker(line, word, rest)) {
        if (word.startsWith(kHeading)) {
            const int level = number(QStringView(word).sliced(kHeading.size()));
            if (level >= 1 && level <= 3) {
                result.kind = Kind::Heading;
                result.level = level;
                result.text = rest.trimmed().toString();
                return result;
            }
        } else if (word == kPageBreak && rest.trimmed().isEmpty()) {
            result.kind = Kind::PageBreak;
            return result;
        } else if (word == kKeepEnd && rest.trimmed().isEmpty()) {
            result.kind = Kind::KeepEnd;
            return result;
        } else if (word == kKeepStart && rest.trimmed().isEmpty()) {
            result.kind = Kind::KeepStart;
            return result;
        } else if (word.startsWith(kOriginalPage) && rest.trimmed().isEmpty()) {
            const int page = number(QStringView(word).sliced(kOriginalPage.size()));
            if (page > 0) {
                result.kind = Kind::OriginalPage;
                result.originalPage = page;
                return result;
            }
        }
    }
    // A word in brackets that is no marker is the text's own.
    result.text = line.toString();
    result.kind = line.trimmed().isEmpty() ? Kind::Blank : Kind::Paragraph;
    return result;
}

QString withHeading(QStringView line, int level)
{
    const Line parsed = parse(line);
    const QString text = parsed.kind == Kind::Heading ? parsed.text : line.toString();
    return level >= 1 && level <= 3 ? headingMarker(level) + text : text;
}

QString headingMarker(int level)
{
    return QStringLiteral("［%1%2］").arg(kHeading).arg(QChar(u'０' + level));
}

QString pageBreakMarker()
{
    return QStringLiteral("［%1］").arg(kPageBreak);
}

QString keepStartMarker()
{
    return QStringLiteral("［%1］").arg(kKeepStart);
}

QString keepEndMarker()
{
    return QStringLiteral("［%1］").arg(kKeepEnd);
}

QString originalPageMarker(int page)
{
    return QStringLiteral("［%1%2］").arg(kOriginalPage).arg(page);
}

} // namespace BookMarkers
