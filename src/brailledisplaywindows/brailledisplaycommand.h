#pragma once

#include "brailledisplay/brailledisplay.h"
#include "brailledisplay/displayline.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class DisplayContent;
class Document;
class EditorDisplayContent;
class QAbstractItemView;
class QAction;
class QMenu;
class QPlainTextEdit;
class QWidget;

// 表示 → 点字ディスプレイ: while on and a Mirabo window has the focus, the
// braille display shows what that window is about (DisplayContent) and its
// keys act there. Mirabo gives the display back to BRLTTY when it loses the
// focus, when the item is turned off, and when it quits.
class BrailleDisplayCommand : public QObject
{
    Q_OBJECT

public:
    static inline const QString kTitle = QStringLiteral("点字ディスプレイ");

    BrailleDisplayCommand(QWidget *mainWindow, QPlainTextEdit *editor, QAbstractItemView *list, Document &document);
    ~BrailleDisplayCommand() override;

    // After the original items of the menu, behind a separator.
    void addMenuItems(QMenu *menu);

    QAction *displayAction() const { return displayAction_; }
    QAction *typingAction() const { return typingAction_; }
    const BrailleDisplay &display() const { return display_; }
    // The line and the part of it on the display now.
    const DisplayLine &line() const { return line_; }

    // Turns the display on (true when connected) or off. Failing, tells the
    // user why.
    bool setOn(bool on);

private:
    void focusChanged(QWidget *now);
    void applicationActive(bool active);
    void showContent();
    void keyPressed(const DisplayKey &key);
    void connectionLost();
    DisplayContent *contentFor(QWidget *widget);
    void warn(BrailleDisplayError error);

    QPointer<QWidget> mainWindow_;
    QPointer<QPlainTextEdit> editor_;
    QPointer<QAbstractItemView> list_;
    BrailleDisplay display_;
    DisplayLine line_;
    EditorDisplayContent *editorContent_ = nullptr;
    DisplayContent *listContent_ = nullptr;
    // The other windows' contents, made when one first has the focus.
    QHash<QWidget *, QPointer<DisplayContent>> windowContents_;
    QPointer<DisplayContent> content_;
    QAction *displayAction_ = nullptr;
    QAction *typingAction_ = nullptr;
};

// What the user reads when the display cannot be used.
QString brailleDisplayMessage(BrailleDisplayError error);
