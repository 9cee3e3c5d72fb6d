#include "bookformatcommands.h"

#include "braillepages/bookmarkers.h"

#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

BookFormatCommands::BookFormatCommands(QPlainTextEdit *editor, QObject *parent)
    : QObject(parent), m_editor(editor)
{}

QMenu *BookFormatCommands::addMenu(QMenuBar *bar, QObject *documentInfoTarget, const char *documentInfoSlot)
{
    QMenu *menu = bar->addMenu(QStringLiteral("書式(&M)"));
    menu->setObjectName(QStringLiteral("mnuformat"));
    auto item = [this, menu](const char *name, const QString &caption, const QKeySequence &key, auto slot) {
        QAction *action = menu->addAction(caption, this, slot);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        return action;
    };
    item("mnuheading1", QStringLiteral("見出し 1(&1)"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_1),
         [this] { setHeading(1); });
    item("mnuheading2", QStringLiteral("見出し 2(&2)"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_2),
         [this] { setHeading(2); });
    item("mnuheading3", QStringLiteral("見出し 3(&3)"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_3),
         [this] { setHeading(3); });
    item("mnuheadingclear", QStringLiteral("見出し解除(&0)"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_0),
         [this] { setHeading(0); });
    menu->addSeparator();
    item("mnupagebreak", QStringLiteral("改ページ(&P)"), QKeySequence(Qt::CTRL | Qt::Key_Return),
         &BookFormatCommands::insertPageBreak);
    item("mnukeep", QStringLiteral("同じページにまとめる(&K)"), QKeySequence(),
         &BookFormatCommands::keepTogether);
    item("mnuoriginalpage", QStringLiteral("原本ページ(&G)..."), QKeySequence(),
         &BookFormatCommands::insertOriginalPage);
    menu->addSeparator();
    QAction *info = menu->addAction(QStringLiteral("文書情報(&I)..."));
    info->setObjectName(QStringLiteral("mnudocumentinfo"));
    connect(info, SIGNAL(triggered()), documentInfoTarget, documentInfoSlot);
    return menu;
}

std::pair<QTextBlock, QTextBlock> BookFormatCommands::selectedLines() const
{
    const QTextCursor cursor = m_editor->textCursor();
    const QTextDocument *document = m_editor->document();
    const QTextBlock first = document->findBlock(cursor.selectionStart());
    QTextBlock last = document->findBlock(cursor.selectionEnd());
    // A selection that ends at the start of a line leaves that line out.
    if (cursor.hasSelection() && last != first && cursor.selectionEnd() == last.position())
        last = last.previous();
    return {first, last};
}

void BookFormatCommands::setHeading(int level)
{
    const auto [first, last] = selectedLines();
    QTextCursor edit(m_editor->document());
    edit.beginEditBlock();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        const QString text = block.text();
        const QString changed = BookMarkers::withHeading(text, level);
        if (changed != text) {
            edit.setPosition(block.position());
            edit.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
            edit.insertText(changed);
        }
        if (block == last)
            break;
    }
    edit.endEditBlock();
}

void BookFormatCommands::insertLineBefore(const QString &line)
{
    QTextCursor cursor = m_editor->textCursor();
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.insertText(line + u'\n');
}

void BookFormatCommands::insertPageBreak()
{
    insertLineBefore(BookMarkers::pageBreakMarker());
}

void BookFormatCommands::keepTogether()
{
    const auto [first, last] = selectedLines();
    QTextCursor edit(m_editor->document());
    edit.beginEditBlock();
    edit.setPosition(last.position() + last.length() - 1);
    edit.insertText(u'\n' + BookMarkers::keepEndMarker());
    edit.setPosition(first.position());
    edit.insertText(BookMarkers::keepStartMarker() + u'\n');
    edit.endEditBlock();
}

void BookFormatCommands::insertOriginalPage()
{
    bool ok = false;
    const int page =
        QInputDialog::getInt(m_editor, QStringLiteral("原本ページ"),
                             QStringLiteral("この行から始まる原本のページ(&P):"), 1, 1, 999999, 1, &ok);
    if (ok)
        insertLineBefore(BookMarkers::originalPageMarker(page));
}
