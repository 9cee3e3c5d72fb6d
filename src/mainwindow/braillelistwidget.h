#pragma once

#include "braillerowpainter.h"

#include <QListWidget>
#include <QStyledItemDelegate>

#include <optional>

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

private:
    // Every entry is measured and painted in the list's one font; the layout
    // is worked out once for it, not for every entry on every repaint.
    const BrailleRowPainter &rowPainter(const QFont &font) const;

    mutable std::optional<BrailleRowPainter> m_rowPainter;
};

// The braille list: its entries are plain strings, drawn in aligned slots.
// The selected entries can be copied as text (Ctrl+C while the list has the
// focus, or the context menu).
class BrailleListWidget : public QListWidget
{
    Q_OBJECT

public:
    explicit BrailleListWidget(QWidget *parent = nullptr);

    // The selected entries in list order, one per line.
    QString selectedText() const;

public slots:
    void copySelection();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
