#include "textcodec.h"

#include <algorithm>

#include <QStringDecoder>
#include <QStringEncoder>

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
    QByteArray out(text.size() * 2 + 16, Qt::Uninitialized);
    qsizetype used = 0;
    const auto reserve = [&](qsizetype more) {
        if (out.size() - used < more)
            out.resize(qMax(out.size() * 2, used + more));
    };
    bool anyLost = false;
    // One converter for the whole text: opening one costs more than most runs.
    QStringEncoder encoder(kCp932Name);
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i].unicode() < 0x80) {
            reserve(1);
            out[used++] = char(text[i].unicode());
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && text[i].unicode() >= 0x80)
            ++i;
        const QStringView run = text.sliced(start, i - start);
        reserve(encoder.requiredSpace(run.size()));
        char *end = encoder.appendToBuffer(out.data() + used, run);
        if (!encoder.hasError() && run.isValidUtf16()) {
            used = end - out.data();
            continue;
        }
        encoder.resetState();
        // ICU puts its own substitute (0xFCFC) for what it cannot map; redo
        // the run one code point at a time and put "?" there instead.
        forEachCodePoint(run, [&](QStringView cp) {
            const QByteArray bytes = encodeCodePoint(cp);
            anyLost = anyLost || bytes == "?";
            reserve(bytes.size());
            std::copy_n(bytes.constData(), bytes.size(), out.data() + used);
            used += bytes.size();
        });
    }
    out.truncate(used);
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
    forEachCodePoint(text, [&](QStringView cp) {
        if (cp[0].unicode() < 0x80)
            return;
        if (cp.size() == 1 && cp[0].isSurrogate()) {
            if (!lost.contains(cp.toString()))
                lost.append(cp.toString());
            return;
        }
        QStringEncoder encoder(kCp932Name);
        const QByteArray bytes = encoder.encode(cp);
        if ((encoder.hasError() || bytes.isEmpty()) && !lost.contains(cp.toString()))
            lost.append(cp.toString());
    });
    return lost;
}

} // namespace Cp932

TextEncoding detectTextEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return TextEncoding::Utf8WithBom;
    bool hasNonAscii = false;
    for (char c : bytes) {
        if (uchar(c) >= 0x80) {
            hasNonAscii = true;
            break;
        }
    }
    if (!hasNonAscii)
        return TextEncoding::Cp932;
    // Invalid UTF-8 turns into U+FFFD, so it does not come back the same.
    const bool validUtf8 = QString::fromUtf8(bytes).toUtf8() == bytes;
    return validUtf8 ? TextEncoding::Utf8 : TextEncoding::Cp932;
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
    case TextEncoding::Cp932:
        break;
    }
    return Cp932::decode(bytes);
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    forEachLine(text, [&](QStringView line) { lines.append(line.toString()); });
    return lines;
}
