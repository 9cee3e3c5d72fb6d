#pragma once

#include "tables/module1.h"

#include <QString>
#include <QStringList>
#include <QStringView>

struct TranslationResult
{
    bool ok = false;
    QString error; // in Japanese, for the user; empty when ok
    // Characters of the editor text that the work file's code page cannot
    // hold; each was written, and so translated, as "?".
    QStringList lostCharacters;
};

// The work file through which the editor text is cut into lines: "wk.txt" in
// the user's cache directory.
QString workFilePath();

// The braille translation command. The editor text is written to a new work
// file (cp932, CR LF, one line end more, readable by the user alone), read
// back and translated line by line; so an empty editor gives one empty line,
// and a text that ends in a line end gives one more, empty, line. The list
// is replaced by the entries of the translation. When the work file cannot be
// written or read, the list and the grids are left empty, LineCount is 0 and
// the result says why.
TranslationResult TranslateEditorText(Module1 &m, QStringView editorText, QStringList &list);
