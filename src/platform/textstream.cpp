#include "textstream.h"

#include <QIODevice>

#include <cstring>

#include <utility>

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

bool isCr(QChar c)
{
    return c == u'\r';
}

// Where the last line end of s is, looked for in from..end only; a CR at
// the very end is left for the LF that may follow it. searched says how far
// the search went: the next one may start there.
template <typename View> qsizetype lastLineEnd(View s, qsizetype from, qsizetype &searched)
{
    qsizetype end = s.size();
    if (end > from && isCr(s[end - 1]))
        --end;
    searched = qMax(from, end);
    for (qsizetype i = end; i > from; --i) {
        if (isLineEnd(s[i - 1]))
            return i;
    }
    return 0;
}

// The same for bytes, with the C library's quick search: a long line is
// searched through block after block.
qsizetype lastLineEnd(QByteArrayView s, qsizetype from, qsizetype &searched)
{
    qsizetype end = s.size();
    if (end > from && s[end - 1] == '\r')
        --end;
    searched = qMax(from, end);
    if (end <= from)
        return 0;
    const auto *lf = static_cast<const char *>(memrchr(s.data() + from, '\n', std::size_t(end - from)));
    const qsizetype lfFrom = lf ? lf - s.data() + 1 : from;
    const auto *cr = static_cast<const char *>(memrchr(s.data() + lfFrom, '\r', std::size_t(end - lfFrom)));
    if (cr)
        return cr - s.data() + 1;
    return lf ? lf - s.data() + 1 : 0;
}

template <typename Buffer> Buffer takeFront(Buffer &pending, qsizetype cut)
{
    // All of it is handed over without a copy, which for a long line would
    // be as large as the line.
    if (cut == pending.size())
        return std::exchange(pending, Buffer());
    Buffer front = pending.left(cut);
    pending.remove(0, cut);
    return front;
}

} // namespace

bool decodeWellFormedUtf8(QByteArrayView bytes, QString &out, qsizetype &lineFeeds, bool &plain)
{
    out.resize(bytes.size()); // never more UTF-16 units than bytes
    char16_t *const begin = reinterpret_cast<char16_t *>(out.data());
    char16_t *o = begin;
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const e = p + bytes.size();
    const auto tail = [](uchar b) { return (b & 0xC0) == 0x80; };
    qsizetype feeds = 0;
    bool special = false;
    while (p < e) {
        const uchar b = *p;
        if (b < 0x80) {
            *o++ = b;
            ++p;
            feeds += b == '\n';
            special |= b == '\r';
        } else if (b >= 0xE0 && b <= 0xEF && e - p >= 3 && tail(p[1]) && tail(p[2])) {
            const char16_t c = char16_t((b & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
            if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))
                return false;
            special |= c == 0xFFFD;
            *o++ = c;
            p += 3;
        } else if (b >= 0xC2 && b <= 0xDF && e - p >= 2 && tail(p[1])) {
            *o++ = char16_t((b & 0x1F) << 6 | (p[1] & 0x3F));
            p += 2;
        } else if (b >= 0xF0 && b <= 0xF4 && e - p >= 4 && tail(p[1]) && tail(p[2]) && tail(p[3])) {
            const char32_t c = char32_t(b & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6
                               | char32_t(p[3] & 0x3F);
            if (c < 0x10000 || c > 0x10FFFF)
                return false;
            *o++ = QChar::highSurrogate(c);
            *o++ = QChar::lowSurrogate(c);
            p += 4;
        } else {
            return false;
        }
    }
    out.truncate(o - begin);
    lineFeeds = feeds;
    plain = !special;
    return true;
}

TextStreamReader::TextStreamReader(QIODevice &device) : device_(device) {}

void TextStreamReader::readBlock()
{
    const qsizetype size = pending_.size();
    pending_.resize(size + kBlockSize);
    const qint64 n = device_.read(pending_.data() + size, kBlockSize);
    pending_.resize(size + qMax<qint64>(n, 0));
    if (n < 0)
        error_ = true;
    if (n <= 0)
        atEnd_ = true;
}

qsizetype TextStreamReader::partEnd(QByteArrayView bytes) const
{
    // The byte after the cut is there: it tells whether the character
    // before it is whole.
    if (partSize_ == 0 || bytes.size() <= partSize_)
        return 0;
    TextEncoding encoding = encoding_;
    if (!decodedAny_ && !firstTaken_ && first_.isEmpty()) {
        // The first piece decides the encoding: the part is cut as the
        // bytes it would hold are read.
        TextSniffer probe = sniffer_;
        probe.add(bytes.first(partSize_));
        encoding = probe.encoding();
    }
    if (encoding == TextEncoding::Cp932)
        return Cp932::wholeCharacters(bytes, partSize_);
    // UTF-8 is cut before a byte that starts a character, unless a run of
    // bytes that go on one is longer than any character.
    qsizetype cut = partSize_;
    for (int back = 0; back < 3 && (uchar(bytes[cut]) & 0xC0) == 0x80; ++back)
        --cut;
    return (uchar(bytes[cut]) & 0xC0) == 0x80 ? partSize_ : cut;
}

qsizetype TextStreamReader::partEnd(QStringView text) const
{
    if (partSize_ == 0 || text.size() <= partSize_)
        return 0;
    return text[partSize_ - 1].isHighSurrogate() ? partSize_ - 1 : partSize_;
}

bool TextStreamReader::readBytes(QByteArray &bytes)
{
    lineContinues_ = false;
    while (!atEnd_) {
        qsizetype searched = 0;
        const qsizetype cut = lastLineEnd(QByteArrayView(pending_), lineFree_, searched);
        if (cut > 0) {
            bytes = takeFront(pending_, cut);
            lineFree_ = 0;
            return true;
        }
        lineFree_ = searched;
        if (const qsizetype part = partEnd(QByteArrayView(pending_)); part > 0) {
            bytes = takeFront(pending_, part);
            lineFree_ = qMax<qsizetype>(0, lineFree_ - part);
            lineContinues_ = true;
            return true;
        }
        readBlock();
    }
    bytes = std::exchange(pending_, QByteArray());
    lineFree_ = 0;
    return !bytes.isEmpty();
}

bool TextStreamReader::readUtf16(QString &text)
{
    lineContinues_ = false;
    for (;;) {
        if (!pending_.isEmpty()) {
            pendingText_ += utf16_.decode(pending_);
            pending_.clear();
        }
        if (atEnd_)
            break;
        qsizetype searched = 0;
        const qsizetype cut = lastLineEnd(QStringView(pendingText_), lineFree_, searched);
        if (cut > 0) {
            text = takeFront(pendingText_, cut);
            lineFree_ = 0;
            return true;
        }
        lineFree_ = searched;
        if (const qsizetype part = partEnd(QStringView(pendingText_)); part > 0) {
            text = takeFront(pendingText_, part);
            lineFree_ = qMax<qsizetype>(0, lineFree_ - part);
            lineContinues_ = true;
            return true;
        }
        readBlock();
    }
    text = std::exchange(pendingText_, QString());
    lineFree_ = 0;
    return !text.isEmpty();
}

bool TextStreamReader::begin()
{
    if (begun_)
        return !error_;
    begun_ = true;
    // Enough for any byte-order mark, however the device hands its bytes out.
    while (pending_.size() < 3 && !atEnd_)
        readBlock();
    const bool utf16Le = pending_.startsWith("\xFF\xFE");
    if (utf16Le || pending_.startsWith("\xFE\xFF")) {
        encoding_ = utf16Le ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
        // The mark is dropped here, so a second one stays text.
        utf16_ = QStringDecoder(utf16Le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                                QStringConverter::Flag::ConvertInitialBom);
        pending_.remove(0, 2);
        replacements_ = ReplacementCounter(encoding_);
        return !error_;
    }
    readBytes(first_);
    sniffer_.add(first_);
    binary_ = sniffer_.looksBinary();
    encoding_ = sniffer_.encoding();
    replacements_ = ReplacementCounter(encoding_);
    return !error_;
}

// The first piece is decoded as decodeText decodes a whole text; a later
// one keeps a U+FEFF at its start, as decoding the whole would.
QString TextStreamReader::decode(const QByteArray &bytes)
{
    const bool first = !decodedAny_;
    decodedAny_ = true;
    plainPiece_ = false;
    if (encoding_ == TextEncoding::Cp932)
        return Cp932::decode(bytes);
    // A byte-order mark at the start of the first piece is not text.
    QString text;
    if (!(first && encoding_ == TextEncoding::Utf8WithBom)
        && decodeWellFormedUtf8(bytes, text, pieceLineFeeds_, plainPiece_))
        return text;
    if (first)
        return decodeText(bytes, encoding_);
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

bool TextStreamReader::readPiece(QString &text)
{
    if (!begun_ && !begin())
        return false;
    if (isUtf16())
        return readUtf16(text);
    QByteArray bytes;
    if (!firstTaken_) {
        firstTaken_ = true;
        bytes = std::exchange(first_, QByteArray());
        if (bytes.isEmpty())
            return false;
        text = decode(bytes);
    } else {
        if (!readBytes(bytes))
            return false;
        text = decode(bytes);
        // Weighed with all the text before it: a text that turns out to be
        // in the other encoding is read in it from here on. A byte-order
        // mark has decided for good, and UTF-8 that decoded without a fault
        // can only confirm UTF-8, which a count of its characters records.
        if (encoding_ == TextEncoding::Utf8 && (plainPiece_ || !text.contains(QChar(0xFFFD)))) {
            sniffer_.addValidUtf8(bytes);
        } else if (encoding_ == TextEncoding::Utf8 || encoding_ == TextEncoding::Cp932) {
            sniffer_.add(bytes);
            const TextEncoding now = sniffer_.encoding();
            if (now != encoding_) {
                encoding_ = now;
                replacements_.setEncoding(now);
                text = decode(bytes);
            }
        }
    }
    if (plainPiece_)
        replacements_.addClean(pieceLineFeeds_);
    else
        replacements_.add(bytes, text);
    return true;
}
