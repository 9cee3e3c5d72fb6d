#pragma once

#include "codetable.h"
#include "grid.h"
#include "keytables.h"

#include <QString>

// The engine's state for the whole run: the code table, the built-in key
// tables, the three grids of the last translation and the values that the
// translation passes share.
struct Module1
{
    CodeTable codeTable;
    KeyTables keyTables;

    Grid CharGrid; // the source character(s) of each position
    Grid CellGrid; // the cell string translating each position
    Grid TextGrid; // the text shown above the braille, padded to its cells

    int LineCount = 0;    // lines of the last translation; printing reads it
    QString CurrentLine;  // the line being translated
    bool KatakanaSeen = false;
    bool ConnectorNeeded = false;

    // Refills the key tables from the code table and clears KatakanaSeen.
    void BuildTables();

    // Prepares the grids for a translation of the given number of lines.
    void resetGrids(int lines);
};
