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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void pageChanged();
    BrailleDots dots() const;
    QRectF sheetRect() const;
    qreal margin() const;

    BraillePages m_document;
    int m_page = 0;
    int m_zoom = 75;
    bool m_mirrored = false;
};
