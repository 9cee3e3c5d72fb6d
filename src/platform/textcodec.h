#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>

// Code page 932 (Windows-31J) conversion, through Qt's ICU-backed codecs.
namespace Cp932 {

// Bytes that are not valid cp932 (a stray trail byte, an unassigned code, a
// file that ends inside a two-byte character) become U+FFFD each; the rest of
// the input is always decoded.
QString decode(QByteArrayView bytes);
// How many of the first `limit` bytes hold whole characters, as decode()
// reads them from the start; a cut there decodes as the whole does. The
// byte at `limit` must be there, for it may end the character before it.
qsizetype wholeCharacters(QByteArrayView bytes, qsizetype limit);

// Every character that cp932 cannot hold is written as "?" (0x3F); lost,
// when given, tells whether there was any.
QByteArray encode(QStringView text, bool *lost = nullptr);

// Characters that cp932 has two codes for (髙 FB FC and EE E0, ∵ 81 E6 and
// 87 9A, …), where a text used a code that encode() does not write: the
// code of each of their places in the text, in order.
using Variants = QHash<char16_t, QList<QByteArray>>;
Variants variantsIn(QByteArrayView bytes);
// As encode(), writing the n-th place of a character in variants with the
// n-th code there (the last one for places beyond them).
QByteArray encode(QStringView text, const Variants &variants, bool *lost = nullptr);

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

// What detectTextEncoding() and looksBinary() decide, for a text read in
// pieces: each piece must end at a line end (or the text's end), so that no
// character is cut.
class TextSniffer
{
public:
    void add(QByteArrayView bytes);
    // Bytes that a decoder found to be well-formed UTF-8 throughout: only
    // their characters are counted, which is all encoding() needs of them
    // (looksBinary() does not see them).
    void addValidUtf8(QByteArrayView bytes);
    TextEncoding encoding() const;
    bool looksBinary() const;

private:
    bool started_ = false;
    TextEncoding bom_ = TextEncoding::Cp932; // Cp932: no byte-order mark
    bool nul_ = false;
    qsizetype size_ = 0;
    qsizetype control_ = 0;
    qsizetype goodUtf8_ = 0; // non-ASCII characters
    qsizetype badUtf8_ = 0;  // bytes
};

// Counts, line by line, the bytes that decoding turned into U+FFFD, over a
// text decoded in pieces that end at line ends. A U+FFFD that a UTF-8 file
// itself holds is text and not counted; UTF-16 is taken as it stands.
class ReplacementCounter
{
public:
    explicit ReplacementCounter(TextEncoding encoding) : encoding_(encoding) {}
    // A piece as read (with the byte-order mark, if any) and as decoded.
    void add(QByteArrayView bytes, QStringView decoded);
    // A piece known to hold no U+FFFD and no CR, with its LF count: what
    // add() would find in it, without looking.
    void addClean(qsizetype lineFeeds) { line_ += lineFeeds; }
    // For the pieces after a reader changed its mind about the encoding.
    void setEncoding(TextEncoding encoding) { encoding_ = encoding; }
    qsizetype replaced() const { return replaced_; }
    const QList<qsizetype> &lines() const { return lines_; } // from 1, ascending

private:
    TextEncoding encoding_;
    qsizetype line_ = 1; // where the next piece starts
    qsizetype replaced_ = 0;
    QList<qsizetype> lines_;
};

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

// Calls f with every line of the text, as splitLines cuts it, without
// copying it.
template <typename F> void forEachLine(QStringView text, F &&f)
{
    // The next CR and the next LF are each found by Qt's search, which
    // reads many characters at a time, and looked for again only once a
    // line passed them: every character is read once for each.
    const qsizetype size = text.size();
    const auto next = [&](char16_t c, qsizetype from) {
        const qsizetype at = text.indexOf(QChar(c), from);
        return at < 0 ? size : at;
    };
    qsizetype cr = -1;
    qsizetype lf = -1;
    qsizetype start = 0;
    while (start < size) {
        if (cr < start)
            cr = next(u'\r', start);
        if (lf < start)
            lf = next(u'\n', start);
        const qsizetype end = std::min(cr, lf);
        f(text.sliced(start, end - start));
        start = end + (end == cr && end + 1 == lf ? 2 : 1);
    }
}
