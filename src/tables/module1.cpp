#include "module1.h"

void Module1::BuildTables()
{
    KatakanaSeen = false;
    ::BuildTables(codeTable, keyTables);
}

void Module1::resetGrids()
{
    CharGrid.reset();
    CellGrid.reset();
    TextGrid.reset();
}
