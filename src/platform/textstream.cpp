#include "textstream.h"

#include <QIODevice>
#include <QStringDecoder>

#include <utility>

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
    const auto isLineEnd = [this](qsizetype i) { return pending_.at(i) == '\n' || pending_.at(i) == '\r'; };
    while (!atEnd_) {
        // Only the bytes after lineFree_ are looked at: a long line would
        // otherwise be scanned again after every block.
        qsizetype cut = pending_.size();
        // Leave a CR at the very end for its LF.
        if (cut > lineFree_ && pending_.at(cut - 1) == '\r')
            --cut;
        const qsizetype searchTo = cut;
        while (cut > lineFree_ && !isLineEnd(cut - 1))
            --cut;
        if (cut > lineFree_) {
            // All of it is handed over without a copy, which for a long line
            // would be as large as the line.
            if (cut == pending_.size()) {
                bytes = std::exchange(pending_, QByteArray());
            } else {
                bytes = pending_.left(cut);
                pending_.remove(0, cut);
            }
            lineFree_ = 0;
            return true;
        }
        lineFree_ = searchTo;
        readBlock();
    }
    bytes = pending_;
    pending_.clear();
    lineFree_ = 0;
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
    lineFree_ = 0;
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
