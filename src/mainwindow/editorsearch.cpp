#include "editorsearch.h"

#include <QPlainTextEdit>
#include <QTextCursor>

EditorSearch::EditorSearch(QPlainTextEdit *editor) : m_editor(editor) {}

QString EditorSearch::text() const
{
    return m_editor->toPlainText();
}

qsizetype EditorSearch::selectionStart() const
{
    return m_editor->textCursor().selectionStart();
}

qsizetype EditorSearch::selectionEnd() const
{
    return m_editor->textCursor().selectionEnd();
}

QString EditorSearch::selectedText() const
{
    // Cut from the plain text rather than QTextCursor::selectedText(), which
    // marks line breaks with U+2029; the search strings are compared with this.
    const qsizetype start = selectionStart();
    return text().mid(start, selectionEnd() - start);
}

void EditorSearch::select(qsizetype start, qsizetype length)
{
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
}

qsizetype EditorSearch::replaceSelection(const QString &replacement)
{
    QTextCursor cursor = m_editor->textCursor();
    cursor.insertText(replacement);
    m_editor->setTextCursor(cursor);
    return cursor.position();
}

int EditorSearch::replaceAll(const QString &what, const QString &replacement)
{
    // The text is read once: replacements change it only in front of the
    // place where the search goes on, so the hits behind stay where they
    // were, moved by what the replacements so far added or removed.
    const QString original = text();
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(0);
    cursor.beginEditBlock();
    int replaced = 0;
    qsizetype shift = 0;
    qsizetype from = 0;
    for (qsizetype hit;
         (hit = TextSearch::indexOf(original, what, from, TextSearch::Comparison::Exact)) >= 0;) {
        from = hit + what.size();
        cursor.setPosition(int(hit + shift));
        cursor.setPosition(int(from + shift), QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
        shift = cursor.position() - from;
        ++replaced;
    }
    cursor.endEditBlock();
    m_editor->setTextCursor(cursor);
    return replaced;
}

void EditorSearch::focusEditor()
{
    m_editor->window()->activateWindow();
    m_editor->setFocus(Qt::OtherFocusReason);
}
