#pragma once

#include "braillepages.h"
#include "pagesettings.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace PageLayout {

// Cells that lead a word (numeral, letter and capital signs, the voiced,
// semi-voiced and yōon prefixes): a line never ends with one of them apart
// from the cell that follows.
bool leadsWord(QChar cell);

// One braille line cut into lines of at most `cells` cells: at a blank cell
// where one fits, never inside a word; a word longer than a line is split
// at the line end. Blank cells neither end a line nor start a continued one.
// A line empty or all blank stays one empty line.
QStringList wrapLine(QStringView line, int cells);
// The same with a first line of `firstCells` and the others of `restCells`,
// for text that starts further in than it continues, or the reverse.
QStringList wrapLine(QStringView line, int firstCells, int restCells);

// The page number line: the numeral sign and the digits, right-aligned.
QString pageNumberLine(int number, int cells);

// The whole braille lines of a translation laid out in pages. With page
// numbers, the first line of every page holds the page number and the text
// takes the lines after it. No lines give one empty page.
BraillePages layout(const QStringList &brailleLines, const PageSettings &settings);

// The lines of the text on the pages, page after page, for reading them
// back: a page's first line that is only its page number, right-aligned as
// the layout puts it, is left out. Of a book's pages (labelled), only the
// body's are read, each without its page line.
QStringList textLines(const BraillePages &pages);

} // namespace PageLayout
