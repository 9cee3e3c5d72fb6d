#pragma once

#include "braillepages/pageplaces.h"

#include <QObject>
#include <QPointer>

#include <optional>

class BrailleListView;
class BraillePageCommands;
class BraillePageView;
class QPlainTextEdit;
class TranslationModel;

// Text ↔ braille: the caret's character has its cells marked in the braille
// list and, when it is open on the translation, in the page view (turned to
// their page); a click on a cell of either puts the caret on the character
// that made it. The translation's columns give the way both ways, for the
// whole line, also past the columns the list shows.
class BrailleRouting : public QObject
{
    Q_OBJECT

public:
    BrailleRouting(QPlainTextEdit *editor, BrailleListView *list, TranslationModel *model,
                   BraillePageCommands *pages = nullptr, QObject *parent = nullptr);

    // The character of a source line (from 1) that made a cell of its
    // braille row; -1 when no character did (a blank between words of its
    // own, or no such line).
    static qsizetype characterOfCell(const TranslationModel &model, int line, qsizetype cell);

public slots:
    void showCaretCells();
    // Puts the caret before the character that made the cell.
    void moveCaretToCell(int line, qsizetype cell);
    void moveCaretToPageCell(int page, int line, int cell);

private:
    void followView(BraillePageView *view);
    // Where the translation's cells stand on the pages the view shows.
    const PagePlaces &pagePlaces(const BraillePageView &view);

    QPlainTextEdit *m_editor;
    BrailleListView *m_list;
    TranslationModel *m_model;
    BraillePageCommands *m_pages;
    std::optional<PagePlaces> m_pagePlaces;
};
