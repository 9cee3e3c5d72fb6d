#include "documentinfo.h"

#include "platform/safesave.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <utility>

namespace {

constexpr qint64 kMaxInfoBytes = 64 * 1024;

using Field = QString DocumentInfo::*;
const std::array<std::pair<const char16_t *, Field>, 6> kFields{{
    {u"書名", &DocumentInfo::title},
    {u"著者", &DocumentInfo::author},
    {u"出版社", &DocumentInfo::publisher},
    {u"発行年", &DocumentInfo::publicationYear},
    {u"点訳者", &DocumentInfo::transcriber},
    {u"点訳年", &DocumentInfo::transcriptionYear},
}};

} // namespace

bool DocumentInfo::isEmpty() const
{
    for (const auto &[name, field] : kFields) {
        if (!(this->*field).trimmed().isEmpty())
            return false;
    }
    return true;
}

QString DocumentInfo::pathBeside(const QString &textPath)
{
    const QFileInfo info(textPath);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(base + QStringLiteral(".bookinfo"));
}

QByteArray DocumentInfo::toBytes() const
{
    QString text;
    for (const auto &[name, field] : kFields) {
        // A field is one line: line ends typed in it become blanks.
        QString value = this->*field;
        value.replace(u'\r', u' ').replace(u'\n', u' ');
        text += QString::fromUtf16(name) + u'=' + value.trimmed() + u'\n';
    }
    return text.toUtf8();
}

DocumentInfo DocumentInfo::fromBytes(const QByteArray &bytes)
{
    DocumentInfo result;
    const QString text = QString::fromUtf8(bytes);
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QStringView key = line.first(equals).trimmed();
        for (const auto &[name, field] : kFields) {
            if (key == QStringView(name))
                result.*field = line.sliced(equals + 1).trimmed().toString();
        }
    }
    return result;
}

DocumentInfo DocumentInfo::loadBeside(const QString &textPath, FileProblem *error)
{
    const QString path = pathBeside(textPath);
    if (textPath.isEmpty() || !QFileInfo::exists(path))
        return DocumentInfo();
    const FileBytes read = readUserFile(path, kMaxInfoBytes);
    if (!read.ok) {
        if (error)
            *error = read.error;
        return DocumentInfo();
    }
    return fromBytes(read.bytes);
}

FileProblem DocumentInfo::saveBeside(const QString &textPath) const
{
    const QString path = pathBeside(textPath);
    if (isEmpty()) {
        QFile file(path);
        if (file.exists() && !file.remove())
            return FileProblem{FileError::NotWritten, path, file.errorString()};
        return FileProblem{};
    }
    return saveBytesSafely(path, toBytes()).error;
}
