#include "pagelayout.h"

#include "braillecells.h"

namespace PageLayout {

namespace {

using BrailleCells::isBlank;

qsizetype skipBlanks(QStringView line, qsizetype from)
{
    while (from < line.size() && isBlank(line[from]))
        ++from;
    return from;
}

// Where a line that starts at `start` ends, for text that runs past the
// line width: before the last blank that fits, or else at the width,
// moved back over the cells that lead the word after them.
qsizetype breakPoint(QStringView line, qsizetype start, int cells)
{
    const qsizetype limit = start + cells; // first cell that does not fit
    for (qsizetype at = limit; at > start; --at) {
        if (isBlank(line[at]) && !isBlank(line[at - 1]))
            return at;
    }
    qsizetype at = limit;
    while (at > start + 1 && leadsWord(line[at - 1]))
        --at;
    // A run of leading cells as long as the line is split after all.
    return leadsWord(line[at - 1]) ? limit : at;
}

// Blank cells, then the numeral sign and the number: the line pageNumberLine
// makes, whatever the width of the page.
bool isPageNumberLine(QStringView line, int number)
{
    const qsizetype start = skipBlanks(line, 0);
    return start > 0 && line.sliced(start) == pageNumberLine(number, 0);
}

// A book's page line: blank cells, perhaps the original's pages, and a page
// number at the right end; only numbers, their hyphen and blanks.
bool isBookPageLine(QStringView line)
{
    static const QString kNumberCells = QStringLiteral("⠼⠁⠃⠉⠙⠑⠋⠛⠓⠊⠚⠤⠀");
    const qsizetype start = skipBlanks(line, 0);
    if (start == 0 || start == line.size())
        return false;
    for (const QChar cell : line.sliced(start)) {
        if (!kNumberCells.contains(cell))
            return false;
    }
    const qsizetype sign = line.lastIndexOf(u'⠼');
    return sign > 0 && sign + 1 < line.size() && line.sliced(sign + 1).indexOf(u'⠀') < 0 &&
           line.sliced(sign + 1).indexOf(u'⠤') < 0;
}

} // namespace

bool leadsWord(QChar cell)
{
    switch (cell.unicode()) {
    case 0x283C: // ⠼ numeral sign
    case 0x2830: // ⠰ letter sign
    case 0x2820: // ⠠ capital sign, semi-voiced sign
    case 0x2810: // ⠐ voiced sign
    case 0x2808: // ⠈ yōon
    case 0x2818: // ⠘ voiced yōon
    case 0x2828: // ⠨ semi-voiced yōon
        return true;
    default:
        return false;
    }
}

QStringList wrapLine(QStringView line, int cells)
{
    return wrapLine(line, cells, cells);
}

QStringList wrapLine(QStringView line, int firstCells, int restCells)
{
    const QString text = BrailleCells::withoutTrailingBlanks(line);
    QStringList result;
    qsizetype start = 0;
    while (text.size() - start > (result.isEmpty() ? firstCells : restCells)) {
        const int cells = qMax(1, result.isEmpty() ? firstCells : restCells);
        const qsizetype end = breakPoint(text, start, cells);
        result.append(BrailleCells::withoutTrailingBlanks(QStringView(text).sliced(start, end - start)));
        start = skipBlanks(text, end);
    }
    result.append(text.mid(start));
    return result;
}

QString pageNumberLine(int number, int cells)
{
    // Digits 1..9 and 0 are the cells of the letters a..j.
    static const char16_t kDigits[] = u"⠚⠁⠃⠉⠙⠑⠋⠛⠓⠊";
    QString sign = QStringLiteral("⠼");
    for (const QChar digit : QString::number(number))
        sign += QChar(kDigits[digit.digitValue()]);
    return QString(qMax<qsizetype>(0, cells - sign.size()), QChar(BrailleCells::kBlank)) + sign;
}

BraillePages layout(const QStringList &brailleLines, const PageSettings &settings)
{
    const PageSettings page = settings.bounded();
    BraillePages result;
    result.cells = page.cells;
    result.lines = page.lines;

    auto newPage = [&] {
        result.pages.append(QStringList());
        if (page.pageNumbers)
            result.pages.last().append(pageNumberLine(int(result.pages.size()), page.cells));
    };
    newPage();
    for (const QString &source : brailleLines) {
        for (const QString &line : wrapLine(source, page.cells)) {
            if (result.pages.last().size() >= page.lines)
                newPage();
            result.pages.last().append(line);
        }
    }
    return result;
}

QStringList textLines(const BraillePages &pages)
{
    QStringList result;
    const bool book = pages.pageLabels.size() == pages.pages.size() && !pages.pageLabels.isEmpty();
    for (qsizetype p = 0; p < pages.pages.size(); ++p) {
        const QStringList &page = pages.pages[p];
        // Of a book, the body: its title page, 目次 and colophon are no text.
        if (book && !pages.pageLabels[p].contains(QStringLiteral("本文")))
            continue;
        const bool numbered = !page.isEmpty() && (book ? isBookPageLine(page.first())
                                                       : isPageNumberLine(page.first(), int(p + 1)));
        result.append(numbered ? page.mid(1) : page);
    }
    return result;
}

} // namespace PageLayout
