#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Code page 932 (Windows-31J) conversion, through Qt's ICU-backed codecs.
namespace Cp932 {

// Bytes that are not valid cp932 (a stray trail byte, an unassigned code, a
// file that ends inside a two-byte character) become U+FFFD each; the rest of
// the input is always decoded.
QString decode(QByteArrayView bytes);

// Every character that cp932 cannot hold is written as "?" (0x3F).
QByteArray encode(QStringView text);

// The distinct characters of text that cp932 cannot hold, in order of first
// appearance (a character outside the BMP counts as one).
QStringList unencodableCharacters(QStringView text);

} // namespace Cp932

enum class TextEncoding { Cp932, Utf8, Utf8WithBom, Utf16Le, Utf16Be };

// A user's text file is UTF-16 when it starts with a UTF-16 byte-order mark,
// UTF-8 when it starts with a UTF-8 one, or when its non-ASCII bytes are UTF-8
// but for a few bad bytes (at most one for every four good characters); anything
// else is cp932.
TextEncoding detectTextEncoding(QByteArrayView bytes);
QString decodeText(QByteArrayView bytes);
QString decodeText(QByteArrayView bytes, TextEncoding encoding);

// True for bytes that are no text file: NUL bytes without a UTF-16 byte-order
// mark, or more than one control byte in ten (tab, line ends, form feed,
// escape and the old end-of-file mark 0x1A are text).
bool looksBinary(QByteArrayView bytes);

// A user's file decoded, with the bytes that were no character in its
// encoding: each became one U+FFFD.
struct DecodedText
{
    QString text;
    TextEncoding encoding = TextEncoding::Cp932;
    qsizetype replaced = 0;
    QList<qsizetype> replacedLines; // from 1, ascending, each line once
};
DecodedText decodeUserText(QByteArrayView bytes);

// CR LF, a lone CR and a lone LF each end a line; a final line end makes no
// extra empty line, and an empty text has no lines.
QStringList splitLines(QStringView text);
