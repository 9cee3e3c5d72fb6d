#include "documentimport.h"

#include "formatreaders.h"

#include <QFile>
#include <QFileInfo>

namespace DocumentImporter {

namespace {

struct FormatName
{
    Format format;
    const char *name;
    QStringList suffixes;
};

const QList<FormatName> &formats()
{
    static const QList<FormatName> list = {
        {Format::Word, "docx", {QStringLiteral("docx")}},
        {Format::OpenDocument, "odt", {QStringLiteral("odt")}},
        {Format::Html, "html", {QStringLiteral("html"), QStringLiteral("htm")}},
        {Format::Xhtml, "xhtml", {QStringLiteral("xhtml"), QStringLiteral("xht")}},
        {Format::Epub, "epub", {QStringLiteral("epub")}},
        {Format::Pdf, "pdf", {QStringLiteral("pdf")}},
    };
    return list;
}

// Word and OpenDocument files saved with a password are no zip files but
// an OLE compound file holding the encrypted package.
bool isEncryptedOfficeFile(const QByteArray &bytes)
{
    return bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

} // namespace

Format formatOfFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const FormatName &format : formats()) {
        if (format.suffixes.contains(suffix))
            return format.format;
    }
    return Format::Unknown;
}

Format formatNamed(const QString &name)
{
    for (const FormatName &format : formats()) {
        if (name.compare(QLatin1String(format.name), Qt::CaseInsensitive) == 0 ||
            format.suffixes.contains(name.toLower()))
            return format.format;
    }
    return Format::Unknown;
}

QStringList formatNames()
{
    QStringList names;
    for (const FormatName &format : formats())
        names.append(QLatin1String(format.name));
    return names;
}

QStringList filePatterns()
{
    QStringList patterns;
    for (const FormatName &format : formats()) {
        for (const QString &suffix : format.suffixes)
            patterns.append(QStringLiteral("*.") + suffix);
    }
    return patterns;
}

namespace {

DocumentImport importByFormat(const QByteArray &bytes, Format format)
{
    if (bytes.size() > kMaxFileBytes) {
        DocumentImport refused;
        refused.problem = {ImportError::TooLarge};
        return refused;
    }
    if ((format == Format::Word || format == Format::OpenDocument || format == Format::Epub) &&
        isEncryptedOfficeFile(bytes)) {
        DocumentImport refused;
        refused.problem = {ImportError::Encrypted};
        return refused;
    }
    switch (format) {
    case Format::Word:
        return readWordDocument(bytes);
    case Format::OpenDocument:
        return readOpenDocument(bytes);
    case Format::Html:
        return readHtmlDocument(bytes, false);
    case Format::Xhtml:
        return readHtmlDocument(bytes, true);
    case Format::Epub:
        return readEpubDocument(bytes);
    case Format::Pdf:
        return readPdfDocument(bytes);
    case Format::Unknown:
        break;
    }
    DocumentImport refused;
    refused.problem = {ImportError::NotThisFormat, Format::Unknown};
    return refused;
}

} // namespace

DocumentImport importBytes(const QByteArray &bytes, Format format)
{
    DocumentImport result = importByFormat(bytes, format);
    // An empty document would look like success; a scanned PDF is the
    // usual case, and the user needs to know why nothing came.
    if (result.ok && result.document.text.isEmpty()) {
        result.ok = false;
        result.problem = {ImportError::NoText};
    }
    return result;
}

DocumentImport importFile(const QString &path, Format format)
{
    DocumentImport result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = {.error = ImportError::FileNotOpened, .detail = file.errorString(), .file = QFileInfo(path).fileName()};
        return result;
    }
    // Never more than the limit is read, whatever size the file claims.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.problem = {.error = ImportError::FileNotRead, .detail = file.errorString(), .file = QFileInfo(path).fileName()};
        return result;
    }
    result = importBytes(bytes, format);
    if (!result.ok)
        result.problem.file = QFileInfo(path).fileName();
    return result;
}

} // namespace DocumentImporter
