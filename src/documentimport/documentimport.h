#pragma once

#include "importeddocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reading the documents transcribers are sent (Word, OpenDocument, HTML,
// EPUB, PDF) as text with its ruby readings. Nothing a document refers to
// is fetched or run, and every container is read within limits.
namespace DocumentImporter {

// The largest document file read, as for text files.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// By the file name's suffix; Unknown for any other (a text file).
Format formatOfFile(const QString &path);
// By the name the command line uses: docx, odt, html, xhtml, epub, pdf.
Format formatNamed(const QString &name);
QStringList formatNames();
// The file name patterns of every format read: "*.docx", "*.odt", ….
QStringList filePatterns();

DocumentImport importFile(const QString &path, Format format);
DocumentImport importBytes(const QByteArray &bytes, Format format);

} // namespace DocumentImporter
