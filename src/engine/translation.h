#pragma once

#include "tables/grid.h"
#include "tables/module1.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// The list entry that stands before the rows of a line longer than a shown row.
inline const QString kLongLineWarning = QStringLiteral("１行の文字数が30文字を越えています。");

// Appends the line's text row (columns 1..30 of the text grid joined) and then
// its braille row (the same columns of the cell grid).
void Showlist(const Grid &cellGrid, const Grid &textGrid, int line, QStringList &list);

// Translates one source line into grid line `line` and appends its entries to
// the list: the warning when the line has more than 30 characters, then the
// text row and the braille row. Characters are counted by code point;
// characters past column 40 are left out. The grids must hold the line
// (Module1::resetGrids), else nothing is done; BuildTables must have run for
// this translation.
void TranslateLine(Module1 &m, int line, QStringView text, QStringList &list);

// Translates a whole document: resets the grids to its number of lines,
// refills the key tables, translates every line and sets LineCount. Returns
// the list entries of all lines, in order; no lines give no entries.
QStringList TranslateLines(Module1 &m, const QStringList &lines);
