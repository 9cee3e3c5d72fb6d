#include "braillefiles.h"

#include "braillepages/pagesettings.h"
#include "formats.h"
#include "platform/safesave.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace BrailleFiles {

namespace {

// A BES file starts with "%BET", and so may a BRF whose first cells are
// those signs. But a BRF is lines of plain ASCII, and a BES file is not:
// its cells and end marks are above ASCII, and its header has no line ends.
bool isBes(const QByteArray &bytes)
{
    if (!bytes.startsWith("%BET"))
        return false;
    const bool ascii = std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; });
    const bool lines = bytes.contains('\n') || bytes.contains('\r') || bytes.contains('\f');
    return !ascii || !lines;
}

Format detect(const QByteArray &bytes)
{
    if (isBes(bytes))
        return Format::Bes;
    const QByteArray start = bytes.left(1024);
    if (start.contains("<pef") || start.trimmed().startsWith("<?xml"))
        return Format::Pef;
    // Unicode braille in UTF-8 starts with E2 A0..A3; BRF is plain ASCII.
    if (bytes.contains("\xE2\xA0") || bytes.contains("\xE2\xA1") || bytes.contains("\xE2\xA2") ||
        bytes.contains("\xE2\xA3"))
        return Format::UnicodeText;
    return Format::Brf;
}

} // namespace

std::optional<Format> formatForPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"txt")
        return Format::UnicodeText;
    if (suffix == u"brf")
        return Format::Brf;
    if (suffix == u"pef")
        return Format::Pef;
    if (suffix == u"bes")
        return Format::Bes;
    return std::nullopt;
}

QString suffix(Format format)
{
    switch (format) {
    case Format::UnicodeText:
        return QStringLiteral("txt");
    case Format::Brf:
        return QStringLiteral("brf");
    case Format::Pef:
        return QStringLiteral("pef");
    case Format::Bes:
        return QStringLiteral("bes");
    }
    return QString();
}

QByteArray encode(Format format, const BraillePages &document, QDate date)
{
    switch (format) {
    case Format::UnicodeText:
        return encodeUnicodeText(document);
    case Format::Brf:
        return encodeBrf(document);
    case Format::Pef:
        return encodePef(document, date);
    case Format::Bes:
        return encodeBes(document, date);
    }
    return QByteArray();
}

namespace {

ReadResult decodeAsRead(Format format, const QByteArray &bytes, int linesPerPage)
{
    switch (format) {
    case Format::UnicodeText:
        return decodeUnicodeText(bytes, linesPerPage);
    case Format::Brf:
        return decodeBrf(bytes, linesPerPage);
    case Format::Pef:
        return decodePef(bytes);
    case Format::Bes:
        return decodeBes(bytes);
    }
    return ReadResult();
}

// A size the file declares is believed only up to the page settings'
// largest, and never below what its pages hold. A small page is no danger.
int boundedSize(int declared, int largest, int held)
{
    return declared >= 1 && declared <= largest ? qMax(declared, held) : held;
}

// Keeps what was read within what the page settings allow: a larger line or
// page ends the reading there, as damage would.
void keepWithinBounds(ReadResult &result)
{
    BraillePages &document = result.document;
    for (qsizetype p = 0; p < document.pages.size(); ++p) {
        QStringList &page = document.pages[p];
        ReadProblem problem;
        qsizetype kept = page.size();
        if (page.size() > PageSettings::kMaxLines) {
            kept = PageSettings::kMaxLines;
            problem.error = ReadError::TooManyLines;
            problem.number = PageSettings::kMaxLines;
        }
        for (qsizetype l = 0; l < kept; ++l) {
            if (page[l].size() > PageSettings::kMaxCells) {
                kept = l;
                problem.error = ReadError::TooManyCells;
                problem.number = PageSettings::kMaxCells;
            }
        }
        if (problem.ok())
            continue;
        problem.page = p + 1;
        problem.line = kept + 1;
        result.problem = problem;
        page.resize(kept);
        document.pages.resize(p + 1);
        break;
    }
    const int declaredCells = document.cells;
    const int declaredLines = document.lines;
    takeSizeFromPages(document);
    document.cells = boundedSize(declaredCells, PageSettings::kMaxCells, document.cells);
    document.lines = boundedSize(declaredLines, PageSettings::kMaxLines, document.lines);
}

} // namespace

ReadResult decode(const QByteArray &bytes, int linesPerPage)
{
    return decode(detect(bytes), bytes, linesPerPage);
}

ReadResult decode(Format format, const QByteArray &bytes, int linesPerPage)
{
    // A page of no lines would never end.
    ReadResult result = decodeAsRead(format, bytes, qBound(1, linesPerPage, PageSettings::kMaxLines));
    keepWithinBounds(result);
    return result;
}

ReadProblem stoppedAt(const BraillePages &document, ReadError error, const QString &detail, qint64 number)
{
    ReadProblem problem;
    problem.error = error;
    problem.page = qMax<qsizetype>(1, document.pages.size());
    // The line being read when reading stopped.
    problem.line = document.pages.isEmpty() ? 1 : qMax<qsizetype>(1, document.pages.last().size());
    problem.detail = detail;
    problem.number = number;
    return problem;
}

void takeSizeFromPages(BraillePages &document)
{
    int cells = 1;
    int lines = 1;
    for (const QStringList &page : document.pages) {
        lines = qMax(lines, int(page.size()));
        for (const QString &line : page)
            cells = qMax(cells, int(line.size()));
    }
    document.cells = cells;
    document.lines = lines;
}

SaveProblem refusalToEncode(Format format, const BraillePages &document)
{
    if (format == Format::Bes && document.pages.size() > kMaxBesPages)
        return {SaveError::TooManyBesPages, document.pages.size(), {}};
    return {};
}

SaveProblem save(const QString &path, Format format, const BraillePages &document)
{
    SaveProblem problem = refusalToEncode(format, document);
    if (problem.ok()) {
        problem.file = saveBytesSafely(path, encode(format, document)).error;
        if (problem.file)
            problem.error = SaveError::FileNotWritten;
    }
    return problem;
}

QStringList volumePaths(const QString &path, int volumes)
{
    if (volumes <= 1)
        return {path};
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    QStringList paths;
    for (int v = 1; v <= volumes; ++v)
        paths.append(info.dir().filePath(base + QString::number(v) + suffix));
    return paths;
}

ReadResult open(const QString &path, int linesPerPage)
{
    ReadResult result;
    const FileBytes read = readUserFile(path, kMaxFileBytes);
    if (!read.ok) {
        result.problem.error = ReadError::FileNotRead;
        result.problem.file = read.error;
        return result;
    }
    const Format format = detect(read.bytes);
    if (!formatForPath(path) && format == Format::Brf) {
        result.problem.error = ReadError::NotBrailleFile;
        result.problem.detail = path;
        return result;
    }
    return decode(format, read.bytes, linesPerPage);
}

} // namespace BrailleFiles
