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

// Every character that cp932 cannot hold is written as "?" (0x3F); lost,
// when given, tells whether there was any.
QByteArray encode(QStringView text, bool *lost = nullptr);

// The distinct characters of text that cp932 cannot hold, in order of first
// appearance (a character outside the BMP counts as one).
QStringList unencodableCharacters(QStringView text);

} // namespace Cp932

enum class TextEncoding { Cp932, Utf8, Utf8WithBom };

// A user's text file is UTF-8 when it starts with a UTF-8 byte-order mark, or
// when its bytes are valid UTF-8 and include non-ASCII text; anything else is
// cp932.
TextEncoding detectTextEncoding(QByteArrayView bytes);
QString decodeText(QByteArrayView bytes);
QString decodeText(QByteArrayView bytes, TextEncoding encoding);

// CR LF, a lone CR and a lone LF each end a line; a final line end makes no
// extra empty line, and an empty text has no lines.
QStringList splitLines(QStringView text);

// Calls f with every line of the text, as splitLines cuts it, without
// copying it.
template <typename F> void forEachLine(QStringView text, F &&f)
{
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            f(text.sliced(start, i - start));
            i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        f(text.sliced(start));
}
