#include "braillelistwidget.h"

#include "engine/translation.h"
#include "platform/gui/clipboard.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {

// Room between an entry's row and the edges of its item.
constexpr int kMargin = 2;

// The warning keeps its text; the icon and colour set it apart from the rows.
const QColor kWarningText(176, 0, 0);

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
    QRect rect = opt.rect.adjusted(kMargin, 0, -kMargin, 0);
    if (BrailleListWidget::isWarning(row)) {
        const int side = std::min(rect.height(), opt.fontMetrics.height());
        const QIcon icon = style->standardIcon(QStyle::SP_MessageBoxWarning, &opt, opt.widget);
        icon.paint(painter, QRect(rect.left(), rect.top() + (rect.height() - side) / 2, side, side));
        rect.setLeft(rect.left() + side + kMargin);
        painter->setPen(opt.state & QStyle::State_Selected ? opt.palette.color(group, role) : kWarningText);
        painter->setFont(opt.font);
        painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, row);
    } else {
        painter->setPen(opt.palette.color(group, role));
        rowPainter(opt.font).paintRow(*painter, rect, row);
    }
    painter->restore();
}

QSize BrailleListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QSize row = rowPainter(opt.font).rowSize(opt.text);
    return QSize(row.width() + 2 * kMargin, row.height() + 2 * kMargin);
}

bool BrailleListDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                    const QStyleOptionViewItem &option, const QModelIndex &index)
{
    auto *list = qobject_cast<BrailleListWidget *>(view);
    if (event->type() != QEvent::ToolTip || !list || !BrailleListWidget::isWarning(index.data().toString()))
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(),
                       QStringLiteral("%1 行目: %2").arg(list->lineOfRow(index.row())).arg(kLongLineWarning),
                       view);
    return true;
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

    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model(), signal, this, [this] { m_rowLinesValid = false; });
    connect(model(), &QAbstractItemModel::modelReset, this, [this] { m_rowLinesValid = false; });

    auto *copy = new QAction(QStringLiteral("コピー(&C)"), this);
    connect(copy, &QAction::triggered, this, &BrailleListWidget::copySelection);
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

// The base class empties the model after this class is gone: its signals must
// no longer reach the slots above.
BrailleListWidget::~BrailleListWidget()
{
    disconnect(model(), nullptr, this, nullptr);
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

bool BrailleListWidget::isWarning(const QString &entry)
{
    return entry == kLongLineWarning;
}

const QList<int> &BrailleListWidget::rowLines() const
{
    if (m_rowLinesValid)
        return m_rowLines;
    m_rowLines.resize(count());
    // A line's warning comes before its two rows.
    int line = 1;
    int rowsOfThisLine = 0;
    for (int row = 0; row < count(); ++row) {
        m_rowLines[row] = line;
        if (!isWarning(item(row)->text()) && ++rowsOfThisLine == 2) {
            ++line;
            rowsOfThisLine = 0;
        }
    }
    m_rowLinesValid = true;
    return m_rowLines;
}

int BrailleListWidget::lineOfRow(int row) const
{
    return row >= 0 && row < count() ? rowLines().at(row) : 0;
}

std::pair<int, int> BrailleListWidget::rowsOfLine(int line) const
{
    const QList<int> &lines = rowLines();
    const auto first = std::lower_bound(lines.begin(), lines.end(), line);
    const auto end = std::upper_bound(first, lines.end(), line);
    return {int(first - lines.begin()), int(end - first)};
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
