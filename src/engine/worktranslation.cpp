#include "worktranslation.h"

#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return QStringLiteral("作業ファイルのフォルダ「%1」を作成できません。")
            .arg(QDir::toNativeSeparators(dir));

    // QSaveFile would write through a link to its target.
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("作業ファイル「%1」を作成できません。\n%2").arg(shownPath, file.errorString());
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = workFileBytes(text);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return QStringLiteral("作業ファイル「%1」に書き込めません。\n%2").arg(shownPath, error);
    }
    return QString();
}

EditorTranslation TranslateEditorText(const CodeTable &table, QStringView editorText)
{
    EditorTranslation result;
    result.error = writeWorkFile(editorText);
    if (!result.error.isEmpty())
        return result;
    result.translation = translateText(table, editorText.toString() + QStringLiteral("\r\n"));
    result.ok = true;
    return result;
}
