#pragma once

#include "importeddocument.h"

#include <QByteArray>
#include <QString>

class HtmlContent;

DocumentImport readWordDocument(const QByteArray &bytes);
DocumentImport readOpenDocument(const QByteArray &bytes);
DocumentImport readHtmlDocument(const QByteArray &bytes, bool xhtml);
DocumentImport readEpubDocument(const QByteArray &bytes);
DocumentImport readPdfDocument(const QByteArray &bytes);

// The XML parts of a Word file and the content of an OpenDocument file,
// out of their containers (the fuzzers read them directly).
DocumentImport readWordParts(const QByteArray &body, const QByteArray &styles, const QByteArray &footnotes,
                             const QByteArray &endnotes);
DocumentImport readOpenDocumentContent(const QByteArray &content);

// One XHTML page (of an EPUB) into content; why it was refused, or None.
ImportError readXhtmlPage(const QByteArray &bytes, HtmlContent &content);
