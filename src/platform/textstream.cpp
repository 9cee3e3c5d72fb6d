#include "textstream.h"

#include <QIODevice>
#include <QStringDecoder>

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

bool TextStreamReader::readBytes(QByteArray &bytes)
{
    const bool whole = encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be;
    while (whole && !atEnd_)
        readBlock();
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
        readBlock();
    }
    bytes = pending_;
    pending_.clear();
    return !bytes.isEmpty();
}

bool TextStreamReader::detectEncoding()
{
    encoding_ = TextEncoding::Cp932;
    sniffer_ = TextSniffer();
    QByteArray bytes;
    while (readBytes(bytes))
        sniffer_.add(bytes);
    if (error_ || !device_.seek(0))
        return false;
    started_ = false;
    atEnd_ = false;
    pending_.clear();
    setEncoding(sniffer_.encoding());
    return true;
}

void TextStreamReader::setEncoding(TextEncoding encoding)
{
    encoding_ = encoding;
    replacements_ = ReplacementCounter(encoding);
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
    replacements_.add(bytes, text);
    return true;
}
