#include "windowdisplaycontents.h"

#include "brailleinput/brailleeditor.h"
#include "braillepageview/braillepageview.h"
#include "braillepageview/braillepagewidget.h"
#include "lookupwindow/tenkensakuf.h"
#include "translationmodel/translationmodel.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {

constexpr char16_t kBlankCell = 0x2800;

} // namespace

ListDisplayContent::ListDisplayContent(QAbstractItemView *list, QPlainTextEdit *editor, QObject *parent)
    : DisplayContent(parent), list_(list), editor_(editor)
{
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this, &DisplayContent::changed);
    connect(list->model(), &QAbstractItemModel::modelReset, this, &DisplayContent::changed);
}

int ListDisplayContent::sourceLine() const
{
    if (!list_)
        return 0;
    return list_->currentIndex().data(TranslationModel::SourceLineRole).toInt();
}

QString ListDisplayContent::cells() const
{
    if (!list_)
        return QString();
    QString cells = list_->currentIndex().data(TranslationModel::BrailleRowRole).toString();
    for (QChar &cell : cells) {
        if (cell.unicode() < 0x2800 || cell.unicode() > 0x28FF)
            cell = QChar(kBlankCell);
    }
    return cells;
}

void ListDisplayContent::route(int cell)
{
    const auto *model = list_ ? qobject_cast<const TranslationModel *>(list_->model()) : nullptr;
    const int line = sourceLine();
    if (!model || !editor_ || line <= 0)
        return;
    const QTextBlock block = editor_->document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    const TranslatedDocument &translation = model->translation();
    qsizetype column = block.length() - 1;
    const int columns = line - 1 < translation.lineCount() ? translation.columnCount(line - 1) : 0;
    for (int i = 0; i < columns; ++i) {
        const TranslatedDocument::Column c = translation.column(line - 1, i);
        if (cell < c.cellStart + c.cellLength) {
            column = std::min(c.sourceStart, column);
            break;
        }
    }
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + int(column));
    editor_->setTextCursor(cursor);
}

void ListDisplayContent::moveLine(int step)
{
    if (!list_ || !list_->model())
        return;
    // From the braille row of one line to that of the next: the rows of a
    // line stand together, its braille row last.
    const QAbstractItemModel *model = list_->model();
    const int current = sourceLine();
    for (int row = list_->currentIndex().row() + step; row >= 0 && row < model->rowCount(); row += step) {
        const QModelIndex index = model->index(row, 0);
        if (index.data(TranslationModel::SourceLineRole).toInt() != current) {
            list_->setCurrentIndex(index);
            return;
        }
    }
}

PageViewDisplayContent::PageViewDisplayContent(BraillePageView *view, QObject *parent)
    : DisplayContent(parent), view_(view)
{
    // The view tells of no page turn; what turns it is a key or a click.
    view->installEventFilter(this);
    for (QObject *child : view->findChildren<QObject *>())
        child->installEventFilter(this);
}

bool PageViewDisplayContent::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease)
        emit changed();
    return DisplayContent::eventFilter(watched, event);
}

QString PageViewDisplayContent::cells() const
{
    if (!view_)
        return QString();
    auto *self = const_cast<PageViewDisplayContent *>(this);
    if (view_->page() != page_) {
        self->page_ = view_->page();
        self->line_ = 0;
    }
    const QStringList lines = view_->pageWidget()->shownLines();
    return line_ < lines.size() ? lines[line_] : QString();
}

void PageViewDisplayContent::moveLine(int step)
{
    if (!view_)
        return;
    const int lines = int(view_->pageWidget()->shownLines().size());
    const int line = line_ + step;
    if (line >= 0 && line < lines) {
        line_ = line;
    } else if (step > 0 && view_->page() + 1 < view_->pageCount()) {
        view_->nextPage();
        page_ = view_->page();
        line_ = 0;
    } else if (step < 0 && view_->page() > 0) {
        view_->previousPage();
        page_ = view_->page();
        line_ = std::max(0, int(view_->pageWidget()->shownLines().size()) - 1);
    }
    emit changed();
}

BrailleInputDisplayContent::BrailleInputDisplayContent(BrailleEditor *editor, QObject *parent)
    : DisplayContent(parent), editor_(editor)
{
    connect(editor, &BrailleEditor::contentChanged, this, &DisplayContent::changed);
    connect(editor, &BrailleEditor::cursorMoved, this, &DisplayContent::changed);
}

QString BrailleInputDisplayContent::cells() const
{
    return editor_ ? editor_->lines().value(editor_->cursorLine()) : QString();
}

int BrailleInputDisplayContent::caret() const
{
    return editor_ ? editor_->cursorColumn() : -1;
}

void BrailleInputDisplayContent::route(int cell)
{
    if (editor_)
        editor_->setCursorColumn(cell);
}

bool BrailleInputDisplayContent::typeDots(int dots)
{
    if (!editor_)
        return false;
    editor_->insertText(QString(QChar(char16_t(kBlankCell + (dots & 0x3F)))));
    return true;
}

LookUpDisplayContent::LookUpDisplayContent(tenkensakuf *window, QObject *parent)
    : DisplayContent(parent), window_(window)
{
    connect(window, &tenkensakuf::dotsChanged, this, &DisplayContent::changed);
}

QString LookUpDisplayContent::cells() const
{
    if (!window_)
        return QString();
    const QString flags = window_->dotFlags();
    QString cells;
    for (qsizetype start = 0; start + 6 <= flags.size(); start += 6) {
        char16_t dots = 0;
        for (int d = 0; d < 6; ++d) {
            if (flags[start + d] == u'1')
                dots |= char16_t(1 << d);
        }
        cells.append(QChar(char16_t(kBlankCell + dots)));
    }
    return cells;
}

int LookUpDisplayContent::caret() const
{
    return window_ ? window_->chordCell() : -1;
}

bool LookUpDisplayContent::typeDots(int dots)
{
    if (!window_)
        return false;
    window_->typeChord(dots);
    emit changed();
    return true;
}
