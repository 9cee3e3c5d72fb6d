#pragma once

#include "codetable.h"
#include "keytables.h"
#include "linegrids.h"

#include <QStringView>

// The engine's state for one translation: the code table, the built-in key
// tables, the grids of the line being translated and the values that the
// translation passes share.
struct Module1
{
    CodeTable codeTable;
    KeyTables keyTables;

    SymbolLine CharGrid; // the source character(s) of each position
    StringLine CellGrid; // the cell string translating each position
    StringLine TextGrid; // the text shown above the braille, padded to its cells

    int LineCount = 0;       // lines translated so far
    QStringView CurrentLine; // the line being translated
    bool KatakanaSeen = false;
    bool ConnectorNeeded = false;

    // Refills the key tables from the code table and clears KatakanaSeen.
    void BuildTables();

    // Sets every column of the line grids to "　" before the next line.
    void resetGrids();
};
