#include "braillerouting.h"

#include "braillelistview.h"
#include "braillepageview/braillepagecommands.h"
#include "braillepageview/braillepageview.h"
#include "translationmodel/translationmodel.h"

#include <QPlainTextEdit>
#include <QTextBlock>

BrailleRouting::BrailleRouting(QPlainTextEdit *editor, BrailleListView *list, TranslationModel *model,
                               BraillePageCommands *pages, QObject *parent)
    : QObject(parent), m_editor(editor), m_list(list), m_model(model), m_pages(pages)
{
    if (pages) {
        connect(pages, &BraillePageCommands::viewOpened, this, &BrailleRouting::followView);
        if (pages->view())
            followView(pages->view());
    }
    connect(model, &QAbstractItemModel::modelReset, this, [this] { m_pagePlaces.reset(); });
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
    BraillePageView *view = m_pages ? m_pages->translationView() : nullptr;
    // A translation of other text would mark cells of other characters.
    if (m_model->isOutOfDate() || line > translation.lineCount()) {
        m_list->setCaretCells(0, 0, 0);
        if (view)
            view->markCells(0, 0, 0, 0);
        return;
    }
    // At the end of a line the caret stands after its last character.
    qsizetype character = caret.positionInBlock();
    if (character >= caret.block().length() - 1 && character > 0)
        --character;
    const TranslatedDocument::Column column = translation.columnOfSource(line - 1, character);
    const qsizetype cells = column.sourceLength > 0 ? column.cellLength : 0;
    m_list->setCaretCells(line, column.cellStart, cells);
    if (view) {
        const PagePlaces::Place place = pagePlaces(*view).placeOf(line - 1, column.cellStart);
        view->markCells(place.page, place.line, place.cell, place.page >= 0 ? int(cells) : 0);
    }
}

void BrailleRouting::followView(BraillePageView *view)
{
    connect(view, &BraillePageView::documentShown, this, [this] {
        m_pagePlaces.reset();
        showCaretCells();
    });
    connect(view, &BraillePageView::cellClicked, this, &BrailleRouting::moveCaretToPageCell);
}

const PagePlaces &BrailleRouting::pagePlaces(const BraillePageView &view)
{
    if (!m_pagePlaces)
        m_pagePlaces.emplace(m_model->translation().brailleLines(), view.document());
    return *m_pagePlaces;
}

void BrailleRouting::moveCaretToPageCell(int page, int line, int cell)
{
    BraillePageView *view = m_pages ? m_pages->translationView() : nullptr;
    if (!view || m_model->isOutOfDate())
        return;
    const auto [brailleLine, brailleCell] = pagePlaces(*view).cellAt(page, line, cell);
    if (brailleLine >= 0)
        moveCaretToCell(brailleLine + 1, brailleCell);
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
