#include "braillefiles.h"

#include "braillepages/pagesettings.h"
#include "formats.h"
#include "linetext.h"
#include "platform/safesave.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <limits>

namespace BrailleFiles {

namespace {

// Tells a braille file's format from its bytes, a block at a time. A BES
// file starts with "%BET", and so may a BRF whose first cells are those
// signs. But a BRF is lines of plain ASCII, and a BES file is not: its cells
// and end marks are above ASCII, and its header has no line ends. PEF shows
// at its start; Unicode braille in UTF-8 anywhere by its E2 A0..A3; BRF is
// what is left.
class FormatSniffer
{
public:
    void add(QByteArrayView bytes)
    {
        if (bytes.isEmpty())
            return;
        if (start_.size() < kStart)
            start_ += bytes.first(qMin(bytes.size(), kStart - start_.size()));
        // Only a file that starts as BES does needs the rest weighed.
        if (start_.size() < 4 || start_.startsWith("%BET")) {
            nonAscii_ = nonAscii_ || std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; });
            lineEnds_ = lineEnds_ || std::any_of(bytes.begin(), bytes.end(),
                                                 [](char c) { return c == '\n' || c == '\r' || c == '\f'; });
        }
        // E2 at the end of the block before, its second byte here.
        braille_ = braille_ || (endsWithE2_ && isBrailleSecond(bytes[0]));
        for (qsizetype at = 0; !braille_ && at < bytes.size(); ++at) {
            const void *found = std::memchr(bytes.data() + at, 0xE2, size_t(bytes.size() - at));
            if (!found)
                break;
            at = static_cast<const char *>(found) - bytes.data();
            braille_ = at + 1 < bytes.size() && isBrailleSecond(bytes[at + 1]);
        }
        endsWithE2_ = uchar(bytes.back()) == 0xE2;
    }

    // More bytes cannot change the answer.
    bool settled() const
    {
        if (start_.size() < kStart)
            return false;
        if (start_.startsWith("%BET"))
            return nonAscii_;
        return isPef() || braille_;
    }

    Format format() const
    {
        if (start_.startsWith("%BET") && (nonAscii_ || !lineEnds_))
            return Format::Bes;
        if (isPef())
            return Format::Pef;
        return braille_ ? Format::UnicodeText : Format::Brf;
    }

private:
    static constexpr qsizetype kStart = 1024;
    static bool isBrailleSecond(char c) { return uchar(c) >= 0xA0 && uchar(c) <= 0xA3; }
    bool isPef() const { return start_.contains("<pef") || start_.trimmed().startsWith("<?xml"); }

    QByteArray start_;
    bool nonAscii_ = false;
    bool lineEnds_ = false;
    bool braille_ = false;
    bool endsWithE2_ = false;
};

Format detect(const QByteArray &bytes)
{
    FormatSniffer sniffer;
    sniffer.add(bytes);
    return sniffer.format();
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
    QStringList paths;
    for (int v = 1; v <= qMax(1, volumes); ++v)
        paths.append(volumePath(path, v, volumes));
    return paths;
}

QString volumePath(const QString &path, int number, int volumes)
{
    if (volumes <= 1)
        return path;
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(base + QString::number(number) + suffix);
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

ReadProblem readPages(const QString &path, const std::function<bool(const QStringList &page)> &page,
                      int linesPerPage)
{
    ReadProblem problem;
    auto notRead = [&problem](const FileProblem &file) {
        problem.error = ReadError::FileNotRead;
        problem.file = file;
        return problem;
    };
    // Whatever its size: the text formats are read as they come.
    if (const FileProblem refused = refusalOfFile(path, std::numeric_limits<qint64>::max()))
        return notRead(refused);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return notRead({FileError::NotOpened, path, file.errorString()});
    auto readFailure = [&] { return notRead({FileError::NotRead, path, file.errorString()}); };

    FormatSniffer sniffer;
    QByteArray bytes;
    while (!sniffer.settled()) {
        bytes = file.read(1 << 16);
        if (file.error() != QFileDevice::NoError)
            return readFailure();
        if (bytes.isEmpty())
            break;
        sniffer.add(bytes);
    }
    const Format format = sniffer.format();
    if (!formatForPath(path) && format == Format::Brf) {
        problem.error = ReadError::NotBrailleFile;
        problem.detail = path;
        return problem;
    }
    if (format == Format::Pef || format == Format::Bes) {
        file.close();
        const ReadResult read = open(path, linesPerPage);
        for (const QStringList &lines : read.document.pages) {
            if (!page(lines))
                break;
        }
        return read.problem;
    }

    bool readError = false;
    const bool formFeeds = file.seek(0) && hasFormFeed(format, file, &readError);
    if (readError || !file.seek(0))
        return readFailure();
    LineTextDecoder decoder(format);
    LineTextPages pages(formFeeds, qBound(1, linesPerPage, PageSettings::kMaxLines), page);
    QString text;
    bool going = true;
    while (going) {
        bytes = file.read(1 << 16);
        if (file.error() != QFileDevice::NoError)
            return readFailure();
        if (bytes.isEmpty())
            break;
        going = decoder.decode(bytes, text);
        going = pages.add(text) && going;
        text.clear();
    }
    if (going) {
        decoder.finish(text);
        pages.add(text);
    }
    return pages.finish(decoder.problem());
}

} // namespace BrailleFiles
