#pragma once

#include "platform/textfile.h"

#include "codetable.h"

#include <QList>
#include <QString>
#include <QStringList>

// Something in a code table file that makes translations go wrong.
struct CodeTableProblem
{
    int line = 0; // of the file, from 1; 0 for the file as a whole
    QString message; // Japanese, for the user

    // "N行目: message", or the message alone.
    QString text() const;
};

struct CodeTableLoad
{
    bool ok = false;
    CodeTable table;
    int rows = 0;          // pairs read
    QString path;          // the file read, or empty when none was found
    QString error;         // why nothing was loaded (Japanese, for the user)
    FileProblem file;      // why the file could not be read, when that was why
    ReplacedBytes replaced; // what of the file was no character, read as U+FFFD
    // What is wrong with what was loaded, in file order; the table holds
    // what could be made of the file all the same.
    QList<CodeTableProblem> problems;
};

// The file's fields: separated by a comma or a line end (CR LF, CR or LF);
// a field that starts with a double quote runs to the next one, and the
// quotes are dropped; ASCII spaces and tabs around an unquoted field do not
// belong to it; blank lines hold no field.
QStringList splitCodeTableFields(QStringView text);

// Pairs the fields into rows 1..1000 (see CodeTable). Row 1's key becomes "," whatever the
// file says; a last key without its cell string gets an empty one. Reports,
// with line numbers: an empty file, a quote left open (the field then ends
// with its line), fewer rows than the translation uses, an empty sign row,
// a cell string of more than kMaxCells cells (cut there) and, in a table of
// Unicode braille, cell strings holding anything else.
CodeTableLoad parseCodeTable(QStringView text);

// No sign of the notation is longer; a longer cell string is a broken row.
constexpr int kMaxCells = 8;

CodeTableLoad loadCodeTable(const QString &path);

inline const QString kCodeTableFileName = QStringLiteral("gaiji.txt");

// Looks for the code table in the data directories; when there is none, the
// error names every place it was looked for and the table is empty.
CodeTableLoad loadInstalledCodeTable(const QString &fileName = kCodeTableFileName);
