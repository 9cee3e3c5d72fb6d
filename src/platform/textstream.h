#pragma once

#include "textcodec.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

class QIODevice;

// Decodes UTF-8 that is well-formed throughout, which most text is, in one
// quick pass; false, with out undefined, at the first fault, which a general
// decoder then handles. On the way it counts the LFs and notes a CR or a
// U+FFFD (`plain` false), so that the piece need not be searched again.
bool decodeWellFormedUtf8(QByteArrayView bytes, QString &out, qsizetype &lineFeeds, bool &plain);

// Reads a text from a device in blocks and hands it out in pieces that end
// just after a line end (the last piece may end without one). Memory stays
// that of a block and the longest line, whatever the length of the text;
// the device is read once, from start to end, so a pipe will do. Told to
// (handLongLinesInParts), it hands a longer line out in parts, so that memory
// stays that of a block and a part whatever the lines.
//
// The encoding is decided from the first block as decodeText decides it for
// a whole text (a byte-order mark, else UTF-8 when the non-ASCII bytes so
// far are UTF-8, else cp932) and corrected on the fly: every later piece is
// weighed with all before it, and the pieces after a change of mind are read
// in the new encoding. Only a text that changes its mind that way reads
// otherwise than decoding it whole would.
class TextStreamReader
{
public:
    static constexpr qsizetype kBlockSize = 65536;
    static constexpr qsizetype kLinePartSize = 4 * kBlockSize;

    // The device must be open for reading.
    explicit TextStreamReader(QIODevice &device);

    // Reads the first piece, which decides the encoding and whether the text
    // looks binary; readPiece calls it when it was not called. False when
    // the device cannot be read.
    bool begin();
    // The encoding of the pieces read so far (of the last one).
    TextEncoding encoding() const { return encoding_; }
    // As looksBinary() says of the first piece (a block or more).
    bool looksBinary() const { return binary_; }
    // The bytes of the pieces read so far that were no character of the
    // encoding, each read as U+FFFD, and their lines.
    const ReplacementCounter &replacements() const { return replacements_; }

    // A line that has no end within this many bytes (characters for UTF-16)
    // is handed out in parts of at most as many, cut between characters;
    // lineContinues() tells a part from a piece. At least 8.
    void handLongLinesInParts(qsizetype size = kLinePartSize) { partSize_ = qMax<qsizetype>(size, 8); }

    // The next piece of text; false at the end or when the device cannot be
    // read (see hasError).
    bool readPiece(QString &text);
    // Whether the last piece was a part of a line, which holds no line end
    // and goes on in the next piece.
    bool lineContinues() const { return lineContinues_; }
    bool hasError() const { return error_; }

private:
    bool isUtf16() const { return encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be; }
    // The next run of whole lines of bytes: up to the last line end of what
    // has been read, or everything at the end of the device. A CR at the
    // end of a block waits for the next one, which may start with its LF.
    bool readBytes(QByteArray &bytes);
    // The same for UTF-16, cut in the decoded text, whose line ends are two
    // bytes each.
    bool readUtf16(QString &text);
    // Where a part of the line that starts what is pending ends, when no
    // line end has been found in it and it is longer than a part; else 0.
    qsizetype partEnd(QByteArrayView bytes) const;
    qsizetype partEnd(QStringView text) const;
    // Adds the next block of the device to what is pending.
    void readBlock();
    QString decode(const QByteArray &bytes);

    QIODevice &device_;
    TextEncoding encoding_ = TextEncoding::Cp932;
    TextSniffer sniffer_;
    ReplacementCounter replacements_{TextEncoding::Cp932};
    QStringDecoder utf16_;
    QByteArray pending_;
    QString pendingText_;
    QByteArray first_; // the first piece, read by begin()
    // How many bytes (or characters) at the start of what is pending are
    // known to hold no line end.
    qsizetype lineFree_ = 0;
    bool begun_ = false;
    bool firstTaken_ = false;
    bool decodedAny_ = false;
    bool binary_ = false;
    bool atEnd_ = false;
    bool error_ = false;
    qsizetype partSize_ = 0; // no parts
    bool lineContinues_ = false;
    // The last piece decoded by the quick UTF-8 pass: it holds no U+FFFD and
    // no CR, and this many LFs.
    bool plainPiece_ = false;
    qsizetype pieceLineFeeds_ = 0;
};
