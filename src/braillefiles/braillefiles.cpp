#include "braillefiles.h"

#include "formats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

ReadResult decode(const QByteArray &bytes, int linesPerPage)
{
    return decode(detect(bytes), bytes, linesPerPage);
}

ReadResult decode(Format format, const QByteArray &bytes, int linesPerPage)
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

QString position(const BraillePages &document)
{
    const qsizetype page = qMax<qsizetype>(1, document.pages.size());
    // The line being read when reading stopped.
    const qsizetype line = document.pages.isEmpty() ? 1 : qMax<qsizetype>(1, document.pages.last().size());
    return QStringLiteral("%1 ページ %2 行目").arg(page).arg(line);
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

QString save(const QString &path, Format format, const BraillePages &document)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        const QByteArray bytes = encode(format, document);
        if (file.write(bytes) == bytes.size() && file.commit())
            return QString();
    }
    return QStringLiteral("%1 に書き込めませんでした: %2")
        .arg(QDir::toNativeSeparators(path), file.errorString());
}

ReadResult open(const QString &path, int linesPerPage)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReadResult result;
        result.problem = QStringLiteral("%1 を開けませんでした: %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    }
    return decode(file.readAll(), linesPerPage);
}

} // namespace BrailleFiles
