#include "listprintout.h"

#include "platform/gui/japanesefonts.h"

#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

// Braille is printed as the glyphs of a font that has them, placed one to a
// slot: a PDF reader can then search and copy it, and the file stays small.
// Where no such font is installed the dots are drawn instead.
const QString kBrailleFamily = QStringLiteral("DejaVu Sans");
const QChar kFullCell(0x283F);
// Height of the full cell's dots, as a share of the row height.
constexpr qreal kCellHeightShare = 0.6;
// Width of the full cell, as the largest share of the slot width.
constexpr qreal kCellWidthShare = 0.7;

} // namespace

ListPrintout::ListPrintout(QPagedPaintDevice *device)
    : m_device(device), m_rows(JapaneseFonts::gothic(kPointSize), device)
{
    QFont font(kBrailleFamily);
    constexpr int kProbePixels = 100;
    font.setPixelSize(kProbePixels);
    m_brailleFont = QRawFont::fromFont(font);
    quint32 glyph = 0;
    int glyphs = 1;
    if (!m_brailleFont.isValid() || !m_brailleFont.supportsCharacter(kFullCell) ||
        !m_brailleFont.glyphIndexesForChars(&kFullCell, 1, &glyph, &glyphs) || glyph == 0) {
        m_brailleFont = QRawFont();
        return;
    }
    // Sized so that the dots fill their slot as a braille cell on paper does.
    const QRectF probe = m_brailleFont.boundingRect(glyph);
    const qreal factor = std::min(m_rows.rowHeight() * kCellHeightShare / probe.height(),
                                  m_rows.slotWidth() * kCellWidthShare / probe.width());
    m_brailleFont.setPixelSize(kProbePixels * factor);
    const QRectF cell = m_brailleFont.boundingRect(glyph);
    m_brailleOrigin = QPointF((m_rows.slotWidth() - cell.width()) / 2 - cell.left(),
                              (m_rows.rowHeight() - cell.height()) / 2 - cell.top());
}

QList<ListPrintout::PlacedRow> ListPrintout::layout(const QStringList &rows) const
{
    const qreal pageWidth = m_device->width();
    const qreal pageHeight = m_device->height();
    QList<PlacedRow> placed;
    placed.reserve(rows.size());
    // In qreal: a row of very long cells is wider than an int counts.
    qreal widest = 0;
    for (const QString &row : rows)
        widest = std::max(widest, m_rows.rowWidth(row));
    // The widest row decides the one scale of the whole job.
    const qreal scale = widest > pageWidth ? pageWidth / widest : 1.0;
    const qreal rowHeight = m_rows.rowHeight() * scale;
    int page = 0;
    qreal top = 0;
    for (qsizetype first = 0; first < rows.size(); first += 2) {
        const QStringList line = rows.mid(first, 2);
        if (top > 0 && top + rowHeight * line.size() > pageHeight) {
            ++page;
            top = 0;
        }
        for (const QString &row : line) {
            placed.append({page, QRectF(0, top, m_rows.rowWidth(row) * scale, rowHeight), scale, row});
            top += rowHeight;
        }
    }
    return placed;
}

int ListPrintout::pageCount(const QList<PlacedRow> &placed)
{
    return placed.isEmpty() ? 1 : placed.constLast().page + 1;
}

ListPrintout::Outcome ListPrintout::paint(QPainter &painter, const QList<PlacedRow> &placed,
                                          const PageDone &pageDone) const
{
    const int total = pageCount(placed);
    int page = 0;
    for (const PlacedRow &row : placed) {
        for (; page < row.page; ++page) {
            if (pageDone && !pageDone(page + 1, total))
                return Outcome::Cancelled;
            if (!m_device->newPage())
                return Outcome::Failed;
        }
        paintRow(painter, row);
    }
    if (pageDone && !pageDone(total, total))
        return Outcome::Cancelled;
    return Outcome::Painted;
}

bool ListPrintout::paint(QPainter &painter, const QStringList &rows) const
{
    return paint(painter, layout(rows)) == Outcome::Painted;
}

void ListPrintout::paintRow(QPainter &painter, const PlacedRow &placed) const
{
    painter.save();
    painter.translate(placed.rect.topLeft());
    painter.scale(placed.scale, placed.scale);
    const QRectF rowRect(0, 0, m_rows.rowWidth(placed.row), m_rows.rowHeight());
    painter.setPen(Qt::black);
    const bool glyphs = m_brailleFont.isValid();
    m_rows.paintRow(painter, rowRect, placed.row,
                    glyphs ? BrailleRowPainter::Braille::Skipped : BrailleRowPainter::Braille::AsDots);
    if (glyphs)
        paintBrailleGlyphs(painter, rowRect, placed.row);
    painter.restore();
}

void ListPrintout::paintBrailleGlyphs(QPainter &painter, const QRectF &rowRect, QStringView row) const
{
    QString braille;
    QList<QPointF> positions;
    qsizetype index = 0;
    for (const char32_t character : row.toUcs4()) {
        if (BrailleRowPainter::isBraille(character)) {
            braille += QChar(character);
            positions.append(m_rows.slotRect(rowRect, index).topLeft() + m_brailleOrigin);
        }
        ++index;
    }
    if (braille.isEmpty())
        return;
    // The whole row's braille as one piece of text.
    QGlyphRun run;
    run.setRawFont(m_brailleFont);
    run.setGlyphIndexes(m_brailleFont.glyphIndexesForString(braille));
    run.setPositions(positions);
    painter.drawGlyphRun(QPointF(0, 0), run);
}
