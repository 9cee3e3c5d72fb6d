#pragma once

#include "platform/textfile.h"

#include "codetable.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// Codes for what goes wrong with a code table; the windows and the command
// line word them. Listed for Qt's meta-object system so that every code can
// be gone through (a new one is worded, or a test says so).
namespace CodeTableCodes {
Q_NAMESPACE

// Why nothing was loaded.
enum class LoadError {
    None,
    FileNotRead, // CodeTableLoad::file says why
    NotFound     // no file `fileName` in any data directory; `searched` names them
};
Q_ENUM_NS(LoadError)

// Something in the file that makes translations go wrong.
enum class Problem {
    EmptyFile,      // no pair at all
    QuoteNotClosed, // a field opened with a quote that never closes
    TooManyRows,    // rows past `limit` are not read
    TooFewRows,     // `count` rows, fewer than the `limit` the translation uses
    LongCells,      // `row`'s cell string has `count` cells, cut to `limit`
    NotBraille,     // `row`..`lastRow` hold more than braille; `text` is the first of them
    EmptySign       // the sign row `row` (a CodeRow) has no cells
};
Q_ENUM_NS(Problem)

} // namespace CodeTableCodes

using CodeTableError = CodeTableCodes::LoadError;
using CodeTableIssue = CodeTableCodes::Problem;

// One problem and what its message names.
struct CodeTableProblem
{
    int line = 0; // of the file, from 1; 0 for the file as a whole
    CodeTableIssue issue = CodeTableIssue::EmptyFile;
    int row = 0;
    int lastRow = 0;
    int count = 0;
    int limit = 0;
    QString text{};
};

struct CodeTableLoad
{
    bool ok = false;
    CodeTable table;
    int rows = 0;          // pairs read
    QString path;          // the file read, or empty when none was found
    CodeTableError error = CodeTableError::None; // why nothing was loaded
    FileProblem file;      // FileNotRead: why the file could not be read
    QString fileName;      // NotFound: the file looked for
    QString searched;      // NotFound: the places looked in, one a line
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
