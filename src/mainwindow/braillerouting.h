#pragma once

#include <QObject>

class BrailleListView;
class QPlainTextEdit;
class TranslationModel;

// Text ↔ braille: the caret's character has its cells marked in the braille
// list, and a click on a cell of the list puts the caret on the character
// that made it. The translation's columns give the way both ways, for the
// whole line, also past the columns the list shows.
class BrailleRouting : public QObject
{
    Q_OBJECT

public:
    BrailleRouting(QPlainTextEdit *editor, BrailleListView *list, TranslationModel *model, QObject *parent = nullptr);

    // The character of a source line (from 1) that made a cell of its
    // braille row; -1 when no character did (a blank between words of its
    // own, or no such line).
    static qsizetype characterOfCell(const TranslationModel &model, int line, qsizetype cell);

public slots:
    void showCaretCells();
    // Puts the caret before the character that made the cell.
    void moveCaretToCell(int line, qsizetype cell);

private:
    QPlainTextEdit *m_editor;
    BrailleListView *m_list;
    TranslationModel *m_model;
};
