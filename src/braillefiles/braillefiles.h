#pragma once

#include "braillepages/braillepages.h"
#include "platform/fileerror.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>
#include <optional>

// Braille files in and out: Unicode braille text, BRF (North American
// Braille ASCII), PEF 1.0 and BES.
namespace BrailleFiles {

enum class Format { UnicodeText, Brf, Pef, Bes };

// Why reading a braille file stopped; the windows and the command line
// word it.
enum class ReadError {
    None,
    FileNotRead,         // the file itself could not be read (file)
    NotBrailleFile,      // no braille file by its name nor by its bytes
    HeaderCut,           // a BES header shorter than a header
    NotBes,              // a .bes file without the BES mark
    FileCut,             // the file ends before its end mark
    TooManyLines,        // a page of more than `number` lines
    TooManyCells,        // a line of more than `number` cells
    NotUtf8,             // bytes that are no UTF-8
    NotBrailleCharacter, // `detail` is a character that is no cell
    NotBrfCode,          // `number` is a byte BRF has no cell for
    XmlUnreadable,       // XML broken at line `number`; `detail` is the reader's reason
    NoPefPages,          // a PEF file without a page
};

struct ReadProblem
{
    ReadError error = ReadError::None;
    qsizetype page = 0; // where reading stopped, from 1
    qsizetype line = 0;
    QString detail;
    qint64 number = 0;
    FileProblem file{}; // FileNotRead
    bool ok() const { return error == ReadError::None; }
    explicit operator bool() const { return !ok(); }
};

// What was read of a file. A damaged or truncated file gives the pages read
// up to the damage and a problem that says where reading stopped.
struct ReadResult
{
    BraillePages document;
    ReadProblem problem; // none when the whole file was read
};

// Why a braille file was not written.
enum class SaveError {
    None,
    TooManyBesPages, // `pages` pages, more than kMaxBesPages
    FileNotWritten,  // file
};

struct SaveProblem
{
    SaveError error = SaveError::None;
    qsizetype pages = 0;
    FileProblem file{};
    bool ok() const { return error == SaveError::None; }
    explicit operator bool() const { return !ok(); }
};

// The largest braille file read: more than enough for 9 999 pages of 60 × 40
// cells in any of the formats, and far less than would exhaust memory.
constexpr qint64 kMaxFileBytes = 32 * 1024 * 1024;
// BES records the page count in four digits.
constexpr qsizetype kMaxBesPages = 9999;

// The format a file name's suffix stands for (.txt, .brf, .pef, .bes).
std::optional<Format> formatForPath(const QString &path);
// The suffix of a format, without the dot.
QString suffix(Format format);

// The file's bytes in the format; the date is the save date BES and PEF
// record.
QByteArray encode(Format format, const BraillePages &document, QDate date = QDate::currentDate());

// Unicode braille text written a page at a time, for pages that come one
// after the other: the bytes are those encode() gives the whole document.
class UnicodeTextWriter
{
public:
    // The bytes of the next page.
    QByteArray page(const QStringList &lines);
    // The bytes after the last page.
    QByteArray end() const;

private:
    qsizetype pages_ = 0;
    bool lastEmpty_ = false;
};

// Reads a file's bytes, telling the format by its contents. Pages of a BRF
// or text file without form feeds are cut every `linesPerPage` lines.
// Whatever the file says, the pages read stay within what the page settings
// allow (PageSettings::kMaxCells cells a line, kMaxLines lines a page):
// reading stops, with a problem, at a line or page larger than that, and
// a size the file declares larger than that is not believed.
ReadResult decode(const QByteArray &bytes, int linesPerPage = BraillePages::kDefaultLines);
ReadResult decode(Format format, const QByteArray &bytes, int linesPerPage = BraillePages::kDefaultLines);

// Why the document cannot be written in the format (a BES file of more than
// kMaxBesPages pages); none when it can.
SaveProblem refusalToEncode(Format format, const BraillePages &document);

// Writes the file through saveFileSafely(), so that a failure leaves an
// existing file as it was. Returns none on success, else why not.
SaveProblem save(const QString &path, Format format, const BraillePages &document);
// The files of a book of `volumes` volumes saved as `path`: the path
// itself for one volume, else the volume's number after the name, as
// braille libraries name the files of a book: "本.bes" → "本1.bes",
// "本2.bes", …
QStringList volumePaths(const QString &path, int volumes);
// The file of volume `number` (from 1) of such a book.
QString volumePath(const QString &path, int number, int volumes);

// Reads the file; a file that cannot be read at all gives no pages and the
// reason as the problem. Only a regular file of at most kMaxFileBytes is
// read, and a file whose name has none of the four suffixes must show its
// format by its bytes (BES, PEF or Unicode braille): such bytes are not
// taken for BRF.
ReadResult open(const QString &path, int linesPerPage = BraillePages::kDefaultLines);

// Reads a braille file as open() does, handing every page on as it is read
// rather than holding them: a Unicode braille text or a BRF of any size is
// read a block at a time (twice: the first time to see whether form feeds
// divide its pages), PEF and BES whole, at most kMaxFileBytes. `page`
// returning false stops the reading. Returns where and why reading stopped.
ReadProblem readPages(const QString &path, const std::function<bool(const QStringList &page)> &page,
                      int linesPerPage = BraillePages::kDefaultLines);

} // namespace BrailleFiles
