#pragma once

#include "codetable.h"

#include <QString>
#include <QStringList>

struct CodeTableLoad
{
    bool ok = false;
    CodeTable table;
    int rows = 0;          // pairs read
    QString path;          // the file read, or empty when none was found
    QString error;         // why nothing was loaded (Japanese, for the user)
    QStringList warnings;  // what was read but not taken (Japanese)
};

// The file's fields: separated by a comma or a line end (CR LF, CR or LF);
// a field that starts with a double quote runs to the next one, and the
// quotes are dropped; ASCII spaces and tabs around an unquoted field do not
// belong to it; blank lines hold no field.
QStringList splitCodeTableFields(QStringView text);

// Pairs the fields into rows 1..1000 (see CodeTable). Row 1's key becomes "," whatever the
// file says; a last key without its cell string gets an empty one.
CodeTableLoad parseCodeTable(QStringView text);

CodeTableLoad loadCodeTable(const QString &path);

inline const QString kCodeTableFileName = QStringLiteral("gaiji.txt");

// Looks for the code table in the data directories; when there is none, the
// error names every place it was looked for and the table is empty.
CodeTableLoad loadInstalledCodeTable(const QString &fileName = kCodeTableFileName);
