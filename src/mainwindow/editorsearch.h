#pragma once

#include "textsearch.h"

#include <QString>

class QPlainTextEdit;

// The main window's text box as the find and replace dialogs work on it. It
// keeps no copy of the document: every call reads the editor's current text
// and selection. Positions are those of TextSearch, which are the editor's
// cursor positions.
class EditorSearch
{
public:
    explicit EditorSearch(QPlainTextEdit *editor);

    QString text() const;
    qsizetype selectionStart() const;
    qsizetype selectionEnd() const;
    // The selection as plain text, a line break as "\n".
    QString selectedText() const;

    // Selects length characters from start and scrolls them into view.
    void select(qsizetype start, qsizetype length);
    // Replaces the selection with replacement, as one undo step, and leaves
    // the caret behind the inserted text; returns that position.
    qsizetype replaceSelection(const QString &replacement);
    // Replaces every occurrence of what from the beginning of the text,
    // exactly compared, as one undo step. Text inserted by a replacement is
    // not searched again, so this ends even when the replacement contains
    // what. Leaves the caret behind the last inserted text, or at the
    // beginning when nothing was replaced; returns the number of replacements.
    int replaceAll(const QString &what, const QString &replacement);

    // Gives the editor the input focus and activates its window, so that the
    // user sees the selection.
    void focusEditor();

private:
    QPlainTextEdit *const m_editor;
};
