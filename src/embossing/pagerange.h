#pragma once

#include "braillepages/braillepages.h"

#include <QString>

#include <optional>

// The pages of a document to emboss, counted from 1 as the page view counts
// them. last 0 means to the end.
struct PageRange
{
    int first = 1;
    int last = 0;

    // "A-B", "A", "A-" or "-B"; nothing for anything else, a 0 or a range
    // that runs backwards.
    static std::optional<PageRange> parse(const QString &text);

    // The range widened to whole sheets of an interpoint document: a sheet
    // carries an odd page on its front and the next on its back, so a range
    // starting on a back page would put it on a front.
    PageRange wholeSheets() const;

    bool isWholeDocument() const { return first == 1 && last == 0; }
    bool operator==(const PageRange &) const = default;
};

// The pages of the range that the document has (none when the range lies
// past its end); the page size and the title stay.
BraillePages pagesInRange(const BraillePages &document, PageRange range);
