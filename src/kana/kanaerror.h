#pragma once

#include "platform/fileerror.h"

#include <QString>

// Why 点訳かな変換 or its dictionaries cannot be used; the windows and the
// command line word it.
enum class KanaError {
    None,
    DictionaryMissing,     // no MeCab dictionary (sys.dic) in `path`
    DictionaryNotUtf8,     // the dictionary in `path` is built for another encoding
    DictionaryNotOpened,   // MeCab refused the dictionary in `path`; `detail` is its reason
    LexiconMissing,        // the shipped word list `path` (a file name) was not found; `detail`: where it was looked for
    LexiconDamaged,        // lines of the word list `path` that could not be used, in `detail`
    UserDictionaryNotRead, // file
    UserDictionaryNotSaved // file
};

struct KanaProblem
{
    KanaError error = KanaError::None;
    QString path;
    QString detail;
    FileProblem file{};
    bool ok() const { return error == KanaError::None; }
    explicit operator bool() const { return !ok(); }
};
