// BES, as its layout is publicly documented: a 1024-byte header, then one
// byte per cell with codes for the ends of lines, pages and the file.

#include "braillepages/braillecells.h"
#include "formats.h"

namespace BrailleFiles {

namespace {

constexpr qsizetype kHeaderSize = 1024;
constexpr qsizetype kDateOffset = 8;
constexpr qsizetype kCellsOffset = 22;
constexpr qsizetype kLinesOffset = 24;
constexpr qsizetype kPageCountOffset = 31;
constexpr qsizetype kPageCountDigits = 4;
constexpr qsizetype kTitleOffset = 47;
constexpr qsizetype kMarkOffset = 512;
const QByteArray kMagic = QByteArrayLiteral("%BET");
const QByteArray kSignature = QByteArrayLiteral("%BET400%");

constexpr uchar kFirstCell = 0xA0;
constexpr uchar kLastCell = 0xDF;
constexpr uchar kLineEnd = 0xFE;
constexpr uchar kPageEnd = 0xFD;
constexpr uchar kFileEnd = 0xFF;
constexpr uchar kTitleBlank = 0x20;

void put(QByteArray &header, qsizetype offset, const QByteArray &field)
{
    header.replace(offset, field.size(), field);
}

QByteArray digits(int value, int width)
{
    return QByteArray::number(value).rightJustified(width, '0', true);
}

// The ASCII digits at the offset, up to `width` of them; -1 without any.
int number(const QByteArray &bytes, qsizetype offset, qsizetype width)
{
    int value = -1;
    for (qsizetype i = offset; i < offset + width && i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c < '0' || c > '9')
            break;
        value = qMax(value, 0) * 10 + (c - '0');
    }
    return value;
}

} // namespace

QByteArray encodeBes(const BraillePages &document, QDate date)
{
    QByteArray header(kHeaderSize, ' ');
    put(header, 0, kSignature);
    put(header, kDateOffset, date.toString(QStringLiteral("yyyy/MM/dd")).toLatin1());
    put(header, kCellsOffset, digits(qMin(document.cells, 99), 2));
    put(header, kLinesOffset, digits(qMin(document.lines, 99), 2));
    put(header, kPageCountOffset, digits(int(document.pages.size()), kPageCountDigits));
    QByteArray title;
    for (const QChar cell : document.brailleTitle.left(kMarkOffset - kTitleOffset))
        title += char(kTitleBlank + BrailleCells::mask(cell));
    put(header, kTitleOffset, title);
    put(header, kMarkOffset, QByteArray(3, char(0xFF)));

    QByteArray body;
    for (const QStringList &page : document.pages) {
        for (const QString &line : page) {
            for (const QChar cell : line)
                body += char(kFirstCell + BrailleCells::mask(cell));
            body += char(kLineEnd);
        }
        body += char(kPageEnd);
    }
    body += char(kFileEnd);
    return header + body;
}

ReadResult decodeBes(const QByteArray &bytes)
{
    ReadResult result;
    BraillePages &document = result.document;
    const int cells = number(bytes, kCellsOffset, 2);
    const int lines = number(bytes, kLinesOffset, 2);
    for (qsizetype i = kTitleOffset; i < qMin(kMarkOffset, bytes.size()); ++i) {
        const uchar code = uchar(bytes[i]);
        if (code < kTitleBlank || code >= kTitleBlank + 64)
            break;
        document.brailleTitle += BrailleCells::fromMask(code - kTitleBlank);
    }
    document.brailleTitle = BrailleCells::withoutTrailingBlanks(document.brailleTitle);

    ReadError problem = ReadError::None;
    if (bytes.size() < kHeaderSize)
        problem = ReadError::HeaderCut;
    else if (!bytes.startsWith(kMagic))
        problem = ReadError::NotBes;

    QStringList page;
    QString line;
    bool ended = false;
    for (qsizetype i = kHeaderSize; problem == ReadError::None && i < bytes.size() && !ended; ++i) {
        const uchar code = uchar(bytes[i]);
        if (code >= kFirstCell && code <= kLastCell) {
            line += BrailleCells::fromMask(code - kFirstCell);
        } else if (code == kLineEnd) {
            page.append(BrailleCells::withoutTrailingBlanks(line));
            line.clear();
        } else if (code == kPageEnd || code == kFileEnd) {
            if (!line.isEmpty())
                page.append(BrailleCells::withoutTrailingBlanks(line));
            if (code == kPageEnd || !page.isEmpty() || !line.isEmpty())
                document.pages.append(page);
            page.clear();
            line.clear();
            ended = code == kFileEnd;
        } else {
            ++i; // a two-byte code this reader does not know: skipped whole
        }
    }
    if (problem == ReadError::None && !ended) {
        if (!line.isEmpty())
            page.append(BrailleCells::withoutTrailingBlanks(line));
        if (!page.isEmpty())
            document.pages.append(page);
        problem = ReadError::FileCut;
    }
    takeSizeFromPages(document);
    if (cells > 0)
        document.cells = cells;
    if (lines > 0)
        document.lines = lines;
    if (problem != ReadError::None)
        result.problem = stoppedAt(document, problem);
    return result;
}

} // namespace BrailleFiles
