#pragma once

#include "textcodec.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Reads a text from a device in blocks and hands it out in pieces that end
// just after a line end (the last piece may end without one), decoded
// exactly as decodeText decodes the whole text. Memory stays that of a block
// and the longest line, whatever the length of the text.
class TextStreamReader
{
public:
    static constexpr qsizetype kBlockSize = 65536;

    // The device must be open for reading and, for detectEncoding, seekable.
    explicit TextStreamReader(QIODevice &device) : device_(device) {}

    // Reads the device through once to work out its encoding as
    // detectTextEncoding does, and whether it looks binary, then returns to
    // its start. False when the device cannot be read or rewound.
    bool detectEncoding();
    void setEncoding(TextEncoding encoding);
    TextEncoding encoding() const { return encoding_; }
    // As looksBinary() says of the whole text; known after detectEncoding.
    bool looksBinary() const { return sniffer_.looksBinary(); }
    // The bytes of the pieces read so far that were no character of the
    // encoding, each read as U+FFFD, and their lines.
    const ReplacementCounter &replacements() const { return replacements_; }

    // The next piece of text; false at the end or when the device cannot be
    // read (see hasError).
    bool readPiece(QString &text);
    bool hasError() const { return error_; }

private:
    // The next run of whole lines of bytes: up to the last line end of what
    // has been read, or everything at the end of the device. A CR at the
    // end of a block waits for the next one, which may start with its LF.
    // UTF-16, whose line ends are two bytes, is still read whole, so its
    // memory grows with the text.
    bool readBytes(QByteArray &bytes);
    // Adds the next block of the device to what is pending.
    void readBlock();
    QString decode(const QByteArray &bytes);

    QIODevice &device_;
    TextEncoding encoding_ = TextEncoding::Cp932;
    TextSniffer sniffer_;
    ReplacementCounter replacements_{TextEncoding::Cp932};
    QByteArray pending_;
    // How many bytes at the start of pending_ are known to hold no line end.
    qsizetype lineFree_ = 0;
    bool started_ = false;
    bool atEnd_ = false;
    bool error_ = false;
};
