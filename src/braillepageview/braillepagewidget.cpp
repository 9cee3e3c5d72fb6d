#include "braillepagewidget.h"

#include "braillepageaccessible.h"

#include "braillepages/braillecells.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>

namespace {

// Millimetres in logical pixels of the screen.
qreal pixelsPerMm(const QWidget *widget)
{
    return widget->logicalDpiX() / 25.4;
}

} // namespace

BraillePageWidget::BraillePageWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pageWidget"));
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);
    setAccessibleName(QStringLiteral("点字ページ"));
    BraillePageAccessible::attach(this);
}

void BraillePageWidget::setDocument(const BraillePages &document)
{
    m_document = document;
    m_page = 0;
    updateGeometry();
    pageChanged();
}

void BraillePageWidget::setPage(int page)
{
    m_page = page;
    pageChanged();
}

void BraillePageWidget::pageChanged()
{
    // Screen readers and braille displays get the page as braille text.
    setAccessibleDescription(shownLines().join(u'\n'));
    update();
}

void BraillePageWidget::setZoom(int percent)
{
    m_zoom = percent;
    updateGeometry();
    adjustSize();
    update();
}

void BraillePageWidget::setMirrored(bool mirrored)
{
    m_mirrored = mirrored;
    pageChanged();
}

QStringList BraillePageWidget::shownLines() const
{
    if (m_page < 0 || m_page >= m_document.pages.size())
        return {};
    QStringList lines = m_document.pages[m_page];
    if (m_mirrored) {
        for (QString &line : lines)
            line = BrailleCells::withoutTrailingBlanks(BrailleCells::mirroredLine(line, m_document.cells));
    }
    return lines;
}

BrailleDots BraillePageWidget::dots() const
{
    BrailleDots dots = BrailleDots::realSize(pixelsPerMm(this) * m_zoom / 100);
    dots.showDotPlaces = true;
    return dots;
}

qreal BraillePageWidget::margin() const
{
    return dots().lineSpacing;
}

QRectF BraillePageWidget::sheetRect() const
{
    const BrailleDots d = dots();
    // Room for the line numbers on the left, and a margin all round.
    const qreal m = margin();
    const int cells = qMax(m_document.cells, 1);
    const int lines = qMax(m_document.lines, 1);
    return QRectF(m, m, 2 * m + d.width(cells) + 2 * m, 2 * m + d.height(lines));
}

QSize BraillePageWidget::sizeHint() const
{
    const QRectF sheet = sheetRect();
    return QSizeF(sheet.right() + margin(), sheet.bottom() + margin()).toSize();
}

void BraillePageWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet = sheetRect();
    // The back of an interpoint sheet is shaded, so front and back are told
    // apart at a glance.
    const bool back = m_document.duplex && m_page % 2 == 1;
    painter.fillRect(sheet, back ? QColor(236, 236, 228) : QColor(Qt::white));
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(sheet);

    const BrailleDots d = dots();
    const qreal m = margin();
    const QStringList lines = shownLines();
    QFont numberFont = font();
    numberFont.setPixelSize(qMax(6, int(d.lineSpacing * 0.35)));
    painter.setFont(numberFont);
    for (int line = 0; line < m_document.lines; ++line) {
        const QPointF topLeft(sheet.left() + 2 * m, sheet.top() + m + line * d.lineSpacing);
        painter.setPen(QColor(90, 90, 90));
        const QRectF numberRect(sheet.left(), topLeft.y(), 1.6 * m, 2 * d.dotSpacing + d.dot);
        painter.drawText(numberRect, Qt::AlignRight | Qt::AlignVCenter, QString::number(line + 1));
        // Blank cells to the page width show where the dots can go.
        const QString cells = (line < lines.size() ? lines[line] : QString())
                                  .leftJustified(m_document.cells, QChar(BrailleCells::kBlank));
        d.paintLine(painter, topLeft, cells);
    }
    if (m_markedCount > 0) {
        // A frame, not a colour alone, so it is seen whatever the colours.
        const QRectF marked =
            cellRect(m_markedLine, m_markedCell).united(cellRect(m_markedLine, m_markedCell + m_markedCount - 1));
        painter.setPen(QPen(palette().color(QPalette::Highlight), qMax(2.0, d.dot / 2)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(marked);
    }
}

void BraillePageWidget::setMarkedCells(int line, int firstCell, int count)
{
    if (line == m_markedLine && firstCell == m_markedCell && count == m_markedCount)
        return;
    m_markedLine = line;
    m_markedCell = firstCell;
    m_markedCount = count;
    update();
}

// A cell as laid out is drawn at the other end of its line when mirrored.
QRectF BraillePageWidget::cellRect(int line, int cell) const
{
    const BrailleDots d = dots();
    const qreal m = margin();
    const QRectF sheet = sheetRect();
    const int drawn = m_mirrored ? qMax(m_document.cells, 1) - 1 - cell : cell;
    const QPointF topLeft(sheet.left() + 2 * m + drawn * d.cellSpacing, sheet.top() + m + line * d.lineSpacing);
    const qreal pad = (d.cellSpacing - d.dotSpacing - d.dot) / 2;
    return QRectF(topLeft.x() - pad, topLeft.y() - pad, d.cellSpacing, d.dotSpacing * 2 + d.dot + 2 * pad);
}

QPoint BraillePageWidget::cellAt(const QPointF &point) const
{
    const BrailleDots d = dots();
    const qreal m = margin();
    const QRectF sheet = sheetRect();
    const qreal pad = (d.cellSpacing - d.dotSpacing - d.dot) / 2;
    const int line = int(std::floor((point.y() - sheet.top() - m + pad) / d.lineSpacing));
    int cell = int(std::floor((point.x() - sheet.left() - 2 * m + pad) / d.cellSpacing));
    if (line < 0 || line >= m_document.lines || cell < 0 || cell >= m_document.cells)
        return {-1, -1};
    if (m_mirrored)
        cell = m_document.cells - 1 - cell;
    return {cell, line};
}

void BraillePageWidget::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    const QPoint cell = cellAt(event->position());
    if (event->button() == Qt::LeftButton && cell.y() >= 0)
        emit cellClicked(cell.y(), cell.x());
}
