#include "inputforms.h"

namespace {

constexpr bool isHalfWidthKatakana(char16_t c)
{
    return c >= 0xFF61 && c <= 0xFF9F;
}

constexpr bool isCombiningVoicedMark(char16_t c)
{
    return c == 0x3099 || c == 0x309A;
}

// The one form of a character that the passes read, or 0 when the character
// is read as it stands. Half-width katakana are left to the caller.
constexpr char16_t unifiedForm(char16_t c)
{
    switch (c) {
    case u' ':
    case u'\t':
    case 0x00A0: // no-break space
        return u'　';
    case 0x301C: // wave dash, where the code page gives the full-width tilde
        return u'～';
    case 0x2212: // minus sign, where the code page gives the full-width hyphen-minus
    case 0x2010: // hyphen
    case 0x2011: // non-breaking hyphen
        return u'－';
    case 0x2014: // em dash, where the code page gives the horizontal bar
        return u'―';
    default:
        break;
    }
    if (c >= 0x21 && c <= 0x7E)
        return char16_t(c + 0xFEE0);
    return 0;
}

constexpr bool needsChange(char16_t c)
{
    if (c >= 0x3000)
        return isHalfWidthKatakana(c) || c == 0x301C || isCombiningVoicedMark(c);
    return unifiedForm(c) != 0;
}

// needsChange for every UTF-16 unit, a bit each: the search for the first
// character to change, over every line, is one look a character.
struct ChangeBits
{
    quint64 bits[0x10000 / 64] = {};
    constexpr ChangeBits()
    {
        for (unsigned c = 0; c < 0x10000; ++c) {
            if (needsChange(char16_t(c)))
                bits[c / 64] |= quint64(1) << (c % 64);
        }
    }
    bool operator[](char16_t c) const { return (bits[c / 64] >> (c % 64)) & 1; }
};
constexpr ChangeBits kChanged;

// The kana at i joined with a combining voiced mark after it, when the two
// make one character; else empty.
QString composedWithNextMark(QStringView line, qsizetype i)
{
    if (i + 1 >= line.size() || !isCombiningVoicedMark(line[i + 1].unicode()))
        return {};
    const QString pair = line.sliced(i, 2).toString().normalized(QString::NormalizationForm_C);
    return pair.size() == 1 ? pair : QString();
}

} // namespace

QString normalizeInputForms(QStringView line)
{
    QString out;
    return normalizeInputForms(line, out) ? out : line.toString();
}

bool normalizeInputForms(QStringView line, QString &out)
{
    qsizetype first = 0;
    while (first < line.size() && !kChanged[line[first].unicode()])
        ++first;
    if (first == line.size())
        return false;

    out.resize(0);
    out.reserve(line.size());
    // A combining mark joins the kana before it, so the copy stops one short.
    const qsizetype kept = first > 0 && isCombiningVoicedMark(line[first].unicode()) ? first - 1 : first;
    out += line.first(kept);
    for (qsizetype i = kept; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        if (isHalfWidthKatakana(c)) {
            // Compatibility normalisation widens the kana and joins a
            // half-width voiced mark to the kana before it.
            qsizetype end = i + 1;
            while (end < line.size() && isHalfWidthKatakana(line[end].unicode()))
                ++end;
            QString run = line.sliced(i, end - i).toString().normalized(QString::NormalizationForm_KC);
            // A voiced mark with no kana to join keeps a visible form.
            run.replace(QChar(0x3099), QChar(0x309B));
            run.replace(QChar(0x309A), QChar(0x309C));
            out += run;
            i = end - 1;
        } else if (const QString voiced = composedWithNextMark(line, i); !voiced.isEmpty()) {
            out += voiced;
            ++i;
        } else if (const char16_t u = unifiedForm(c)) {
            out += QChar(u);
        } else {
            out += QChar(c);
        }
    }
    return true;
}
