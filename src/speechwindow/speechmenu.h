#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QPlainTextEdit;
class QWidget;

// 表示 → 読み上げ (checkable) and 読み上げの設定…, behind a separator after
// the items of the menu given. While reading aloud is on, the caret's line
// of the editor is read as written whenever the caret comes to another line.
// Where nothing can speak, the first try says why in a message that does
// not wait for an answer; the item then stays off and names the reason in
// its tip.
class SpeechMenu : public QObject
{
    Q_OBJECT

public:
    SpeechMenu(QMenu *menu, QPlainTextEdit *editor, QWidget *window);

    QAction *readAloudAction() const { return m_readAloud; }
    QAction *settingsAction() const { return m_settings; }

    // What an empty line is read as.
    static inline const QString kEmptyLine = QStringLiteral("から の ぎょう");

private:
    void switchReading(bool on);
    void caretMoved();
    void readCaretLine();
    void showSettings();

    QPlainTextEdit *m_editor;
    QWidget *m_window;
    QAction *m_readAloud = nullptr;
    QAction *m_settings = nullptr;
    int m_caretLine = -1;
    bool m_toldUnavailable = false;
};
