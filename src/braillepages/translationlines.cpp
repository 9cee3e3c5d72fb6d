#include "translationlines.h"

#include "braillecells.h"
#include "engine/translation.h"
#include "tables/module1.h"

QStringList brailleLinesOf(const Module1 &m)
{
    QStringList lines;
    lines.reserve(m.LineCount);
    for (int line = 1; line <= m.LineCount; ++line) {
        // Every column the engine filled, not only the shown ones; reset
        // cells, spaces and anything that is not a cell read as blanks.
        QString cells = m.CellGrid.row(line, 1, Grid::kLastColumn);
        for (QChar &c : cells) {
            if (!BrailleCells::isCell(c))
                c = QChar(BrailleCells::kBlank);
        }
        lines.append(BrailleCells::withoutTrailingBlanks(cells));
    }
    return lines;
}

QStringList translateToBrailleLines(const CodeTable &table, const QStringList &sourceLines)
{
    Module1 m;
    m.codeTable = table;
    TranslateLines(m, sourceLines);
    return brailleLinesOf(m);
}
