#include "textcodec.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr const char *kCp932Name = "windows-31j";

bool isLeadByte(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(uchar b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Decodes one non-ASCII cp932 character. ICU marks an unassigned code with
// U+FFFD or U+001A.
QString decodeUnit(QByteArrayView unit)
{
    QStringDecoder decoder(kCp932Name);
    const QString out = decoder.decode(unit);
    if (decoder.hasError() || out.size() != 1 || out[0] == QChar(kReplacement) || out[0] == QChar(0x1A))
        return QString(QChar(kReplacement));
    return out;
}

// Length of the cp932 character that starts at i: two bytes for a lead byte
// followed by a possible trail byte, else one.
qsizetype unitLength(QByteArrayView bytes, qsizetype i)
{
    if (isLeadByte(uchar(bytes[i])) && i + 1 < bytes.size() && isTrailByte(uchar(bytes[i + 1])))
        return 2;
    return 1;
}

bool isWellFormedUnit(QByteArrayView bytes, qsizetype i, qsizetype n)
{
    const uchar b = uchar(bytes[i]);
    return n == 2 || (b >= 0xA1 && b <= 0xDF);
}

// Decodes a run of non-ASCII characters in one call where every character in
// it is complete (ICU would keep an unfinished one to itself and say nothing);
// otherwise, or where ICU reports a problem, the run is taken apart so that
// each bad character costs one U+FFFD.
void appendNonAscii(QString &out, QByteArrayView run, QStringDecoder &decoder)
{
    bool wellFormed = true;
    for (qsizetype i = 0; i < run.size() && wellFormed;) {
        const qsizetype n = unitLength(run, i);
        wellFormed = isWellFormedUnit(run, i, n);
        i += n;
    }
    if (wellFormed) {
        const QString text = decoder.decode(run);
        if (!decoder.hasError() && !text.contains(QChar(kReplacement)) && !text.contains(QChar(0x1A))) {
            out += text;
            return;
        }
        decoder.resetState();
    }
    for (qsizetype i = 0; i < run.size();) {
        const qsizetype n = unitLength(run, i);
        out += isWellFormedUnit(run, i, n) ? decodeUnit(run.sliced(i, n)) : QString(QChar(kReplacement));
        i += n;
    }
}

QByteArray encodeCodePoint(QStringView codePoint)
{
    if (codePoint.size() == 1 && codePoint[0].isSurrogate())
        return QByteArray("?");
    QStringEncoder encoder(kCp932Name);
    const QByteArray out = encoder.encode(codePoint);
    if (encoder.hasError() || out.isEmpty())
        return QByteArray("?");
    return out;
}

// The cp932 code of a BMP character as encodeCodePoint gives it, asked of
// ICU once per character and process: a text repeats few characters, and a
// look-up costs a small part of a conversion. 0 is not asked yet, kNoCode
// none ("?"); a code below 0x100 is one byte, any other two.
constexpr quint16 kNoCode = 0xFFFF;
std::array<std::atomic<quint16>, 0x10000> g_cp932Codes{};

quint16 cp932Code(char16_t c)
{
    std::atomic<quint16> &known = g_cp932Codes[c];
    quint16 code = known.load(std::memory_order_relaxed);
    if (code != 0)
        return code;
    const QByteArray bytes = encodeCodePoint(QStringView(&c, 1));
    if (bytes == "?" || bytes.size() > 2)
        code = kNoCode;
    else
        code = bytes.size() == 1 ? quint16(uchar(bytes[0])) : quint16(uchar(bytes[0]) << 8 | uchar(bytes[1]));
    known.store(code, std::memory_order_relaxed);
    return code;
}

// Yields the text one code point at a time (a surrogate pair together; a lone
// surrogate on its own).
template <typename F> void forEachCodePoint(QStringView text, F &&f)
{
    for (qsizetype i = 0; i < text.size();) {
        qsizetype n = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            n = 2;
        f(text.mid(i, n));
        i += n;
    }
}

} // namespace

namespace Cp932 {

qsizetype wholeCharacters(QByteArrayView bytes, qsizetype limit)
{
    qsizetype i = 0;
    for (;;) {
        const qsizetype n = uchar(bytes[i]) < 0x80 ? 1 : unitLength(bytes, i);
        if (i + n > limit)
            return i;
        i += n;
    }
}

QString decode(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    // One converter for the whole text: opening one costs more than most runs.
    QStringDecoder decoder(kCp932Name);
    qsizetype i = 0;
    while (i < bytes.size()) {
        // ASCII is taken as it stands: ICU's table for this code page swaps
        // 0x1A, 0x1C and 0x7F the IBM way, which Windows-31J does not.
        if (uchar(bytes[i]) < 0x80) {
            out += QChar(uchar(bytes[i]));
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < bytes.size() && uchar(bytes[i]) >= 0x80)
            i += unitLength(bytes, i);
        appendNonAscii(out, bytes.sliced(start, i - start), decoder);
    }
    return out;
}

QByteArray encode(QStringView text, bool *lost)
{
    // No character takes more than two bytes.
    QByteArray out(text.size() * 2 + 16, Qt::Uninitialized);
    char *next = out.data();
    bool anyLost = false;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            *next++ = char(c);
            continue;
        }
        if (QChar::isSurrogate(c)) {
            // Rare, and ICU is asked each time: a pair together, a lone
            // surrogate on its own.
            const qsizetype n = QChar::isHighSurrogate(c) && i + 1 < size && text[i + 1].isLowSurrogate() ? 2 : 1;
            const QByteArray bytes = encodeCodePoint(text.sliced(i, n));
            anyLost = anyLost || bytes == "?";
            next = std::copy_n(bytes.constData(), bytes.size(), next);
            i += n - 1;
            continue;
        }
        const quint16 code = cp932Code(c);
        if (code == kNoCode) {
            *next++ = '?';
            anyLost = true;
        } else if (code > 0xFF) {
            *next++ = char(code >> 8);
            *next++ = char(code & 0xFF);
        } else {
            *next++ = char(code);
        }
    }
    out.truncate(next - out.data());
    if (lost)
        *lost = anyLost;
    return out;
}

Variants variantsIn(QByteArrayView bytes)
{
    const auto codeAt = [&](qsizetype i) { return quint16(uchar(bytes[i]) << 8 | uchar(bytes[i + 1])); };
    // First the codes encode() would not write; they are rare, and most
    // texts end here.
    QHash<quint16, char16_t> codes;
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype n = unitLength(bytes, i);
        const uchar lead = uchar(bytes[i]);
        // Only NEC row 13 (0x87) and the two sets of IBM extensions
        // (0xED-0xEE, 0xFA-0xFC) hold codes that encode() may not choose.
        if (n == 2 && (lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xFA) && !codes.contains(codeAt(i))) {
            const QByteArrayView unit = bytes.sliced(i, n);
            const QString c = decodeUnit(unit);
            const QByteArray usual = encodeCodePoint(c);
            if (c[0] != QChar(kReplacement) && usual != unit && usual.size() == 2) {
                codes.insert(codeAt(i), c[0].unicode());
                codes.insert(quint16(uchar(usual[0]) << 8 | uchar(usual[1])), c[0].unicode());
            }
        }
        i += n;
    }
    // Then every place of those characters, in whichever code.
    Variants variants;
    if (codes.isEmpty())
        return variants;
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype n = unitLength(bytes, i);
        if (n == 2) {
            const auto found = codes.constFind(codeAt(i));
            if (found != codes.cend())
                variants[*found].append(bytes.sliced(i, n).toByteArray());
        }
        i += n;
    }
    return variants;
}

QByteArray encode(QStringView text, const Variants &variants, bool *lost)
{
    if (variants.isEmpty())
        return encode(text, lost);
    QByteArray out;
    bool anyLost = false;
    QHash<char16_t, qsizetype> placesSeen;
    qsizetype start = 0;
    const auto flush = [&](qsizetype end) {
        bool runLost = false;
        out += encode(text.sliced(start, end - start), &runLost);
        anyLost = anyLost || runLost;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto found = variants.constFind(text[i].unicode());
        if (found == variants.cend() || found->isEmpty())
            continue;
        flush(i);
        qsizetype &place = placesSeen[text[i].unicode()];
        out += found->at(std::min(place, found->size() - 1));
        ++place;
        start = i + 1;
    }
    flush(text.size());
    if (lost)
        *lost = anyLost;
    return out;
}

QStringList unencodableCharacters(QStringView text)
{
    QStringList lost;
    // Most texts fit whole, which one conversion shows; only otherwise is it
    // worth a converter per character. (The encoder converts only when its
    // result is taken.)
    QStringEncoder whole(kCp932Name);
    const QByteArray converted = whole.encode(text);
    Q_UNUSED(converted);
    if (!whole.hasError() && text.isValidUtf16())
        return lost;
    // Each distinct character is tried once; a set keeps the look-up constant
    // for texts of many distinct characters.
    QSet<QStringView> seen;
    forEachCodePoint(text, [&](QStringView cp) {
        if (cp[0].unicode() < 0x80 || seen.contains(cp))
            return;
        seen.insert(cp);
        bool unencodable = cp.size() == 1 && cp[0].isSurrogate();
        if (!unencodable) {
            QStringEncoder encoder(kCp932Name);
            const QByteArray bytes = encoder.encode(cp);
            unencodable = encoder.hasError() || bytes.isEmpty();
        }
        if (unencodable)
            lost.append(cp.toString());
    });
    return lost;
}

} // namespace Cp932

namespace {

bool isContinuation(uchar b)
{
    return (b & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 character at i (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when none starts there.
qsizetype utf8Length(QByteArrayView bytes, qsizetype i)
{
    const uchar b = uchar(bytes[i]);
    if (b < 0x80)
        return 1;
    qsizetype n = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        low = b == 0xE0 ? 0xA0 : 0x80;
        high = b == 0xED ? 0x9F : 0xBF;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        low = b == 0xF0 ? 0x90 : 0x80;
        high = b == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + n > bytes.size())
        return 0;
    const uchar second = uchar(bytes[i + 1]);
    if (second < low || second > high)
        return 0;
    for (qsizetype k = 2; k < n; ++k) {
        if (!isContinuation(uchar(bytes[i + k])))
            return 0;
    }
    return n;
}

// Calls mark(line) for every position where isMark(i) holds, counting lines
// on from line by the rule of splitLines(); line is left at the line after
// the sequence's last line end.
template <typename Sequence, typename IsMark, typename Mark>
void forEachMark(const Sequence &s, IsMark &&isMark, Mark &&mark, qsizetype &line)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\r') {
            if (i + 1 < s.size() && s[i + 1] == u'\n')
                ++i;
            ++line;
        } else if (s[i] == u'\n') {
            ++line;
        } else if (isMark(i)) {
            mark(line);
        }
    }
}

} // namespace

void TextSniffer::add(QByteArrayView bytes)
{
    if (!started_ && !bytes.isEmpty()) {
        started_ = true;
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bom_ = TextEncoding::Utf8WithBom;
        else if (bytes.startsWith("\xFF\xFE"))
            bom_ = TextEncoding::Utf16Le;
        else if (bytes.startsWith("\xFE\xFF"))
            bom_ = TextEncoding::Utf16Be;
    }
    size_ += bytes.size();
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const uchar b = p[i];
        // Printable ASCII and the three-byte characters of kana and kanji
        // (no surrogates, no overlong forms) are most of a text: counted
        // here without the general checks, to the same effect.
        if (b >= 0x20 && b < 0x7F) {
            ++i;
            continue;
        }
        if (b >= 0xE1 && b <= 0xEF && b != 0xED && i + 2 < size && (p[i + 1] & 0xC0) == 0x80
            && (p[i + 2] & 0xC0) == 0x80) {
            ++goodUtf8_;
            i += 3;
            continue;
        }
        nul_ = nul_ || b == 0;
        const bool textControl = (b >= 0x09 && b <= 0x0D) || b == 0x1A || b == 0x1B;
        if ((b < 0x20 && !textControl) || b == 0x7F)
            ++control_;
        const qsizetype n = utf8Length(bytes, i);
        if (n == 0) {
            ++badUtf8_;
            ++i;
        } else {
            goodUtf8_ += n > 1 ? 1 : 0;
            i += n;
        }
    }
}

void TextSniffer::addValidUtf8(QByteArrayView bytes)
{
    size_ += bytes.size();
    // Every non-ASCII character has one lead byte, the one of its bytes with
    // both top bits set; counted eight bytes at a time.
    const char *p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    qsizetype leads = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, p + i, 8);
        // One in the low bit of each lead byte, summed by the multiplication
        // into the top byte.
        const quint64 ones = (word & (word << 1) & 0x8080808080808080ULL) >> 7;
        leads += qsizetype((ones * 0x0101010101010101ULL) >> 56);
    }
    for (; i < n; ++i)
        leads += (uchar(p[i]) & 0xC0) == 0xC0 ? 1 : 0;
    goodUtf8_ += leads;
}

TextEncoding TextSniffer::encoding() const
{
    if (bom_ != TextEncoding::Cp932)
        return bom_;
    if (goodUtf8_ == 0)
        return TextEncoding::Cp932;
    return badUtf8_ * 4 <= goodUtf8_ ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

bool TextSniffer::looksBinary() const
{
    if (bom_ == TextEncoding::Utf16Le || bom_ == TextEncoding::Utf16Be)
        return false;
    return nul_ || control_ * 10 > size_;
}

TextEncoding detectTextEncoding(QByteArrayView bytes)
{
    TextSniffer sniffer;
    sniffer.add(bytes);
    return sniffer.encoding();
}

bool looksBinary(QByteArrayView bytes)
{
    TextSniffer sniffer;
    sniffer.add(bytes);
    return sniffer.looksBinary();
}

QString decodeText(QByteArrayView bytes)
{
    return decodeText(bytes, detectTextEncoding(bytes));
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8WithBom:
        return QString::fromUtf8(bytes.sliced(3));
    case TextEncoding::Utf8:
        return QString::fromUtf8(bytes);
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
        // The byte-order mark is dropped here, so a second one stays text.
        QStringDecoder decoder(encoding == TextEncoding::Utf16Le ? QStringConverter::Utf16LE
                                                                 : QStringConverter::Utf16BE,
                               QStringConverter::Flag::ConvertInitialBom);
        return decoder.decode(bytes.sliced(2));
    }
    case TextEncoding::Cp932:
        break;
    }
    return Cp932::decode(bytes);
}

void ReplacementCounter::add(QByteArrayView bytes, QStringView decoded)
{
    // Most pieces have nothing replaced and LF line ends: only the lines
    // are counted, by the quick searches.
    if (!decoded.contains(QChar(kReplacement)) && !decoded.contains(u'\r')) {
        line_ += decoded.count(u'\n');
        return;
    }
    const qsizetype first = line_;
    QHash<qsizetype, qsizetype> perLine;
    qsizetype line = first;
    forEachMark(
        decoded, [&](qsizetype i) { return decoded[i] == QChar(kReplacement); }, [&](qsizetype at) { ++perLine[at]; },
        line);
    line_ = line;
    if (encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be || perLine.isEmpty())
        return;
    if (encoding_ != TextEncoding::Cp932) {
        line = first;
        forEachMark(
            bytes, [&](qsizetype i) { return bytes.sliced(i).startsWith("\xEF\xBF\xBD"); },
            [&](qsizetype at) { --perLine[at]; }, line);
    }
    QList<qsizetype> found;
    for (auto it = perLine.cbegin(); it != perLine.cend(); ++it) {
        if (it.value() > 0) {
            replaced_ += it.value();
            found.append(it.key());
        }
    }
    std::sort(found.begin(), found.end());
    // A line read in parts may have had its first part counted already.
    if (!found.isEmpty() && !lines_.isEmpty() && lines_.last() == found.first())
        found.removeFirst();
    lines_ += found;
}

DecodedText decodeUserText(QByteArrayView bytes)
{
    DecodedText decoded;
    decoded.encoding = detectTextEncoding(bytes);
    decoded.text = decodeText(bytes, decoded.encoding);
    ReplacementCounter counter(decoded.encoding);
    counter.add(bytes, decoded.text);
    decoded.replaced = counter.replaced();
    decoded.replacedLines = counter.lines();
    return decoded;
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    forEachLine(text, [&](QStringView line) { lines.append(line.toString()); });
    return lines;
}
