#include "speechmenu.h"

#include "speech/speechoutput.h"
#include "speech/spokentext.h"
#include "speechsettingsdialog.h"
#include "usermessages/usermessages.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextBlock>

SpeechMenu::SpeechMenu(QMenu *menu, QPlainTextEdit *editor, QWidget *window)
    : QObject(window), m_editor(editor), m_window(window)
{
    menu->addSeparator()->setObjectName(QStringLiteral("mnudummyspeech"));
    m_readAloud = menu->addAction(QStringLiteral("読み上げ(&S)"));
    m_readAloud->setObjectName(QStringLiteral("mnuspeech"));
    m_readAloud->setCheckable(true);
    m_readAloud->setStatusTip(QStringLiteral("カーソルの行のかなを書かれたとおりに読み上げます"));
    m_settings = menu->addAction(QStringLiteral("読み上げの設定…(&E)"));
    m_settings->setObjectName(QStringLiteral("mnuspeechsettings"));

    connect(m_readAloud, &QAction::triggered, this, &SpeechMenu::switchReading);
    connect(m_settings, &QAction::triggered, this, &SpeechMenu::showSettings);
    connect(&SpeechOutput::instance(), &SpeechOutput::switched, m_readAloud, &QAction::setChecked);
    connect(m_editor, &QPlainTextEdit::cursorPositionChanged, this, &SpeechMenu::caretMoved);

    // Reading aloud stays on from the last run; where the voice has gone
    // since, the item is simply off until the user chooses it.
    if (SpeechOutput::savedOn() && !SpeechOutput::instance().isOn())
        SpeechOutput::instance().setOn(true);
    m_readAloud->setChecked(SpeechOutput::instance().isOn());
}

void SpeechMenu::switchReading(bool on)
{
    SpeechOutput &speech = SpeechOutput::instance();
    if (speech.setOn(on)) {
        m_caretLine = m_editor->textCursor().blockNumber();
        readCaretLine();
        return;
    }
    m_readAloud->setChecked(false);
    if (!on)
        return;
    const QString reason = UserMessages::speechMessage(speech.unavailableReason());
    m_readAloud->setToolTip(reason);
    m_readAloud->setStatusTip(reason);
    if (m_toldUnavailable)
        return;
    m_toldUnavailable = true;
    // Not modal: the user goes on working without speech.
    auto *message = new QMessageBox(QMessageBox::Information, QStringLiteral("読み上げ"), reason,
                                    QMessageBox::Ok, m_window);
    message->setObjectName(QStringLiteral("speechUnavailable"));
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->setWindowModality(Qt::NonModal);
    message->show();
}

void SpeechMenu::caretMoved()
{
    const int line = m_editor->textCursor().blockNumber();
    if (line == m_caretLine)
        return;
    m_caretLine = line;
    if (SpeechOutput::instance().isOn())
        readCaretLine();
}

void SpeechMenu::readCaretLine()
{
    const QString line = m_editor->textCursor().block().text();
    SpeechOutput::instance().say(line.trimmed().isEmpty() ? kEmptyLine : SpokenText::literalKana(line));
}

void SpeechMenu::showSettings()
{
    SpeechSettingsDialog dialog(m_window);
    dialog.exec();
}
