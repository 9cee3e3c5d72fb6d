#include "module1.h"

void Module1::BuildTables()
{
    KatakanaSeen = false;
    ::BuildTables(codeTable, keyTables);
}

void Module1::resetGrids(int columns)
{
    CharGrid.reset(columns);
    CellGrid.reset(columns);
    TextGrid.reset(columns);
}
