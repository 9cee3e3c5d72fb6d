#include "computerbraille.h"

#include "latincells.h"

using namespace LatinCells;

namespace {

struct Sign
{
    char16_t text;
    const char16_t *cells;
};

// One sign per character, and no cell string is the start of another's
// that could follow it, so that reading back needs no look-ahead past a sign.
const Sign kSigns[] = {
    {u'.', u"⠲"}, {u'/', u"⠌"},  {u':', u"⠐⠂"}, {u'@', u"⠪"},  {u'-', u"⠤"},  {u'_', u"⠸"},
    {u'~', u"⠐⠤"}, {u'?', u"⠢"},  {u'&', u"⠯"},  {u'#', u"⠩"},  {u'+', u"⠬"},  {u'%', u"⠻"},
    {u'=', u"⠒⠒"}, {u'\\', u"⠫"}, {u'$', u"⠹"},  {u'*', u"⠡"},  {u';', u"⠆"},  {u',', u"⠂"},
    {u'!', u"⠖"},  {u'\'', u"⠄"}, {u'<', u"⠣"},  {u'>', u"⠜"},  {u'{', u"⠐⠣"}, {u'}', u"⠐⠜"},
    {u'[', u"⠷"},  {u']', u"⠾"},  {u'|', u"⠳"},  {u'^', u"⠘"},
};

const char16_t *signCells(QChar c)
{
    for (const Sign &sign : kSigns) {
        if (sign.text == c.unicode())
            return sign.cells;
    }
    return nullptr;
}

} // namespace

namespace ComputerBraille {

bool canEncode(QStringView text)
{
    for (const QChar c : text) {
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && !signCells(c))
            return false;
    }
    return true;
}

QString encode(QStringView text)
{
    QString out;
    out.reserve(text.size() * 2);
    bool inNumber = false;
    for (const QChar c : text) {
        if (isAsciiDigit(c)) {
            if (!inNumber)
                out += QChar(kNumeralSign);
            out += digitCell(c);
            inNumber = true;
        } else if (isAsciiLetter(c)) {
            if (c.isUpper())
                out += QChar(kCapital);
            else if (inNumber && c <= u'j')
                out += QChar(kLetterAfterNumber);
            out += letterCell(c);
            inNumber = false;
        } else if (const char16_t *cells = signCells(c)) {
            out += QStringView(cells);
            // A number runs on over its points and commas.
            inNumber = inNumber && (c == u'.' || c == u',');
        } else {
            return QString();
        }
    }
    return out;
}

QString decode(QStringView braille, bool *ok)
{
    QString text;
    bool read = true;
    bool inNumber = false;
    bool capital = false;
    for (qsizetype i = 0; i < braille.size();) {
        const QChar c = braille[i];
        if (c == QChar(kNumeralSign)) {
            inNumber = true;
            ++i;
            continue;
        }
        if (c == QChar(kCapital)) {
            capital = true;
            inNumber = false;
            ++i;
            continue;
        }
        if (c == QChar(kLetterAfterNumber)) {
            inNumber = false;
            ++i;
            continue;
        }
        if (inNumber && !digitOf(c).isNull()) {
            text += digitOf(c);
            ++i;
            continue;
        }
        if (const QChar letter = letterOf(c); !letter.isNull()) {
            text += capital ? letter.toUpper() : letter;
            capital = inNumber = false;
            ++i;
            continue;
        }
        const Sign *found = nullptr;
        for (const Sign &sign : kSigns) {
            if (braille.sliced(i).startsWith(QStringView(sign.cells)) &&
                (!found || QStringView(sign.cells).size() > QStringView(found->cells).size()))
                found = &sign;
        }
        if (!found) {
            text += c;
            read = false;
            ++i;
            continue;
        }
        text += QChar(found->text);
        inNumber = inNumber && (found->text == u'.' || found->text == u',');
        i += QStringView(found->cells).size();
    }
    if (ok)
        *ok = read;
    return text;
}

} // namespace ComputerBraille
