#pragma once

// The words of a PDF's pages, read with Poppler in a module of its own
// (mirabo_pdftext) that the program opens at its first PDF import: Poppler
// and what it pulls in cost some 8 MB, which no other run should pay. Plain
// C across the boundary, so that the module and the program share no C++
// types.
#include <stddef.h>

extern "C" {

enum MiraboPdfStatus {
    MIRABO_PDF_OK = 0,
    MIRABO_PDF_DAMAGED = 1,        // not a PDF Poppler can open
    MIRABO_PDF_ENCRYPTED = 2,      // locked by a password
    MIRABO_PDF_TOO_MANY_PAGES = 3, // more pages than the caller takes
};

// One word as Poppler finds it, UTF-8, with its box in points from the
// page's top left corner.
struct MiraboPdfWord
{
    const char *text;
    size_t size;
    double left, top, right, bottom;
    int spaceAfter; // a blank follows it on its line
};

// Called once for each page in order, with its label ("iv", "12"; may be
// empty) and its words in reading order. The pointers live for the call only.
typedef void (*MiraboPdfPageFunction)(void *context, const char *label, size_t labelSize,
                                      const struct MiraboPdfWord *words, size_t count);

// Reads `size` bytes of a PDF; calls `page` for each page unless it returns
// an error first. Never throws.
typedef int (*MiraboPdfReadFunction)(const char *bytes, size_t size, int maxPages, MiraboPdfPageFunction page,
                                     void *context);
}

// The exported name; a new layout of the structures above takes a new one,
// so that a stale module is refused rather than misread.
#define MIRABO_PDF_READ_SYMBOL "mirabo_pdf_read_1"
