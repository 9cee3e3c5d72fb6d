#pragma once

#include <QObject>
#include <QTextBlock>

#include <utility>

class QMenu;
class QMenuBar;
class QPlainTextEdit;

// 書式: marks lines of the editor as headings (見出し 1/2/3, 見出し解除),
// puts in a page break, lines kept together and the original's page
// number, each as a marker line of the text, in one undo step.
class BookFormatCommands : public QObject
{
    Q_OBJECT

public:
    explicit BookFormatCommands(QPlainTextEdit *editor, QObject *parent = nullptr);

    // The 書式 menu, added at the end of the bar after the original menus.
    // `documentInfo` runs 文書情報.
    QMenu *addMenu(QMenuBar *bar, QObject *documentInfoTarget, const char *documentInfoSlot);

public slots:
    // The lines of the selection, or the caret's line, as headings of the
    // level; 0 clears them.
    void setHeading(int level);
    void insertPageBreak();
    void keepTogether();
    void insertOriginalPage();

private:
    // Puts a marker line before the caret's line.
    void insertLineBefore(const QString &line);
    // The first and the last line the caret or the selection touches.
    std::pair<QTextBlock, QTextBlock> selectedLines() const;

    QPlainTextEdit *m_editor;
};
