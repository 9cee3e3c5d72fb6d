#pragma once

#include "fuzzcheck.h"

#include "documentimport/importeddocument.h"

// What every import gives, whatever the input: a document or a reason;
// readings inside one line of the text, in order and apart; headings and
// pages on lines that exist; no blank line.
inline void checkImport(const DocumentImport &imported)
{
    FUZZ_CHECK(imported.ok == imported.problem.ok());
    if (!imported.ok)
        return;
    const ImportedDocument &document = imported.document;
    const QStringList lines = document.text.split(u'\n');
    FUZZ_CHECK(!document.text.contains(u'\r'));
    if (!document.text.isEmpty()) {
        for (const QString &line : lines)
            FUZZ_CHECK(!line.trimmed().isEmpty());
    }
    qsizetype end = 0;
    for (const RubyReading &reading : document.readings) {
        FUZZ_CHECK(reading.start >= end && reading.length > 0);
        FUZZ_CHECK(reading.start + reading.length <= document.text.size());
        FUZZ_CHECK(!document.text.mid(reading.start, reading.length).contains(u'\n'));
        FUZZ_CHECK(!reading.reading.isEmpty());
        end = reading.start + reading.length;
    }
    qsizetype line = -1;
    for (const ImportedHeading &heading : document.headings) {
        FUZZ_CHECK(heading.line > line && heading.line < lines.size());
        FUZZ_CHECK(heading.level >= 1 && heading.level <= 6);
        line = heading.line;
    }
}
