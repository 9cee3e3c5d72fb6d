#include "userdictionary.h"

#include "platform/safesave.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace UserDictionary {

QString defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/kana-dictionary.txt");
}

UserDictionaryLoad parse(const QString &text)
{
    UserDictionaryLoad result;
    QHash<QString, int> firstLine;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = int(i) + 1;
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        const QString written = fields.value(0).trimmed();
        const QString kana = fields.value(1).trimmed();
        if (fields.size() != 2 || written.isEmpty() || kana.isEmpty()) {
            result.problems.append(
                QStringLiteral("%1 行目: 「表記<タブ>点訳かな」の形ではありません。").arg(number));
        } else if (firstLine.contains(written)) {
            result.problems.append(QStringLiteral("%1 行目: 「%2」は %3 行目にもあります。")
                                       .arg(number)
                                       .arg(written)
                                       .arg(firstLine.value(written)));
        } else {
            firstLine.insert(written, number);
            result.entries.append({written, kana});
        }
    }
    return result;
}

QString format(const QList<UserDictionaryEntry> &entries)
{
    QString text = QStringLiteral("# Mirabo 点訳かな変換の単語登録: 表記<タブ>点訳かな\n");
    for (const UserDictionaryEntry &entry : entries) {
        // A line that starts with # is a comment; the blank keeps such a
        // written form an entry, and reading trims it off again.
        if (entry.written.startsWith(u'#'))
            text += u' ';
        text += entry.written + u'\t' + entry.kana + u'\n';
    }
    return text;
}

UserDictionaryLoad load(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    const FileBytes read = readUserFile(path, kMaxFileBytes);
    if (!read.ok) {
        UserDictionaryLoad failed;
        failed.error = QStringLiteral("単語登録のファイルを読み込めません: %1").arg(read.error);
        return failed;
    }
    return parse(QString::fromUtf8(read.bytes));
}

QString save(const QString &path, const QList<UserDictionaryEntry> &entries)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const SafeSaveResult saved = saveBytesSafely(path, format(entries).toUtf8());
    if (saved.ok)
        return QString();
    return QStringLiteral("単語登録を保存できません: %1").arg(saved.error);
}

} // namespace UserDictionary
