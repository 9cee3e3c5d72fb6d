#include "linetext.h"

#include "braillepages/braillecells.h"

namespace BrailleFiles {

namespace {

QStringList splitLines(QStringView page)
{
    QStringList lines;
    for (QStringView line : page.split(u'\n'))
        lines.append(BrailleCells::withoutTrailingBlanks(line));
    // The piece after the last line end is no line of its own.
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QList<QStringList> splitPages(QStringView text, int linesPerPage)
{
    QList<QStringList> pages;
    if (!text.contains(u'\f')) {
        const QStringList lines = splitLines(text);
        for (qsizetype first = 0; first < lines.size(); first += linesPerPage)
            pages.append(lines.mid(first, linesPerPage));
        if (pages.isEmpty())
            pages.append(QStringList());
        return pages;
    }
    const QList<QStringView> pieces = text.split(u'\f');
    for (QStringView piece : pieces)
        pages.append(splitLines(piece));
    if (pieces.last().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace BrailleFiles
