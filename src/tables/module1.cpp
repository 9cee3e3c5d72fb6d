#include "module1.h"

void Module1::BuildTables()
{
    KatakanaSeen = false;
    ::BuildTables(codeTable, keyTables);
}

void Module1::resetGrids(int lines)
{
    CharGrid.reset(lines);
    CellGrid.reset(lines);
    TextGrid.reset(lines);
}
