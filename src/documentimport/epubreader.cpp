// EPUB: the pages of the spine, in reading order, each a section of its own
// (its footnotes follow it).
#include "formatreaders.h"

#include "htmlcontent.h"
#include "xmlreading.h"
#include "ziparchive.h"

#include <QHash>
#include <QUrl>

namespace {

struct Package
{
    QStringList spine; // paths inside the archive, in reading order
    ImportError error = ImportError::None;
};

// The path inside the archive of href, written relative to the folder of
// the file `from` (percent-encoded, without its #fragment).
QString resolve(const QString &from, const QString &href)
{
    QString path = QUrl::fromPercentEncoding(href.section(u'#', 0, 0).toUtf8());
    const qsizetype slash = from.lastIndexOf(u'/');
    if (!path.startsWith(u'/') && slash >= 0)
        path.prepend(from.left(slash + 1));
    QStringList parts;
    for (const QString &part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != u".") {
            parts.append(part);
        }
    }
    return parts.join(u'/');
}

QString rootFilePath(const QByteArray &container, ImportError *error)
{
    XmlReader xml(container);
    while (xml.next()) {
        if (xml.isStart() && xml.name() == u"rootfile") {
            const QString path = xml.attribute(u"full-path");
            if (!path.isEmpty())
                return resolve(QString(), path);
        }
    }
    *error = xml.error();
    return QString();
}

Package readPackage(const QString &opfPath, const QByteArray &opf)
{
    Package package;
    QHash<QString, QString> manifest;
    QStringList order;
    XmlReader xml(opf);
    while (xml.next()) {
        if (!xml.isStart())
            continue;
        if (xml.name() == u"item") {
            const QString type = xml.attribute(u"media-type");
            if (type.contains(u"html"))
                manifest.insert(xml.attribute(u"id"), resolve(opfPath, xml.attribute(u"href")));
        } else if (xml.name() == u"itemref" && xml.attribute(u"linear") != u"no") {
            order.append(xml.attribute(u"idref"));
        }
    }
    package.error = xml.error();
    for (const QString &id : order) {
        const QString path = manifest.value(id);
        if (!path.isEmpty() && !package.spine.contains(path))
            package.spine.append(path);
    }
    return package;
}

// The files that META-INF/encryption.xml says are encrypted.
QStringList encryptedFiles(const QByteArray &encryption, ImportError *error)
{
    QStringList files;
    XmlReader xml(encryption);
    while (xml.next()) {
        if (xml.isStart() && xml.name() == u"CipherReference")
            files.append(resolve(QString(), xml.attribute(u"URI")));
    }
    *error = xml.error();
    return files;
}

} // namespace

DocumentImport readEpubDocument(const QByteArray &bytes)
{
    DocumentImport result;
    ZipArchive zip;
    if (!zip.open(bytes)) {
        result.problem = {zip.error()};
        return result;
    }
    auto readPart = [&](const QString &name) -> std::optional<QByteArray> {
        std::optional<QByteArray> data = zip.read(name);
        if (!data)
            result.problem = {zip.error()};
        return data;
    };
    const QString containerPart = QStringLiteral("META-INF/container.xml");
    if (!zip.contains(containerPart)) {
        result.problem = {ImportError::NotThisFormat, DocumentImporter::Format::Epub};
        return result;
    }
    const std::optional<QByteArray> container = readPart(containerPart);
    if (!container)
        return result;
    const QString opfPath = rootFilePath(*container, &result.problem.error);
    if (result.problem)
        return result;
    if (opfPath.isEmpty() || !zip.contains(opfPath)) {
        result.problem = {.error = ImportError::MissingPart, .part = QStringLiteral("OPF")};
        return result;
    }
    const std::optional<QByteArray> opf = readPart(opfPath);
    if (!opf)
        return result;
    const Package package = readPackage(opfPath, *opf);
    if (package.error != ImportError::None) {
        result.problem = {package.error};
        return result;
    }
    QStringList encrypted;
    const QString encryptionPart = QStringLiteral("META-INF/encryption.xml");
    if (zip.contains(encryptionPart)) {
        const std::optional<QByteArray> encryption = readPart(encryptionPart);
        if (!encryption)
            return result;
        // Obfuscated fonts are listed here too; only encrypted text matters.
        encrypted = encryptedFiles(*encryption, &result.problem.error);
        if (result.problem)
            return result;
    }
    TextBuilder builder;
    HtmlContent content(builder);
    for (const QString &page : package.spine) {
        if (encrypted.contains(page)) {
            result.problem = {ImportError::Encrypted};
            return result;
        }
        if (!zip.contains(page))
            continue;
        const std::optional<QByteArray> data = readPart(page);
        if (!data)
            return result;
        result.problem = {readXhtmlPage(*data, content)};
        if (result.problem)
            return result;
    }
    result.document = builder.finish();
    result.ok = true;
    return result;
}
