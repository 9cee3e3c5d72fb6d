#include "braillelistview.h"

#include "platform/gui/clipboard.h"
#include "translationmodel/translationmodel.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Room between an entry's row and the edges of its item.
constexpr int kMargin = 2;

// The warning keeps its text; the icon and colour set it apart from the rows.
const QColor kWarningText(176, 0, 0);

bool isTextOrBrailleRow(const QModelIndex &index)
{
    const QVariant kind = index.data(TranslationModel::RowKindRole);
    return kind.isValid() && kind.toInt() != int(TranslationModel::RowKind::Warning);
}

// The caret's cells are framed as well as tinted, so they are found without
// telling colours apart; on a selected row in the colour of its text.
void paintCaretCells(QPainter &painter, const BrailleRowPainter &rows, const QRect &rowRect, const QColor &colour,
                     qsizetype first, qsizetype count)
{
    const QRectF cells = rows.slotRect(rowRect, first).united(rows.slotRect(rowRect, first + count - 1));
    QColor fill = colour;
    fill.setAlpha(70);
    painter.fillRect(cells, fill);
    painter.setPen(QPen(colour, 2));
    painter.drawRect(cells.adjusted(1, 1, -1, -1));
}

bool isWarning(const QModelIndex &index)
{
    const QVariant kind = index.data(TranslationModel::RowKindRole);
    return kind.isValid() && kind.toInt() == int(TranslationModel::RowKind::Warning);
}

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

    const bool outOfDate = index.data(TranslationModel::OutOfDateRole).toBool();
    const QPalette::ColorGroup group =
        (opt.state & QStyle::State_Enabled) && !outOfDate ? QPalette::Normal : QPalette::Disabled;
    const QPalette::ColorRole role =
        opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    QRect rect = opt.rect.adjusted(kMargin, 0, -kMargin, 0);
    if (isWarning(index)) {
        const int side = std::min(rect.height(), opt.fontMetrics.height());
        const QIcon icon = style->standardIcon(QStyle::SP_MessageBoxWarning, &opt, opt.widget);
        icon.paint(painter, QRect(rect.left(), rect.top() + (rect.height() - side) / 2, side, side));
        rect.setLeft(rect.left() + side + kMargin);
        const bool plain = (opt.state & QStyle::State_Selected) || outOfDate;
        painter->setPen(plain ? opt.palette.color(group, role) : kWarningText);
        painter->setFont(opt.font);
        painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, row);
    } else {
        const auto *view = qobject_cast<const BrailleListView *>(opt.widget);
        if (view && view->caretCellCount() > 0 && !outOfDate &&
            index.data(TranslationModel::SourceLineRole).toInt() == view->caretLine() &&
            view->caretFirstCell() < BrailleRowPainter::slotCount(row))
            paintCaretCells(*painter, rowPainter(opt.font), rect,
                            opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                 : QPalette::Highlight),
                            view->caretFirstCell(), view->caretCellCount());
        painter->setPen(opt.palette.color(group, role));
        rowPainter(opt.font).paintRow(*painter, rect, row);
    }
    painter->restore();
}

QSize BrailleListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const BrailleRowPainter &painter = rowPainter(opt.font);
    QSize row = painter.rowSize(opt.text);
    if (const auto *model = qobject_cast<const TranslationModel *>(index.model()))
        row = row.expandedTo(painter.rowSize(QString(model->widestRow(), u'　')));
    return QSize(row.width() + 2 * kMargin, row.height() + 2 * kMargin);
}

const BrailleRowPainter &BrailleListDelegate::rowPainter(const QFont &font) const
{
    if (!m_rowPainter || m_rowPainter->font() != font)
        m_rowPainter.emplace(font);
    return *m_rowPainter;
}

BrailleListView::BrailleListView(QWidget *parent) : QListView(parent)
{
    setItemDelegate(new BrailleListDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows of one size: the view lays out a translation of any length
    // without measuring its rows.
    setUniformItemSizes(true);

    auto *copy = new QAction(QStringLiteral("コピー(&C)"), this);
    connect(copy, &QAction::triggered, this, &BrailleListView::copySelection);
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

int BrailleListView::rowCount() const
{
    return model() ? model()->rowCount() : 0;
}

bool BrailleListView::hasSelectedRows() const
{
    return selectionModel() && selectionModel()->hasSelection();
}

QString BrailleListView::selectedText() const
{
    if (!selectionModel())
        return QString();
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList texts;
    texts.reserve(rows.size());
    for (const QModelIndex &row : rows)
        texts.append(row.data().toString());
    return texts.join(u'\n');
}

int BrailleListView::lineOfRow(int row) const
{
    const auto *translation = qobject_cast<const TranslationModel *>(model());
    return translation ? translation->lineOfRow(row) : 0;
}

std::pair<int, int> BrailleListView::rowsOfLine(int line) const
{
    const auto *translation = qobject_cast<const TranslationModel *>(model());
    return translation ? translation->rowsOfLine(line) : std::pair<int, int>{rowCount(), 0};
}

void BrailleListView::setCaretCells(int line, qsizetype firstCell, qsizetype count)
{
    if (line == m_caretLine && firstCell == m_caretFirstCell && count == m_caretCellCount)
        return;
    m_caretLine = line;
    m_caretFirstCell = firstCell;
    m_caretCellCount = count;
    viewport()->update();
}

qsizetype BrailleListView::slotAt(const QModelIndex &index, const QPoint &point) const
{
    if (!index.isValid() || !isTextOrBrailleRow(index))
        return -1;
    const QRect row = visualRect(index).adjusted(kMargin, 0, -kMargin, 0);
    const BrailleRowPainter painter(font());
    if (point.x() < row.left() || painter.slotWidth() <= 0)
        return -1;
    const qsizetype slot = (point.x() - row.left()) / painter.slotWidth();
    return slot < BrailleRowPainter::slotCount(index.data().toString()) ? slot : -1;
}

void BrailleListView::mousePressEvent(QMouseEvent *event)
{
    QListView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || event->modifiers() != Qt::NoModifier)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    const qsizetype slot = slotAt(index, event->position().toPoint());
    if (slot >= 0)
        emit cellClicked(index.data(TranslationModel::SourceLineRole).toInt(), slot);
}

void BrailleListView::copySelection()
{
    if (hasSelectedRows())
        Clipboard::setText(selectedText());
}

bool BrailleListView::event(QEvent *event)
{
    // Ctrl+C is also the shortcut of the editor's copy command; while the list
    // has the focus and a row is selected, the list's own copy wins.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy) && hasSelectedRows()) {
            event->accept();
            return true;
        }
    }
    return QListView::event(event);
}

void BrailleListView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}
