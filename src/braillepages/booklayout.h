#pragma once

#include "bookmarkers.h"
#include "braillepages.h"
#include "documentinfo.h"
#include "pagesettings.h"

#include <QList>
#include <QStringList>

#include <functional>

// A braille book as 点訳のてびき lays it out: paragraphs, three levels of
// headings, page breaks and lines kept together, the original's page
// numbers on the page line, and volumes of at most a set number of pages,
// each with its title page, 目次 and colophon.
namespace BookLayout {

// The braille of a line of kana, blank cells U+2800, no blanks at the end.
using Translate = std::function<QString(QStringView kana)>;

// A line of the text, its marker read and its text in braille.
struct Block
{
    BookMarkers::Kind kind = BookMarkers::Kind::Paragraph;
    int level = 0;
    int originalPage = 0;
    QString braille;
};

// The lines of the text as blocks. `brailleLines`, when it has one line for
// every line of the text, is the braille already made of the lines without
// a marker; the others are translated.
QList<Block> blocks(QStringView text, const QStringList &brailleLines, const Translate &translate);

// The cell a heading of the level starts at, counted from 1: 9, 7 and 5
// (大・中・小見出し), in from the paragraph's third cell.
int headingColumn(int level);

struct Book
{
    QList<BraillePages> volumes;

    // Every volume's pages one after the other, each page labelled with its
    // volume, its part of the book and, on interpoint, its side (a single
    // run of pages with no title page has no labels).
    BraillePages shown() const;
};

// Lays the blocks out in volumes. A book's front and back matter come with
// its information: with anything in it, every volume gets a title page
// and a colophon, and a 目次 when it has headings. `title`
// is the file's title when the information names no 書名.
Book layout(const QList<Block> &blocks, const DocumentInfo &info, const PageSettings &settings,
            const Translate &translate, const QString &title = QString());

} // namespace BookLayout
