#pragma once

#include "braillerowpainter.h"

#include <QListWidget>
#include <QStyledItemDelegate>

#include <optional>
#include <utility>

// Draws each entry of the braille list through BrailleRowPainter, so text
// rows and braille rows line up slot for slot.
class BrailleListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    // Every entry is measured and painted in the list's one font; the layout
    // is worked out once for it, not for every entry on every repaint.
    const BrailleRowPainter &rowPainter(const QFont &font) const;

    mutable std::optional<BrailleRowPainter> m_rowPainter;
};

// The braille list: its entries are plain strings, drawn in aligned slots.
// The selected entries can be copied as text (Ctrl+C while the list has the
// focus, or the context menu). Every source line has a text row and a braille
// row, after the warning entry when the line is too long; the warning is drawn
// as a warning and names its line in its tool tip.
class BrailleListWidget : public QListWidget
{
    Q_OBJECT

public:
    explicit BrailleListWidget(QWidget *parent = nullptr);
    ~BrailleListWidget() override;

    // The selected entries in list order, one per line.
    QString selectedText() const;

    static bool isWarning(const QString &entry);
    // The source line (from 1) whose entry stands in row; 0 for no row.
    int lineOfRow(int row) const;
    // The first row and the number of rows of a source line; count 0 when
    // the list has no such line.
    std::pair<int, int> rowsOfLine(int line) const;

public slots:
    void copySelection();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Source line of every row, worked out again after the entries change.
    const QList<int> &rowLines() const;

    mutable QList<int> m_rowLines;
    mutable bool m_rowLinesValid = false;
};
