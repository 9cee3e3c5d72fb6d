#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A correction of the user's: a written form and its braille kana
// (長田 → おさだ), used in place of the dictionary's reading.
struct UserDictionaryEntry
{
    QString written;
    QString kana;
    friend bool operator==(const UserDictionaryEntry &, const UserDictionaryEntry &) = default;
};

struct UserDictionaryLoad
{
    QList<UserDictionaryEntry> entries;
    // One message per line that could not be used, with its line number;
    // the other lines are loaded all the same.
    QStringList problems;
    // Set when the file exists but cannot be read. A missing file is an
    // empty dictionary.
    QString error;
};

// The user dictionary file: UTF-8 text, one entry a line, the written form
// and the kana separated by a tab; blank lines and lines starting with # are
// ignored.
namespace UserDictionary {

// No larger dictionary is read: millions of entries, far beyond any user's.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

// kana-dictionary.txt in the user's data directory.
QString defaultPath();

UserDictionaryLoad parse(const QString &text);
QString format(const QList<UserDictionaryEntry> &entries);

// Only a regular file of at most kMaxFileBytes is read.
UserDictionaryLoad load(const QString &path);
// Writes the whole file at once (saveFileSafely()), so a failure leaves the
// old one as it was. Returns the error for the user, empty on success.
QString save(const QString &path, const QList<UserDictionaryEntry> &entries);

} // namespace UserDictionary
