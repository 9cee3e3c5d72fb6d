#include "braillelistwidget.h"

#include "platform/gui/clipboard.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Room between an entry's row and the edges of its item.
constexpr int kMargin = 2;

} // namespace

void BrailleListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString row = opt.text;
    opt.text.clear();
    const QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    const QPalette::ColorGroup group =
        opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QPalette::ColorRole role =
        opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    painter->setPen(opt.palette.color(group, role));
    rowPainter(opt.font).paintRow(*painter, opt.rect.adjusted(kMargin, 0, -kMargin, 0), row);
    painter->restore();
}

QSize BrailleListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QSize row = rowPainter(opt.font).rowSize(opt.text);
    return QSize(row.width() + 2 * kMargin, row.height() + 2 * kMargin);
}

const BrailleRowPainter &BrailleListDelegate::rowPainter(const QFont &font) const
{
    if (!m_rowPainter || m_rowPainter->font() != font)
        m_rowPainter.emplace(font);
    return *m_rowPainter;
}

BrailleListWidget::BrailleListWidget(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new BrailleListDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    auto *copy = new QAction(QStringLiteral("コピー(&C)"), this);
    connect(copy, &QAction::triggered, this, &BrailleListWidget::copySelection);
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

QString BrailleListWidget::selectedText() const
{
    QList<QListWidgetItem *> items = selectedItems();
    std::sort(items.begin(), items.end(),
              [this](QListWidgetItem *a, QListWidgetItem *b) { return row(a) < row(b); });
    QStringList rows;
    for (const QListWidgetItem *item : items)
        rows.append(item->text());
    return rows.join(u'\n');
}

void BrailleListWidget::copySelection()
{
    if (!selectedItems().isEmpty())
        Clipboard::setText(selectedText());
}

bool BrailleListWidget::event(QEvent *event)
{
    // Ctrl+C is also the shortcut of the editor's copy command; while the list
    // has the focus and an entry is selected, the list's own copy wins.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy) && !selectedItems().isEmpty()) {
            event->accept();
            return true;
        }
    }
    return QListWidget::event(event);
}

void BrailleListWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}
