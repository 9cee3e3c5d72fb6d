#include "userdictionary.h"

#include "platform/textcodec.h"
#include "platform/safesave.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace UserDictionary {

QString defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/kana-dictionary.txt");
}

namespace {

const QString kHeader = QStringLiteral("# Mirabo 点訳かな変換の単語登録: 表記<タブ>点訳かな\n");

// The entry a line holds, if it holds one; a comment, a blank line or a
// line of another shape holds none.
std::optional<UserDictionaryEntry> entryOf(QString line)
{
    if (line.endsWith(u'\r'))
        line.chop(1);
    if (line.trimmed().isEmpty() || line.startsWith(u'#'))
        return std::nullopt;
    const QStringList fields = line.split(u'\t');
    UserDictionaryEntry entry{fields.value(0).trimmed(), fields.value(1).trimmed()};
    if (fields.size() != 2 || entry.written.isEmpty() || entry.kana.isEmpty())
        return std::nullopt;
    return entry;
}

QString lineOf(const UserDictionaryEntry &entry)
{
    // A line that starts with # is a comment; the blank keeps such a
    // written form an entry, and reading trims it off again.
    return (entry.written.startsWith(u'#') ? QStringLiteral(" ") : QString()) + entry.written + u'\t' + entry.kana;
}

bool isReadingCharacter(char32_t c)
{
    return (c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FA) || c == 0x30FC ||
           (c >= 0xFF66 && c <= 0xFF9F) || (c >= u'0' && c <= u'9') || (c >= 0xFF10 && c <= 0xFF19) ||
           c == u' ' || c == 0x3000;
}

} // namespace

bool isBrailleKana(QStringView reading)
{
    const QList<uint> characters = reading.toUcs4();
    return !reading.trimmed().isEmpty() &&
           std::all_of(characters.cbegin(), characters.cend(), [](uint c) { return isReadingCharacter(c); });
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
            result.problems.append({.line = number, .issue = UserDictionaryIssue::NotAnEntry});
        } else if (!isBrailleKana(kana)) {
            result.problems.append(
                {.line = number, .issue = UserDictionaryIssue::NotKana, .written = written, .kana = kana});
        } else if (firstLine.contains(written)) {
            result.problems.append({.line = number,
                                    .issue = UserDictionaryIssue::Repeated,
                                    .written = written,
                                    .firstLine = firstLine.value(written)});
        } else {
            firstLine.insert(written, number);
            result.entries.append({written, kana});
        }
    }
    return result;
}

QString format(const QList<UserDictionaryEntry> &entries)
{
    QString text = kHeader;
    for (const UserDictionaryEntry &entry : entries)
        text += lineOf(entry) + u'\n';
    return text;
}

QString merged(const QString &text, const QList<UserDictionaryEntry> &entries,
               const QList<UserDictionaryEntry> &readBefore)
{
    QHash<QString, QString> before;
    for (const UserDictionaryEntry &entry : readBefore)
        before.insert(entry.written, entry.kana);
    QHash<QString, QString> changed; // new or with another kana
    QSet<QString> kept;
    for (const UserDictionaryEntry &entry : entries) {
        kept.insert(entry.written);
        const auto was = before.constFind(entry.written);
        if (was == before.cend() || *was != entry.kana)
            changed.insert(entry.written, entry.kana);
    }

    // New lines end as the file's lines do.
    const QString end = text.contains(QStringLiteral("\r\n")) ? QStringLiteral("\r") : QString();
    QStringList lines = text.isEmpty() ? QStringList{kHeader.chopped(1), QString()} : text.split(u'\n');
    // The last piece is what follows the final line end: usually nothing.
    const QString last = lines.takeLast();
    QStringList out;
    QSet<QString> placed;
    for (const QString &line : std::as_const(lines)) {
        const std::optional<UserDictionaryEntry> entry = entryOf(line);
        if (!entry) {
            out.append(line);
        } else if (before.contains(entry->written) && !kept.contains(entry->written)) {
            continue; // deleted by the user
        } else if (changed.contains(entry->written)) {
            // A second line of the same word would undo the change.
            if (placed.contains(entry->written))
                continue;
            placed.insert(entry->written);
            const QString lineEnd = line.endsWith(u'\r') ? QStringLiteral("\r") : QString();
            out.append(lineOf({entry->written, changed.value(entry->written)}) + lineEnd);
        } else {
            out.append(line);
        }
    }
    if (!last.isEmpty())
        out.append(last);
    for (const UserDictionaryEntry &entry : entries) {
        if (changed.contains(entry.written) && !placed.contains(entry.written))
            out.append(lineOf(entry) + end);
    }
    out.append(QString()); // the final line end
    return out.join(u'\n');
}

UserDictionaryLoad load(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    const FileBytes read = readUserFile(path, kMaxFileBytes);
    if (!read.ok) {
        UserDictionaryLoad failed;
        failed.error = {KanaError::UserDictionaryNotRead, path, QString(), read.error};
        return failed;
    }
    // Read as the text files are: UTF-8 where the bytes say so, else cp932.
    const DecodedText decoded = decodeUserText(read.bytes);
    UserDictionaryLoad result = parse(decoded.text);
    result.text = decoded.text;
    result.utf8 = decoded.encoding != TextEncoding::Cp932;
    return result;
}

KanaProblem save(const QString &path, const QList<UserDictionaryEntry> &entries,
                 const QList<UserDictionaryEntry> &readBefore)
{
    // What is on disk now, which may have changed since it was read.
    const UserDictionaryLoad onDisk = load(path);
    if (onDisk.error)
        return onDisk.error;
    const QString text = merged(onDisk.text, entries, readBefore);
    bool lost = false;
    QByteArray bytes = onDisk.utf8 ? QByteArray() : Cp932::encode(text, &lost);
    if (onDisk.utf8 || lost)
        bytes = text.toUtf8();

    QDir().mkpath(QFileInfo(path).absolutePath());
    const SafeSaveResult saved = saveBytesSafely(path, bytes);
    if (saved.ok)
        return {};
    return {KanaError::UserDictionaryNotSaved, path, QString(), saved.error};
}

} // namespace UserDictionary
