#pragma once

#include "fileerror.h"
#include "textcodec.h"

#include <QList>
#include <QString>

class QFile;

// How a user's text file is written: saving a file's text in the format it
// was read in gives back the same bytes.
struct TextFileFormat
{
    TextEncoding encoding = TextEncoding::Cp932;
    QString lineEnd = QStringLiteral("\r\n");
    // A new document gets one line end after its last line; a file that was
    // read keeps the ending its text has.
    bool addFinalLineEnd = true;
    // A file whose lines end in more than one way: every line end in order.
    // Used while the text still has as many lines; otherwise lineEnd.
    QStringList lineEnds;
    // The cp932 codes of two-code characters that the file used.
    Cp932::Variants cp932Variants;
};

// Bytes of a file that were no character of its encoding, each read as
// U+FFFD, and the lines (from 1) that held them.
struct ReplacedBytes
{
    qsizetype count = 0;
    QList<qsizetype> lines;
};

struct TextReadResult
{
    bool ok = false;
    QString text;
    TextEncoding encoding = TextEncoding::Cp932;
    FileProblem error; // why nothing was read
    // Bytes that were no character of the file's encoding, each read as U+FFFD,
    // and the lines (from 1) that held them.
    qsizetype replaced = 0;
    QList<qsizetype> replacedLines;
    ReplacedBytes replacedBytes() const { return {replaced, replacedLines}; }
    Cp932::Variants cp932Variants; // cp932 only
};

struct TextWriteResult
{
    bool ok = false;
    FileProblem error;
};

// Nothing larger is read: a text of this size is far beyond any document.
constexpr qint64 kMaxTextFileBytes = 64 * 1024 * 1024;

// Reads a user's text file: UTF-16 or UTF-8 where the bytes say so, cp932
// otherwise (decodeUserText()). Only a regular file of at most
// kMaxTextFileBytes that looks like text is read; anything else is refused
// with the reason in error.
TextReadResult readTextFile(const QString &path);
// The same for a file the caller has opened, standard input for one; name
// stands for it in the messages.
TextReadResult readOpenedTextFile(QFile &file, const QString &name);

// Why a file is not read: it is no regular file, or larger than maxBytes;
// none when it may be read.
FileProblem refusalOfFile(const QString &path, qint64 maxBytes = kMaxTextFileBytes);

// The format a file's text was read in: its encoding, its first line end
// (CR LF when it has none), every line end where they differ, and the codes
// of its two-code cp932 characters.
TextFileFormat formatOf(const TextReadResult &read);

// The text with LF line ends, as an editor holds it.
QString toLf(QStringView text);

// Writes the text, its line ends made the format's, through
// saveFileSafely(), so a failure leaves whatever was there before untouched;
// cp932 writes "?" for what it cannot hold.
TextWriteResult writeTextFile(const QString &path, QStringView text, const TextFileFormat &format);

// The bytes of a file the user gave the program to read.
struct FileBytes
{
    bool ok = false;
    QByteArray bytes;
    FileProblem error; // why nothing was read
};

// Reads a user's file of any kind under the checks text files get: only a
// regular file (a device or a pipe could feed the program without end) of
// at most maxBytes.
FileBytes readUserFile(const QString &path, qint64 maxBytes);

// Reads a file that the program itself wrote in cp932.
TextReadResult readCp932File(const QString &path);

// Writes text as cp932 ("?" for what it cannot hold) through
// saveFileSafely(), so a failure leaves whatever was there before untouched. The text is written as
// it stands: give it CR LF line ends with toCrLf() first.
TextWriteResult writeCp932File(const QString &path, QStringView text);

// Turns every line end (LF, CR or CR LF) into CR LF.
QString toCrLf(QStringView text);

// The text as the program writes a document to a file: CR LF line ends, and
// one CR LF more after the last line.
QString toDocumentFileText(QStringView text);
