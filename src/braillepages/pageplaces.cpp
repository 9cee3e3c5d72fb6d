#include "pageplaces.h"

#include "braillecells.h"

#include <algorithm>

namespace {

bool onlyBlanks(QStringView cells)
{
    return std::all_of(cells.begin(), cells.end(), [](QChar c) { return c.unicode() == BrailleCells::kBlank; });
}

// Where piece stands in line at or after from with nothing but blanks
// before it; -1 when it does not.
qsizetype pieceAt(const QString &line, QStringView piece, qsizetype from)
{
    const qsizetype at = line.indexOf(piece, from);
    return at >= 0 && onlyBlanks(QStringView(line).sliced(from, at - from)) ? at : -1;
}

} // namespace

PagePlaces::PagePlaces(const QStringList &brailleLines, const BraillePages &pages)
{
    int current = 0;
    qsizetype from = 0;
    for (int page = 0; page < pages.pages.size(); ++page) {
        const QStringList &lines = pages.pages[page];
        for (int line = 0; line < lines.size(); ++line) {
            if (onlyBlanks(lines[line]) || current >= brailleLines.size())
                continue;
            qsizetype indent = 0;
            while (lines[line][indent].unicode() == BrailleCells::kBlank)
                ++indent;
            const QStringView cells = QStringView(lines[line]).sliced(indent);
            qsizetype at = pieceAt(brailleLines[current], cells, from);
            if (at < 0) {
                // The next braille line with cells, from its start.
                int next = current + 1;
                while (next < brailleLines.size() && onlyBlanks(brailleLines[next]))
                    ++next;
                if (next >= brailleLines.size() || (at = pieceAt(brailleLines[next], cells, 0)) < 0)
                    continue; // a line of the layout's own
                current = next;
            }
            m_pieces.push_back(Piece{current, at, page, line, int(indent), cells.size()});
            from = at + cells.size();
        }
    }
}

PagePlaces::Place PagePlaces::placeOf(int brailleLine, qsizetype cell) const
{
    const auto piece = std::find_if(m_pieces.begin(), m_pieces.end(), [&](const Piece &p) {
        return p.brailleLine == brailleLine && cell >= p.firstCell && cell < p.firstCell + p.length;
    });
    if (piece == m_pieces.end())
        return {};
    return {piece->page, piece->line, piece->lineCell + int(cell - piece->firstCell)};
}

std::pair<int, qsizetype> PagePlaces::cellAt(int page, int line, int cell) const
{
    const auto piece = std::find_if(m_pieces.begin(), m_pieces.end(), [&](const Piece &p) {
        return p.page == page && p.line == line && cell >= p.lineCell && cell < p.lineCell + p.length;
    });
    if (piece == m_pieces.end())
        return {-1, -1};
    return {piece->brailleLine, piece->firstCell + cell - piece->lineCell};
}
