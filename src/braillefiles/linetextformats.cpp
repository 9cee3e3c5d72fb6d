// Unicode braille text and BRF: lines of cells, form feeds between pages.

#include "braillepages/braillecells.h"
#include "formats.h"
#include "linetext.h"

namespace BrailleFiles {

namespace {

// North American Braille ASCII: the character of the cell with mask m is
// the m-th character of this string.
constexpr char kBrailleAscii[] = " A1B'K2L@CIF/MSP\"E3H9O6R^DJG>NTQ,*5<-U8V.%[$+X!&;:4\\0Z7(_?W]#Y)=";
static_assert(sizeof kBrailleAscii == 65);

int maskOfAscii(char c)
{
    for (int m = 0; m < 64; ++m) {
        if (kBrailleAscii[m] == c)
            return m;
    }
    return -1;
}

ReadResult finish(const QString &text, int linesPerPage, const ReadProblem &problem)
{
    ReadResult result;
    result.document.pages = splitPages(text, linesPerPage);
    takeSizeFromPages(result.document);
    if (problem)
        result.problem = stoppedAt(result.document, problem.error, problem.detail, problem.number);
    return result;
}

} // namespace

QByteArray encodeUnicodeText(const BraillePages &document)
{
    QString text;
    for (qsizetype page = 0; page < document.pages.size(); ++page) {
        if (page > 0)
            text += u'\f';
        for (const QString &line : document.pages[page]) {
            text += line;
            text += u'\n';
        }
    }
    // A form feed at the end only closes the page before it, so an empty
    // last page needs one of its own.
    if (document.pages.size() > 1 && document.pages.last().isEmpty())
        text += u'\f';
    return text.toUtf8();
}

ReadResult decodeUnicodeText(const QByteArray &bytes, int linesPerPage)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QString cells;
    cells.reserve(text.size());
    ReadProblem problem;
    for (qsizetype i = 0; i < text.size() && problem.ok(); ++i) {
        const QChar c = text[i];
        if (BrailleCells::isCell(c) || c == u'\n' || c == u'\f')
            cells += c;
        else if (c == u'\r')
            cells += (i + 1 < text.size() && text[i + 1] == u'\n') ? QString() : QStringLiteral("\n");
        else if (c == u' ' || c == u'　') // spaces typed by hand stand for blank cells
            cells += QChar(BrailleCells::kBlank);
        else if (c == QChar::ReplacementCharacter)
            problem.error = ReadError::NotUtf8;
        else
            problem = {ReadError::NotBrailleCharacter, 0, 0, QString(c)};
    }
    return finish(cells, linesPerPage, problem);
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
    QString cells;
    cells.reserve(bytes.size());
    ReadProblem problem;
    for (qsizetype i = 0; i < bytes.size() && problem.ok(); ++i) {
        char c = bytes[i];
        if (c == '\x1A') // the old end-of-file mark
            break;
        if (c == '\n' || c == '\f') {
            cells += QChar(c);
        } else if (c == '\r') {
            if (i + 1 >= bytes.size() || bytes[i + 1] != '\n')
                cells += u'\n';
        } else {
            if (c >= 0x60 && c <= 0x7E) // lowercase letters and their neighbours
                c = char(c - 0x20);
            const int m = maskOfAscii(c);
            if (m >= 0)
                cells += BrailleCells::fromMask(m);
            else
                problem = {ReadError::NotBrfCode, 0, 0, QString(), uchar(bytes[i])};
        }
    }
    return finish(cells, linesPerPage, problem);
}

} // namespace BrailleFiles
