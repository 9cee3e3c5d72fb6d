#pragma once

#include "brailledots.h"
#include "braillepages/braillepages.h"

#include <QWidget>

// One braille page drawn as dots on a sheet, with the line numbers in the
// margin, at real braille size times the zoom. Mirrored, every line reads
// right to left with dots 1, 2, 3 and 4, 5, 6 exchanged, as the page is
// written from the back with a slate and stylus.
class BraillePageWidget : public QWidget
{
    Q_OBJECT

public:
    explicit BraillePageWidget(QWidget *parent = nullptr);

    void setDocument(const BraillePages &document);
    const BraillePages &document() const { return m_document; }

    // Counted from 0; out of range shows no page.
    void setPage(int page);
    int page() const { return m_page; }

    void setZoom(int percent);
    int zoom() const { return m_zoom; }

    void setMirrored(bool mirrored);
    bool isMirrored() const { return m_mirrored; }

    // The lines as drawn on the current page (mirrored when mirrored).
    QStringList shownLines() const;

    QSize sizeHint() const override;

    // Cells of a line of the page (as laid out, not mirrored) framed as the
    // editor's caret's; count 0 frames none.
    void setMarkedCells(int line, int firstCell, int count);
    // The line and cell (as laid out) under a point; {-1, -1} for none.
    QPoint cellAt(const QPointF &point) const;
    // Where a cell is drawn.
    QRectF cellRect(int line, int cell) const;

signals:
    // A click on a cell of the page, as laid out.
    void cellClicked(int line, int cell);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void pageChanged();
    BrailleDots dots() const;
    QRectF sheetRect() const;
    qreal margin() const;

    BraillePages m_document;
    int m_page = 0;
    int m_zoom = 75;
    bool m_mirrored = false;
    int m_markedLine = 0;
    int m_markedCell = 0;
    int m_markedCount = 0;
};
