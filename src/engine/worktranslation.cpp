#include "worktranslation.h"

#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "translation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kWorkFileName = QStringLiteral("wk.txt");

// Creates the work file afresh, so that nothing of another file (or of a link
// put in its place) is written through, and only the user can read it.
QString writeWorkFile(const QString &path, QStringView text)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return QStringLiteral("作業ファイルのフォルダ「%1」を作成できません。")
            .arg(QDir::toNativeSeparators(dir));

    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return QStringLiteral("作業ファイル「%1」を作成できません。\n%2").arg(shownPath, file.errorString());

    const QByteArray bytes = Cp932::encode(toDocumentFileText(text));
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError)
        return QStringLiteral("作業ファイル「%1」に書き込めません。\n%2").arg(shownPath, file.errorString());
    return QString();
}

} // namespace

QString workFilePath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (dir.isEmpty())
        return QString();
    return QDir(dir).filePath(kWorkFileName);
}

TranslationResult TranslateEditorText(Module1 &m, QStringView editorText, QStringList &list)
{
    list.clear();
    TranslationResult result;
    const QString path = workFilePath();
    if (path.isEmpty()) {
        result.error = QStringLiteral("作業ファイルを置くフォルダがありません。点字翻訳できません。");
    } else {
        result.error = writeWorkFile(path, editorText);
    }

    QStringList lines;
    if (result.error.isEmpty()) {
        const TextReadResult read = readCp932File(path);
        if (read.ok)
            lines = splitLines(read.text);
        else
            result.error = QStringLiteral("作業ファイルを読み込めません。\n%1").arg(read.error);
    }

    if (!result.error.isEmpty()) {
        // Nothing of an earlier translation may stay for printing.
        m.resetGrids(0);
        m.LineCount = 0;
        return result;
    }
    list = TranslateLines(m, lines);
    result.lostCharacters = Cp932::unencodableCharacters(editorText);
    result.ok = true;
    return result;
}
