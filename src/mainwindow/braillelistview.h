#pragma once

#include "braillerowpainter.h"

#include <QListView>
#include <QStyledItemDelegate>

#include <optional>
#include <utility>

// Draws each row of the braille list through BrailleRowPainter, so text rows
// and braille rows line up slot for slot. A warning row is drawn as a
// warning; the rows of a translation that no longer matches the text are
// drawn greyed.
class BrailleListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    // Every row is as wide as the widest the model holds, so that the view
    // can take one row's size for all.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // Every entry is measured and painted in the list's one font; the layout
    // is worked out once for it, not for every entry on every repaint.
    const BrailleRowPainter &rowPainter(const QFont &font) const;

    mutable std::optional<BrailleRowPainter> m_rowPainter;
};

// The braille list: a view of the translation model (or of any list of
// strings), every row drawn in aligned slots, every row of one size. The
// selected rows can be copied as text (Ctrl+C while the list has the focus,
// or the context menu).
class BrailleListView : public QListView
{
    Q_OBJECT

public:
    explicit BrailleListView(QWidget *parent = nullptr);

    // The shown rows of the selection in list order, one per line.
    QString selectedText() const;
    bool hasSelectedRows() const;

    // The source line (from 1) whose row stands in row; 0 for no row or a
    // model that does not know its lines.
    int lineOfRow(int row) const;
    // The first row and the number of rows of a source line; count 0 when
    // the list has no such line.
    std::pair<int, int> rowsOfLine(int line) const;
    int rowCount() const;

    // The caret's cells: those of its character in the rows of its line
    // (from 1) are marked; count 0 marks none.
    void setCaretCells(int line, qsizetype firstCell, qsizetype count);
    int caretLine() const { return m_caretLine; }
    qsizetype caretFirstCell() const { return m_caretFirstCell; }
    qsizetype caretCellCount() const { return m_caretCellCount; }
    // The slot of a row (text or braille) under a point of the viewport;
    // -1 off the row's slots.
    qsizetype slotAt(const QModelIndex &index, const QPoint &point) const;

signals:
    // A click on a slot of a text or braille row of a source line (from 1).
    void cellClicked(int line, qsizetype cell);

public slots:
    void copySelection();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int m_caretLine = 0;
    qsizetype m_caretFirstCell = 0;
    qsizetype m_caretCellCount = 0;
};
