#include "brailleinput/brailleeditor.h"

#include "backtranslation/braillecell.h"
#include "platform/gui/clipboard.h"
#include "platform/gui/japanesefonts.h"
#include "speech/speechoutput.h"
#include "speech/spokentext.h"

#include <QKeyEvent>
#include <QPainter>
#include <QUndoCommand>

#include <algorithm>

namespace {

// Sizes in pixels: the dots of a cell are kDotPitch apart, cells kCellPitch.
constexpr int kMargin = 12;
constexpr int kDotPitch = 12;
constexpr int kCellPitch = 34;
constexpr int kBrailleHeight = 3 * kDotPitch + 6;
constexpr qreal kRaisedRadius = 4.5;
constexpr qreal kFlatRadius = 1.6;

} // namespace

// One change of the editor, undone by restoring the lines and the cursor as
// they were before it.
class BrailleEditCommand : public QUndoCommand
{
public:
    BrailleEditCommand(BrailleEditor *editor, BrailleEditor::State before, BrailleEditor::State after,
                       const QString &description)
        : QUndoCommand(description), editor_(editor), before_(std::move(before)), after_(std::move(after))
    {}
    void redo() override { editor_->setState(after_); }
    void undo() override { editor_->setState(before_); }

private:
    BrailleEditor *editor_;
    BrailleEditor::State before_;
    BrailleEditor::State after_;
};

BrailleEditor::BrailleEditor(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("brailleEditor"));
    setFocusPolicy(Qt::StrongFocus);
    // Keys are dots here: an input method would turn them into text.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFont(JapaneseFonts::gothic(12));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setAccessibleName(QStringLiteral("点字入力欄"));
    connect(&chord_, &SixKeyChord::cellTyped, this,
            [this](int dots) { typeCell(BrailleCell::toChar(dots)); });
    connect(&chord_, &SixKeyChord::keysChanged, this, &BrailleEditor::chordChanged);
    updateSize();
}

void BrailleEditor::setScript(KanaScript script)
{
    script_ = script;
    setState(state());
}

void BrailleEditor::setState(const State &state)
{
    lines_ = state.lines;
    line_ = state.line;
    column_ = state.column;
    allSelected_ = false;
    BackTranslator translator(script_);
    kana_.clear();
    kanaCells_.clear();
    for (const QString &cells : lines_) {
        kanaCells_.append(QList<qsizetype>());
        kana_.append(translator.line(cells, &kanaCells_.last()));
    }
    updateSize();
    showCursor();
    emit contentChanged();
}

void BrailleEditor::edit(const State &after, const QString &description)
{
    undoStack_.push(new BrailleEditCommand(this, state(), after, description));
}

BrailleEditor::State BrailleEditor::withoutSelection() const
{
    return allSelected_ ? State{{QString()}, 0, 0} : state();
}

int BrailleEditor::insertText(const QString &text)
{
    if (text.isEmpty())
        return 0;
    State after = withoutSelection();
    QString &first = after.lines[after.line];
    const QString tail = first.mid(after.column);
    first.truncate(after.column);
    int dropped = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            after.lines.insert(++after.line, QString());
            after.column = 0;
        } else if (c == u' ' || c == u'　' || BrailleCell::dotsOf(c) != BrailleCell::kNoCell) {
            after.lines[after.line].append(
                BrailleCell::toChar(c == u' ' || c == u'　' ? 0 : BrailleCell::dotsOf(c)));
            ++after.column;
        } else if (!c.isLowSurrogate()) {
            ++dropped;
        }
    }
    after.lines[after.line].append(tail);
    if (after.lines != lines_)
        edit(after, QStringLiteral("貼り付け"));
    return dropped;
}

QString BrailleEditor::text() const
{
    return lines_.join(u'\n');
}

void BrailleEditor::selectAll()
{
    allSelected_ = !isEmpty();
    update();
}

void BrailleEditor::copy()
{
    Clipboard::setText(text());
}

void BrailleEditor::paste()
{
    const int dropped = insertText(Clipboard::text());
    if (dropped > 0)
        emit pasteDropped(dropped);
}

void BrailleEditor::typeCell(QChar cell)
{
    State after = withoutSelection();
    after.lines[after.line].insert(after.column++, cell);
    edit(after, QStringLiteral("点字の入力"));
    SpeechOutput::instance().say(SpokenText::brailleCellDots(cell));
}

void BrailleEditor::backspace()
{
    if (allSelected_) {
        edit(withoutSelection(), QStringLiteral("削除"));
        return;
    }
    State after = state();
    if (after.column > 0) {
        after.lines[after.line].remove(--after.column, 1);
    } else if (after.line > 0) {
        after.column = int(after.lines[after.line - 1].size());
        after.lines[after.line - 1] += after.lines.takeAt(after.line);
        --after.line;
    } else {
        return;
    }
    edit(after, QStringLiteral("削除"));
}

void BrailleEditor::deleteForward()
{
    if (allSelected_) {
        edit(withoutSelection(), QStringLiteral("削除"));
        return;
    }
    State after = state();
    if (after.column < after.lines[after.line].size())
        after.lines[after.line].remove(after.column, 1);
    else if (after.line + 1 < after.lines.size())
        after.lines[after.line] += after.lines.takeAt(after.line + 1);
    else
        return;
    edit(after, QStringLiteral("削除"));
}

void BrailleEditor::newLine()
{
    State after = withoutSelection();
    const QString tail = after.lines[after.line].mid(after.column);
    after.lines[after.line].truncate(after.column);
    after.lines.insert(++after.line, tail);
    after.column = 0;
    edit(after, QStringLiteral("改行"));
}

void BrailleEditor::moveCursor(int key)
{
    switch (key) {
    case Qt::Key_Left:
        if (column_ > 0)
            --column_;
        else if (line_ > 0)
            column_ = int(lines_[--line_].size());
        break;
    case Qt::Key_Right:
        if (column_ < lines_[line_].size())
            ++column_;
        else if (line_ + 1 < lines_.size()) {
            ++line_;
            column_ = 0;
        }
        break;
    case Qt::Key_Up:
        if (line_ > 0)
            --line_;
        break;
    case Qt::Key_Down:
        if (line_ + 1 < lines_.size())
            ++line_;
        break;
    case Qt::Key_Home:
        column_ = 0;
        break;
    case Qt::Key_End:
        column_ = int(lines_[line_].size());
        break;
    }
    column_ = qMin(column_, int(lines_[line_].size()));
    allSelected_ = false;
    showCursor();
}

void BrailleEditor::setCursorColumn(int column)
{
    column_ = qBound(0, column, int(lines_[line_].size()));
    allSelected_ = false;
    showCursor();
}

void BrailleEditor::showCursor()
{
    update();
    emit cursorMoved(QRect(cellLeft(column_) - kCellPitch, lineTop(line_), 2 * kCellPitch, lineHeight()));
}

bool BrailleEditor::shortcut(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo))
        undoStack_.undo();
    else if (event->matches(QKeySequence::Redo))
        undoStack_.redo();
    else if (event->matches(QKeySequence::SelectAll))
        selectAll();
    else if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::Paste))
        paste();
    else
        return false;
    return true;
}

bool BrailleEditor::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        if (static_cast<QKeyEvent *>(event)->modifiers() &
            (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            chord_.settle(); // a chord typed before comes before the shortcut
        } else {
            // Keys without Ctrl or Alt are this editor's own: the six keys are
            // dots even where a window's shortcut uses the letter.
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void BrailleEditor::keyPressEvent(QKeyEvent *event)
{
    if (chord_.keyPress(*event))
        return;
    chord_.settle();
    if (shortcut(event))
        return;
    if (event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        return;
    switch (event->key()) {
    case Qt::Key_Space:
        typeCell(QChar(BrailleCell::kBlank));
        break;
    case Qt::Key_Backspace:
        backspace();
        break;
    case Qt::Key_Delete:
        deleteForward();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        newLine();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        moveCursor(event->key());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void BrailleEditor::keyReleaseEvent(QKeyEvent *event)
{
    if (!chord_.keyRelease(*event))
        QWidget::keyReleaseEvent(event);
}

void BrailleEditor::focusOutEvent(QFocusEvent *event)
{
    // The releases of keys held now go to another window: the chord is lost.
    chord_.reset();
    QWidget::focusOutEvent(event);
}

void BrailleEditor::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    line_ = qBound(0, (at.y() - kMargin) / lineHeight(), int(lines_.size()) - 1);
    column_ = qBound(0, (at.x() - kMargin + kCellPitch / 2) / kCellPitch, int(lines_[line_].size()));
    allSelected_ = false;
    setFocus(Qt::MouseFocusReason);
    // Through showCursor, so a braille display follows the click too.
    showCursor();
}

int BrailleEditor::lineHeight() const
{
    return kBrailleHeight + fontMetrics().height() + 10;
}

int BrailleEditor::cellLeft(int column) const
{
    return kMargin + column * kCellPitch;
}

int BrailleEditor::lineTop(int line) const
{
    return kMargin + line * lineHeight();
}

void BrailleEditor::updateSize()
{
    int width = 0;
    for (int l = 0; l < lines_.size(); ++l)
        width = std::max({width, cellLeft(int(lines_[l].size()) + 1), drawKana(nullptr, l)});
    setMinimumSize(width + kMargin, lineTop(int(lines_.size())) + kMargin);
}

// Draws the kana of a line, each reading under the cell it starts at, or
// pushed right by the reading before it; returns the right edge. Without a
// painter it only measures.
int BrailleEditor::drawKana(QPainter *painter, int line) const
{
    const QString &kana = kana_.value(line);
    const QList<qsizetype> &cells = kanaCells_.value(line);
    const int baseline = lineTop(line) + kBrailleHeight + fontMetrics().ascent();
    int x = cellLeft(0);
    for (qsizetype i = 0; i < kana.size() && i < cells.size(); ++i) {
        x = qMax(x, cellLeft(int(cells[i])));
        if (painter)
            painter->drawText(QPoint(x, baseline), QString(kana[i]));
        x += fontMetrics().horizontalAdvance(kana[i]);
    }
    return x;
}

void BrailleEditor::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette &colours = palette();
    for (int l = 0; l < lines_.size(); ++l) {
        const int top = lineTop(l);
        const QString &cells = lines_[l];
        if (allSelected_) {
            painter.fillRect(QRect(cellLeft(0) - 4, top, int(cells.size()) * kCellPitch + 4, kBrailleHeight),
                             colours.color(QPalette::Highlight).lighter(160));
        }
        for (int c = 0; c < cells.size(); ++c) {
            const int dots = qMax(0, BrailleCell::dotsOf(cells[c]));
            for (int d = 1; d <= 6; ++d) {
                const QPointF centre(cellLeft(c) + 5 + (d > 3 ? kDotPitch : 0),
                                     top + 5 + ((d - 1) % 3) * kDotPitch);
                const bool raised = dots & BrailleCell::dot(d);
                painter.setPen(Qt::NoPen);
                painter.setBrush(raised ? colours.color(QPalette::Text) : colours.color(QPalette::Mid));
                const qreal radius = raised ? kRaisedRadius : kFlatRadius;
                painter.drawEllipse(centre, radius, radius);
            }
        }
        painter.setPen(colours.color(QPalette::Text));
        drawKana(&painter, l);
    }
    if (hasFocus()) {
        const int x = cellLeft(column_) - 5;
        painter.setPen(QPen(colours.color(QPalette::Highlight), 2));
        painter.drawLine(x, lineTop(line_) - 2, x, lineTop(line_) + kBrailleHeight - 4);
    }
}
