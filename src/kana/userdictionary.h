#pragma once

#include "kanaerror.h"

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
    // The file's text as read, comments and unusable lines included, and
    // whether it was UTF-8 (else cp932).
    QString text;
    bool utf8 = true;
    // The lines that could not be used, in file order; the other lines
    // are loaded all the same.
    QList<UserDictionaryProblem> problems;
    // Set when the file exists but cannot be read. A missing file is an
    // empty dictionary.
    KanaProblem error;
};

// The user dictionary file: UTF-8 text (code page 932 is read too), one
// entry a line, the written form and the kana separated by a tab; blank
// lines and lines starting with # are ignored.
namespace UserDictionary {

// True when reading is braille kana: kana, the long-vowel mark, digits and
// blanks between words; kanji, Latin letters and signs are not.
bool isBrailleKana(QStringView reading);

// No larger dictionary is read: millions of entries, far beyond any user's.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

// kana-dictionary.txt in the user's data directory.
QString defaultPath();

UserDictionaryLoad parse(const QString &text);
QString format(const QList<UserDictionaryEntry> &entries);

// The file's text with the changes from readBefore to entries made in it:
// lines of other entries, comments and lines it cannot use stay as they are,
// a changed entry keeps its line, a new one goes at the end.
QString merged(const QString &text, const QList<UserDictionaryEntry> &entries,
               const QList<UserDictionaryEntry> &readBefore);

// Only a regular file of at most kMaxFileBytes is read.
UserDictionaryLoad load(const QString &path);
// Writes entries, the dictionary as read (readBefore) with the user's
// changes, into the file as it is on disk now (merged()), so that what
// another window or program saved meanwhile is kept; in cp932 when the file
// is and can hold them. The whole file is written at once
// (saveBytesSafely()), so a failure leaves the old one as it was. Returns
// none on success.
KanaProblem save(const QString &path, const QList<UserDictionaryEntry> &entries,
                 const QList<UserDictionaryEntry> &readBefore = {});

} // namespace UserDictionary
