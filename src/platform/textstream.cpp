#include "textstream.h"

#include <QIODevice>
#include <QStringDecoder>

namespace {

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

} // namespace

bool TextStreamReader::readBytes(QByteArray &bytes)
{
    while (!atEnd_) {
        qsizetype cut = pending_.size();
        while (cut > 0 && pending_[cut - 1] != '\n' && pending_[cut - 1] != '\r')
            --cut;
        // Leave a CR at the very end for its LF.
        if (cut > 0 && cut == pending_.size() && pending_[cut - 1] == '\r') {
            --cut;
            while (cut > 0 && pending_[cut - 1] != '\n' && pending_[cut - 1] != '\r')
                --cut;
        }
        if (cut > 0) {
            bytes = pending_.left(cut);
            pending_.remove(0, cut);
            return true;
        }
        const qsizetype size = pending_.size();
        pending_.resize(size + kBlockSize);
        const qint64 n = device_.read(pending_.data() + size, kBlockSize);
        pending_.resize(size + qMax<qint64>(n, 0));
        if (n < 0)
            error_ = true;
        if (n <= 0)
            atEnd_ = true;
    }
    bytes = pending_;
    pending_.clear();
    return !bytes.isEmpty();
}

bool TextStreamReader::detectEncoding()
{
    encoding_ = TextEncoding::Cp932;
    const QByteArray start = device_.peek(kUtf8Bom.size());
    if (start == kUtf8Bom) {
        encoding_ = TextEncoding::Utf8WithBom;
        return device_.seek(0);
    }
    bool hasNonAscii = false;
    bool validUtf8 = true;
    QByteArray bytes;
    while (readBytes(bytes)) {
        for (char c : std::as_const(bytes))
            hasNonAscii = hasNonAscii || uchar(c) >= 0x80;
        // Invalid UTF-8 turns into U+FFFD, so it does not come back the same.
        validUtf8 = validUtf8 && QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                                           QStringConverter::Flag::ConvertInitialBom)
                                             .decode(bytes)
                                             .operator QString()
                                             .toUtf8() == bytes;
    }
    if (error_ || !device_.seek(0))
        return false;
    started_ = false;
    atEnd_ = false;
    pending_.clear();
    if (hasNonAscii && validUtf8)
        encoding_ = TextEncoding::Utf8;
    return true;
}

// The first piece is decoded as decodeText decodes a whole text; a later
// one keeps a U+FEFF at its start, as decoding the whole would.
QString TextStreamReader::decode(const QByteArray &bytes)
{
    if (encoding_ == TextEncoding::Cp932)
        return Cp932::decode(bytes);
    const bool first = !started_;
    started_ = true;
    if (first)
        return decodeText(bytes, encoding_);
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

bool TextStreamReader::readPiece(QString &text)
{
    QByteArray bytes;
    if (!readBytes(bytes))
        return false;
    text = decode(bytes);
    return true;
}
