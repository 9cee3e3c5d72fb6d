// Text decoding and line splitting: whatever the bytes, no line end is lost
// or made up, and the report of unreadable bytes names real lines.
#include "fuzzcheck.h"

#include "platform/textcodec.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes = fuzzBytes(data, size);
    const DecodedText decoded = decodeUserText(bytes);
    FUZZ_CHECK(decoded.text == decodeText(bytes));

    const QStringList lines = splitLines(decoded.text);
    const qsizetype ends = countLineEnds(decoded.text);
    const bool endsWithLineEnd =
        !decoded.text.isEmpty() && (decoded.text.back() == u'\n' || decoded.text.back() == u'\r');
    FUZZ_CHECK(lines.size() == ends + (decoded.text.isEmpty() || endsWithLineEnd ? 0 : 1));
    QString normalised = decoded.text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (endsWithLineEnd)
        normalised.chop(1);
    FUZZ_CHECK(lines.join(u'\n') == normalised);

    // The byte encodings keep every line end of the file where it was.
    if (decoded.encoding == TextEncoding::Cp932 || decoded.encoding == TextEncoding::Utf8 ||
        decoded.encoding == TextEncoding::Utf8WithBom) {
        const QString ascii = QString::fromLatin1(bytes.data(), bytes.size());
        FUZZ_CHECK(countLineEnds(ascii) == ends);
    }

    // Read in pieces that end at line ends, as a stream is read, the bytes
    // give the same verdicts and the same count.
    if (decoded.encoding != TextEncoding::Utf16Le && decoded.encoding != TextEncoding::Utf16Be) {
        TextSniffer sniffer;
        ReplacementCounter counter(decoded.encoding);
        qsizetype start = 0;
        for (qsizetype i = 0; i <= bytes.size(); ++i) {
            const bool cut = i == bytes.size() || bytes[i] == '\n' ||
                             (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
            if (!cut)
                continue;
            const qsizetype end = qMin(i + 1, bytes.size());
            const QByteArrayView piece = bytes.sliced(start, end - start);
            sniffer.add(piece);
            const TextEncoding pieceEncoding = start > 0 && decoded.encoding == TextEncoding::Utf8WithBom
                                                   ? TextEncoding::Utf8
                                                   : decoded.encoding;
            counter.add(piece, decodeText(piece, pieceEncoding));
            start = end;
        }
        FUZZ_CHECK(sniffer.encoding() == decoded.encoding);
        FUZZ_CHECK(sniffer.looksBinary() == looksBinary(bytes));
        FUZZ_CHECK(counter.replaced() == decoded.replaced);
        FUZZ_CHECK(counter.lines() == decoded.replacedLines);
    }

    FUZZ_CHECK(decoded.replaced >= decoded.replacedLines.size());
    FUZZ_CHECK(decoded.replaced <= qsizetype(size));
    for (qsizetype i = 0; i < decoded.replacedLines.size(); ++i) {
        FUZZ_CHECK(decoded.replacedLines[i] >= 1 && decoded.replacedLines[i] <= ends + 1);
        FUZZ_CHECK(i == 0 || decoded.replacedLines[i - 1] < decoded.replacedLines[i]);
    }
    return 0;
}
