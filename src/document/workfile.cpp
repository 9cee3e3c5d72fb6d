#include "workfile.h"

#include "platform/safesave.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kWorkFileName = QStringLiteral("wk.txt");

QByteArray workFileBytes(QStringView text)
{
    const QString fileText = toDocumentFileText(text);
    bool lost = false;
    const QByteArray bytes = Cp932::encode(fileText, &lost);
    if (!lost)
        return bytes;
    return QByteArrayLiteral("\xEF\xBB\xBF") + fileText.toUtf8();
}

} // namespace

QString workFilePath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (dir.isEmpty())
        return QString();
    return QDir(dir).filePath(kWorkFileName);
}

WorkFileWrite writeWorkFile(QStringView text)
{
    const QString path = workFilePath();
    if (path.isEmpty())
        return {WorkFileError::NoFolder, QString(), QString()};
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return {WorkFileError::FolderNotMade, dir, QString()};

    // QSaveFile would write through a link to its target.
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    const QByteArray bytes = workFileBytes(text);
    const SafeSaveResult saved = saveFileSafely(path, [&bytes](QIODevice &device) {
        // The text is the user's: for the user's eyes only.
        static_cast<QFileDevice &>(device).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return device.write(bytes) == bytes.size();
    });
    if (!saved.ok)
        return {saved.error.error == FileError::NotCreated ? WorkFileError::NotCreated : WorkFileError::NotWritten,
                path, saved.error.detail};
    return {};
}

EditorTranslation TranslateEditorText(const CodeTable &table, QStringView editorText)
{
    EditorTranslation result;
    result.write = writeWorkFile(editorText);
    if (!result.write.ok())
        return result;
    result.translation =
        translateText(table, editorText.toString() + QStringLiteral("\r\n"), &result.withoutBraille);
    result.ok = true;
    return result;
}
