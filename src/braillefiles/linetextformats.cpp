// Unicode braille text and BRF: lines of cells, form feeds between pages.

#include "braillepages/braillecells.h"
#include "formats.h"
#include "linetext.h"

namespace BrailleFiles {

QByteArray UnicodeTextWriter::page(const QStringList &lines)
{
    QString text;
    if (pages_ > 0)
        text += u'\f';
    for (const QString &line : lines) {
        text += line;
        text += u'\n';
    }
    ++pages_;
    lastEmpty_ = lines.isEmpty();
    return text.toUtf8();
}

QByteArray UnicodeTextWriter::end() const
{
    // A form feed at the end only closes the page before it, so an empty
    // last page needs one of its own.
    return pages_ > 1 && lastEmpty_ ? QByteArray("\f") : QByteArray();
}

QByteArray encodeUnicodeText(const BraillePages &document)
{
    UnicodeTextWriter writer;
    QByteArray bytes;
    for (const QStringList &page : document.pages)
        bytes += writer.page(page);
    return bytes + writer.end();
}

ReadResult decodeUnicodeText(const QByteArray &bytes, int linesPerPage)
{
    return readLineText(Format::UnicodeText, bytes, linesPerPage);
}

QByteArray encodeBrf(const BraillePages &document)
{
    QByteArray bytes;
    for (const QStringList &page : document.pages) {
        for (const QString &line : page) {
            for (const QChar cell : line)
                bytes += kBrailleAscii[BrailleCells::mask(cell)];
            bytes += "\r\n";
        }
        bytes += '\f';
    }
    return bytes;
}

ReadResult decodeBrf(const QByteArray &bytes, int linesPerPage)
{
    return readLineText(Format::Brf, bytes, linesPerPage);
}

} // namespace BrailleFiles
