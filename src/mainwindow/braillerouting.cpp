#include "braillerouting.h"

#include "braillelistview.h"
#include "translationmodel/translationmodel.h"

#include <QPlainTextEdit>
#include <QTextBlock>

BrailleRouting::BrailleRouting(QPlainTextEdit *editor, BrailleListView *list, TranslationModel *model,
                               QObject *parent)
    : QObject(parent), m_editor(editor), m_list(list), m_model(model)
{
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, &BrailleRouting::showCaretCells);
    connect(model, &QAbstractItemModel::modelReset, this, &BrailleRouting::showCaretCells);
    connect(model, &TranslationModel::outOfDateChanged, this, &BrailleRouting::showCaretCells);
    connect(list, &BrailleListView::cellClicked, this, &BrailleRouting::moveCaretToCell);
}

qsizetype BrailleRouting::characterOfCell(const TranslationModel &model, int line, qsizetype cell)
{
    const TranslatedDocument &translation = model.translation();
    if (line < 1 || line > translation.lineCount() || cell < 0)
        return -1;
    const TranslatedDocument::Column column = translation.columnOfCell(line - 1, cell);
    return column.cellLength > 0 && column.sourceLength > 0 ? column.sourceStart : -1;
}

void BrailleRouting::showCaretCells()
{
    const QTextCursor caret = m_editor->textCursor();
    const int line = caret.blockNumber() + 1;
    const TranslatedDocument &translation = m_model->translation();
    // A translation of other text would mark cells of other characters.
    if (m_model->isOutOfDate() || line > translation.lineCount()) {
        m_list->setCaretCells(0, 0, 0);
        return;
    }
    // At the end of a line the caret stands after its last character.
    qsizetype character = caret.positionInBlock();
    if (character >= caret.block().length() - 1 && character > 0)
        --character;
    const TranslatedDocument::Column column = translation.columnOfSource(line - 1, character);
    m_list->setCaretCells(line, column.cellStart, column.sourceLength > 0 ? column.cellLength : 0);
}

void BrailleRouting::moveCaretToCell(int line, qsizetype cell)
{
    if (m_model->isOutOfDate())
        return;
    const qsizetype character = characterOfCell(*m_model, line, cell);
    const QTextBlock block = m_editor->document()->findBlockByNumber(line - 1);
    if (character < 0 || !block.isValid() || character >= block.length())
        return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + int(character));
    m_editor->setTextCursor(cursor);
    m_editor->ensureCursorVisible();
}
