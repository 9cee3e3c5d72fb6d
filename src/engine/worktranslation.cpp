#include "worktranslation.h"

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

QString writeWorkFile(QStringView text)
{
    const QString path = workFilePath();
    if (path.isEmpty())
        return QStringLiteral("作業ファイルを置くフォルダがありません。点字翻訳できません。");
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return QStringLiteral("作業ファイルのフォルダ「%1」を作成できません。")
            .arg(QDir::toNativeSeparators(dir));

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
        return QStringLiteral("作業ファイルに書き込めません。\n%1").arg(saved.error);
    return QString();
}

EditorTranslation TranslateEditorText(const CodeTable &table, QStringView editorText)
{
    EditorTranslation result;
    result.error = writeWorkFile(editorText);
    if (!result.error.isEmpty())
        return result;
    result.translation =
        translateText(table, editorText.toString() + QStringLiteral("\r\n"), &result.withoutBraille);
    result.ok = true;
    return result;
}
