#pragma once

#include <QStringList>

struct CodeTable;
struct Module1;

// The one place where page layout, braille files and braille printing take
// the braille of a translation from the engine: every source line as one
// whole line of Unicode braille cells, blank cells U+2800, no blanks at the
// end.

// The lines of the last translation held in the engine state.
QStringList brailleLinesOf(const Module1 &m);

// Translates the source lines with the code table, leaving no trace in any
// other engine state.
QStringList translateToBrailleLines(const CodeTable &table, const QStringList &sourceLines);
