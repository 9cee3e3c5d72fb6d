#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// The documents read (see documentimport.h); here for the problems, which
// name the format a file was not.
namespace DocumentImporter {
enum class Format { Unknown, Word, OpenDocument, Html, Xhtml, Epub, Pdf };
}

// Why a document was not imported; the windows and the command line word
// it. Listed for Qt's meta-object system so that every code can be gone
// through.
namespace ImportCodes {
Q_NAMESPACE

enum class Error {
    None,
    FileNotOpened,      // `detail` is the system's reason
    FileNotRead,        // `detail` is the system's reason
    TooLarge,           // the file, or what it unpacks into, is past the limits
    Encrypted,          // protected by a password
    Damaged,            // not well-formed, or a container cut short
    EntityDeclarations, // a DTD declares entities
    TooDeep,            // elements nested past the limit
    NotThisFormat,      // not a `format` document (Unknown: no document format known)
    MissingPart,        // the container has no `part`
    NoText,             // the document holds no text (a PDF of scanned pages)
    ReaderMissing       // the program's reader of `format` cannot be loaded; `detail` says why
};
Q_ENUM_NS(Error)

} // namespace ImportCodes

using ImportError = ImportCodes::Error;

struct ImportProblem
{
    ImportError error = ImportError::None;
    DocumentImporter::Format format = DocumentImporter::Format::Unknown;
    QString part{};
    QString detail{};
    QString file{}; // the name of the file read, when a file was read
    bool ok() const { return error == ImportError::None; }
    explicit operator bool() const { return !ok(); }
};

// A reading the document prints beside a stretch of its text (ruby): the
// author's own answer to how that word is read there.
struct RubyReading
{
    qsizetype start = 0; // in ImportedDocument::text
    qsizetype length = 0;
    QString reading; // as printed, kana
    friend bool operator==(const RubyReading &, const RubyReading &) = default;
};

struct ImportedHeading
{
    qsizetype line = 0; // 0-based line of ImportedDocument::text
    int level = 1;
    friend bool operator==(const ImportedHeading &, const ImportedHeading &) = default;
};

// Where a page of the original begins, with the number printed on it.
struct ImportedPage
{
    qsizetype line = 0;
    QString number;
    friend bool operator==(const ImportedPage &, const ImportedPage &) = default;
};

// The text of a document, one paragraph, heading, list item or table cell a
// line (lines end with LF, the last one without), and what the plain text
// cannot hold.
struct ImportedDocument
{
    QString text;
    QList<RubyReading> readings;
    QList<ImportedHeading> headings;
    QList<ImportedPage> pages; // PDF only
};

struct DocumentImport
{
    bool ok = false;
    ImportedDocument document;
    // Why the file was refused; none when ok.
    ImportProblem problem;
};
