#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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
    // Why the file was refused, for the user; empty when ok.
    QString error;
};
