#pragma once

#include <QStringList>
#include <QStringView>

struct CodeTable;

// The one place where page layout, braille files and braille printing take
// the braille of a translation from the engine: every source line as one
// whole line of Unicode braille cells, blank cells U+2800, no blanks at the
// end. Lines end as in translateText.
QStringList translateToBrailleLines(const CodeTable &table, QStringView text);
