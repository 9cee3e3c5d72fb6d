#include "englishbraille.h"

#include "latincells.h"

#include <liblouis/liblouis.h>

#include <cstdlib>
#include <mutex>
#include <vector>

using namespace LatinCells;

namespace {

struct Sign
{
    char16_t text;
    char16_t cell;
};

constexpr Sign kPunctuation[] = {
    {u',', cell("2")},  {u';', cell("23")}, {u':', cell("25")}, {u'.', cell("256")},
    {u'!', cell("235")}, {u'?', cell("236")}, {u'\'', cell("3")}, {u'-', cell("36")},
};

QChar punctuationCell(QChar c)
{
    for (const Sign &sign : kPunctuation) {
        if (sign.text == c.unicode())
            return QChar(sign.cell);
    }
    return QChar();
}

QChar punctuationText(QChar cell)
{
    for (const Sign &sign : kPunctuation) {
        if (sign.cell == cell.unicode())
            return QChar(sign.text);
    }
    return QChar();
}

// Whether the letters from `i` to the end of their run are all capitals,
// and there are at least two of them.
bool capitalsToRunEnd(QStringView text, qsizetype i)
{
    qsizetype n = 0;
    for (; i < text.size() && isAsciiLetter(text[i]); ++i, ++n) {
        if (!text[i].isUpper())
            return false;
    }
    return n >= 2;
}

bool digitAt(QStringView text, qsizetype i)
{
    return i < text.size() && isAsciiDigit(text[i]);
}

// liblouis gives dots as 0x8000 | dots in dotsIO mode and, with ucBrl, as
// Unicode braille; dots 7 and 8 are not written here.
QChar unicodeCell(widechar c)
{
    if (c == u' ')
        return QChar(kBlank);
    if ((c & 0xFF00) == 0x2800 || (c & 0x8000))
        return QChar(char16_t(0x2800 | (c & 0x3F)));
    return QChar(char16_t(c));
}

// liblouis keeps its tables in shared state: one call at a time, and the
// tables are freed when the program ends.
std::mutex g_louisMutex;

void freeTablesAtExit()
{
    static const bool registered = std::atexit(lou_free) == 0;
    Q_UNUSED(registered);
}

} // namespace

namespace EnglishBraille {

QString grade1(QStringView text)
{
    QString out;
    out.reserve(text.size() * 2);
    bool inNumber = false;
    bool capitalWord = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isAsciiDigit(c)) {
            if (!inNumber)
                out += QChar(kNumeralSign);
            out += digitCell(c);
            inNumber = true;
            continue;
        }
        if ((c == u'.' || c == u',') && inNumber && digitAt(text, i + 1)) {
            out += punctuationCell(c);
            continue;
        }
        if (isAsciiLetter(c)) {
            const bool startsRun = i == 0 || !isAsciiLetter(text[i - 1]);
            if (startsRun)
                capitalWord = capitalsToRunEnd(text, i);
            if (startsRun && capitalWord) {
                out += QChar(kCapital);
                out += QChar(kCapital);
            } else if (c.isUpper() && !capitalWord) {
                out += QChar(kCapital);
            } else if (inNumber && c.toLower() <= u'j') {
                out += QChar(kLetterAfterNumber);
            }
            out += letterCell(c);
        } else if (c == u' ') {
            out += QChar(kBlank);
        } else if (const QChar cell = punctuationCell(c); !cell.isNull()) {
            out += cell;
        } else {
            out += c;
        }
        inNumber = false;
    }
    return out;
}

QString grade2(QStringView text, bool *failed)
{
    std::vector<widechar> in(std::size_t(text.size()) + 1);
    for (qsizetype i = 0; i < text.size(); ++i)
        in[std::size_t(i)] = text[i].unicode();
    int inLength = int(text.size());
    int outLength = int(text.size()) * 4 + 16;
    std::vector<widechar> out(static_cast<std::size_t>(outLength));
    const std::lock_guard lock(g_louisMutex);
    freeTablesAtExit();
    const int done = lou_translateString(kGrade2Table, in.data(), &inLength, out.data(), &outLength, nullptr,
                                         nullptr, ucBrl | dotsIO);
    if (!done || inLength < text.size()) {
        if (failed)
            *failed = true;
        return grade1(text);
    }
    if (failed)
        *failed = false;
    QString braille;
    braille.reserve(outLength);
    for (int i = 0; i < outLength; ++i)
        braille += unicodeCell(out[std::size_t(i)]);
    return braille;
}

QString backGrade1(QStringView braille, bool *ok)
{
    QString text;
    bool read = true;
    bool inNumber = false;
    bool capitalWord = false;
    bool capitalNext = false;
    for (qsizetype i = 0; i < braille.size(); ++i) {
        const QChar c = braille[i];
        const QChar next = i + 1 < braille.size() ? braille[i + 1] : QChar();
        if (c == QChar(kBlank) || c == u' ') {
            text += u' ';
            inNumber = capitalWord = capitalNext = false;
        } else if (c == QChar(kNumeralSign)) {
            inNumber = true;
        } else if (c == QChar(kCapital)) {
            if (next == QChar(kCapital)) {
                capitalWord = true;
                ++i;
            } else {
                capitalNext = true;
            }
            inNumber = false;
        } else if (c == QChar(kLetterAfterNumber)) {
            inNumber = false;
        } else if (inNumber && !digitOf(c).isNull()) {
            text += digitOf(c);
        } else if (inNumber && (c == QChar(cell("256")) || c == QChar(cell("2"))) && !digitOf(next).isNull()) {
            text += c == QChar(cell("2")) ? u',' : u'.';
        } else if (const QChar letter = letterOf(c); !letter.isNull()) {
            text += capitalWord || capitalNext ? letter.toUpper() : letter;
            capitalNext = false;
            inNumber = false;
        } else if (const QChar sign = punctuationText(c); !sign.isNull()) {
            text += sign;
            capitalWord = inNumber = false;
        } else {
            text += c;
            read = false;
        }
    }
    if (ok)
        *ok = read;
    return text;
}

QString backGrade2(QStringView braille, bool *ok)
{
    std::vector<widechar> in(std::size_t(braille.size()) + 1);
    for (qsizetype i = 0; i < braille.size(); ++i) {
        const char16_t c = braille[i].unicode();
        in[std::size_t(i)] = c == u' ' || c == u'　' ? widechar(LOU_DOTS) : widechar(LOU_DOTS | (c & 0xFF));
    }
    int inLength = int(braille.size());
    int outLength = int(braille.size()) * 8 + 16;
    std::vector<widechar> out(static_cast<std::size_t>(outLength));
    const std::lock_guard lock(g_louisMutex);
    freeTablesAtExit();
    const int done = lou_backTranslateString(kGrade2Table, in.data(), &inLength, out.data(), &outLength,
                                             nullptr, nullptr, dotsIO);
    if (ok)
        *ok = done != 0;
    if (!done)
        return QString();
    QString text;
    text.reserve(outLength);
    for (int i = 0; i < outLength; ++i)
        text += QChar(char16_t(out[std::size_t(i)]));
    return text;
}

} // namespace EnglishBraille
