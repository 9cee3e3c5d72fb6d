#include "listprintout.h"

#include "platform/gui/japanesefonts.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

// Braille is drawn as dots, which a PDF reader cannot search or copy. Every
// braille character is therefore also written as text in its slot, under its
// dots, as scanned documents carry their recognised text: in a font that has
// braille glyphs, with a fully transparent pen so that nothing of it shows on
// paper. Qt's PDF engine keeps such text in the file (the printing tests read
// it back); were it ever dropped, a nearly transparent pen would do.
const QColor kHiddenText = Qt::transparent;

} // namespace

ListPrintout::ListPrintout(QPagedPaintDevice *device)
    : m_device(device), m_rows(JapaneseFonts::gothic(kPointSize), device)
{
    m_brailleTextFont = m_rows.font();
    m_brailleTextFont.setFamilies({QStringLiteral("DejaVu Sans"), m_rows.font().family()});
    m_baseline = QFontMetricsF(m_rows.font(), device).ascent();
}

QList<ListPrintout::PlacedRow> ListPrintout::layout(const QStringList &rows) const
{
    const qreal pageWidth = m_device->width();
    const qreal pageHeight = m_device->height();
    QList<PlacedRow> placed;
    int page = 0;
    qreal top = 0;
    for (qsizetype first = 0; first < rows.size(); first += 2) {
        const QStringList line = rows.mid(first, 2);
        int widest = 0;
        for (const QString &row : line)
            widest = std::max(widest, m_rows.rowSize(row).width());
        // Both rows of a line share one scale so that they stay aligned.
        const qreal scale = widest > pageWidth ? pageWidth / widest : 1.0;
        const qreal rowHeight = m_rows.rowHeight() * scale;
        if (top > 0 && top + rowHeight * line.size() > pageHeight) {
            ++page;
            top = 0;
        }
        for (const QString &row : line) {
            placed.append({page, QRectF(0, top, m_rows.rowSize(row).width() * scale, rowHeight), scale, row});
            top += rowHeight;
        }
    }
    return placed;
}

bool ListPrintout::paint(QPainter &painter, const QStringList &rows) const
{
    int page = 0;
    for (const PlacedRow &placed : layout(rows)) {
        for (; page < placed.page; ++page) {
            if (!m_device->newPage())
                return false;
        }
        paintRow(painter, placed);
    }
    return true;
}

void ListPrintout::paintRow(QPainter &painter, const PlacedRow &placed) const
{
    painter.save();
    painter.translate(placed.rect.topLeft());
    painter.scale(placed.scale, placed.scale);
    const QRect rowRect(QPoint(0, 0), m_rows.rowSize(placed.row));
    painter.setPen(Qt::black);
    m_rows.paintRow(painter, rowRect, placed.row);
    paintBrailleAsText(painter, rowRect, placed.row);
    painter.restore();
}

void ListPrintout::paintBrailleAsText(QPainter &painter, const QRect &rowRect, QStringView row) const
{
    const QFontMetricsF metrics(m_brailleTextFont, m_device);
    painter.setFont(m_brailleTextFont);
    painter.setPen(kHiddenText);
    int index = 0;
    for (const char32_t character : row.toUcs4()) {
        const QRect slot = m_rows.slotRect(rowRect, index++);
        if (!BrailleRowPainter::isBraille(character))
            continue;
        const QString text = QString::fromUcs4(&character, 1);
        const qreal advance = metrics.horizontalAdvance(text);
        if (advance <= 0)
            continue;
        // Stretched to fill the slot: the characters of a row then touch, so
        // readers take the row for one run of text, and selecting a
        // character covers its dots.
        painter.save();
        painter.translate(slot.left(), slot.top() + m_baseline);
        painter.scale(slot.width() / advance, 1);
        painter.drawText(QPointF(0, 0), text);
        painter.restore();
    }
}
