#include "braillepageaccessible.h"

#include "braillepagewidget.h"
#include "pagereading.h"

#include <QAccessible>

namespace {

QAccessibleInterface *braillePageFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("BraillePageWidget") && object && object->isWidgetType())
        return new BraillePageAccessible(static_cast<BraillePageWidget *>(object));
    return nullptr;
}

} // namespace

BraillePageAccessible::BraillePageAccessible(BraillePageWidget *page)
    : QAccessibleWidget(page, QAccessible::Document)
{
}

void BraillePageAccessible::attach(BraillePageWidget *page)
{
    static const bool installed = [] {
        QAccessible::installFactory(braillePageFactory);
        return true;
    }();
    Q_UNUSED(installed);
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(page);
    if (current && !dynamic_cast<BraillePageAccessible *>(current))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

const BraillePageWidget *BraillePageAccessible::page() const
{
    return static_cast<const BraillePageWidget *>(object());
}

QString BraillePageAccessible::pageText() const
{
    return page()->shownLines().join(u'\n');
}

void *BraillePageAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString BraillePageAccessible::text(QAccessible::Text t) const
{
    const BraillePageWidget *widget = page();
    switch (t) {
    case QAccessible::Name:
        if (widget->document().pages.isEmpty())
            return widget->accessibleName();
        return QStringLiteral("%1 %2 / %3 ページ")
            .arg(widget->accessibleName())
            .arg(widget->page() + 1)
            .arg(widget->document().pages.size());
    case QAccessible::Description:
        return kanaOfPage(widget->document(), widget->page()).join(u'\n');
    case QAccessible::Value:
        return pageText();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State BraillePageAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.focusable = true;
    return state;
}

void BraillePageAccessible::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
}

int BraillePageAccessible::cursorPosition() const
{
    return qMin(m_cursor, characterCount());
}

void BraillePageAccessible::setCursorPosition(int position)
{
    m_cursor = qBound(0, position, characterCount());
    QAccessibleTextCursorEvent moved(object(), m_cursor);
    QAccessible::updateAccessibility(&moved);
}

QString BraillePageAccessible::text(int startOffset, int endOffset) const
{
    const QString all = pageText();
    startOffset = qBound(0, startOffset, int(all.size()));
    endOffset = qBound(startOffset, endOffset, int(all.size()));
    return all.mid(startOffset, endOffset - startOffset);
}

int BraillePageAccessible::characterCount() const
{
    return int(pageText().size());
}

QRect BraillePageAccessible::characterRect(int) const
{
    // The cells are drawn, not laid out as text: the page as a whole is
    // where every cell is.
    return rect();
}

int BraillePageAccessible::offsetAtPoint(const QPoint &) const
{
    return -1;
}

QString BraillePageAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = offset;
    return {};
}
