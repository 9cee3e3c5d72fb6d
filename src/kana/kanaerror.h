#pragma once

#include "platform/fileerror.h"

#include <QList>
#include <QObject>
#include <QString>

// Why a line of a user dictionary, or of the shipped word list, is not
// used; the windows and the command line word it. Listed for Qt's
// meta-object system so that every code can be gone through.
namespace UserDictionaryCodes {
Q_NAMESPACE

enum class Problem {
    NotAnEntry, // not "written<TAB>kana"
    NotKana,    // the kana `kana` of `written` holds other characters
    Repeated    // `written` has an entry on `firstLine` already
};
Q_ENUM_NS(Problem)

} // namespace UserDictionaryCodes

using UserDictionaryIssue = UserDictionaryCodes::Problem;

struct UserDictionaryProblem
{
    int line = 0; // of the file, from 1
    UserDictionaryIssue issue = UserDictionaryIssue::NotAnEntry;
    QString written{};
    QString kana{};
    int firstLine = 0;
};

// Why 点訳かな変換 or its dictionaries cannot be used; the windows and the
// command line word it.
enum class KanaError {
    None,
    DictionaryMissing,     // no MeCab dictionary (sys.dic) in `path`
    DictionaryNotUtf8,     // the dictionary in `path` is built for another encoding
    DictionaryNotOpened,   // MeCab refused the dictionary in `path`; `detail` is its reason
    LexiconMissing,        // the shipped word list `path` (a file name) was not found; `detail`: where it was looked for
    LexiconDamaged,        // the word list `path` has `lines` that could not be used
    UserDictionaryNotRead, // file
    UserDictionaryNotSaved // file
};

struct KanaProblem
{
    KanaError error = KanaError::None;
    QString path;
    QString detail;
    FileProblem file{};
    QList<UserDictionaryProblem> lines{};
    bool ok() const { return error == KanaError::None; }
    explicit operator bool() const { return !ok(); }
};
