#include "proofreadingcommands.h"

#include "kanaconversioncommand.h"
#include "platform/gui/userdialogs.h"
#include "proofreading/convertedwords.h"
#include "proofreading/doubtreasons.h"
#include "proofreading/userreadings.h"
#include "researchlistwindow.h"

#include "usermessages/usermessages.h"

#include <QAction>
#include <QHelpEvent>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolTip>

namespace {

// The underline's colour; its wavy shape, the status bar and the accessible
// description say the same to those who do not tell the colour.
const QColor kMarkColour(214, 64, 0);
const QString kTitle = QStringLiteral("読みの候補");

} // namespace

ProofreadingCommands::ProofreadingCommands(QPlainTextEdit *editor, KanaConversionCommand *conversion,
                                           QWidget *window)
    : QObject(window), m_editor(editor), m_window(window), m_conversion(conversion),
      m_words(new ConvertedWords(editor->document(), this))
{
    connect(conversion, &KanaConversionCommand::linesConverted, m_words, &ConvertedWords::addLines);
    connect(m_words, &ConvertedWords::changed, this, &ProofreadingCommands::showMarks);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, &ProofreadingCommands::showWordAtCaret);
    editor->viewport()->installEventFilter(this);
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, this, &ProofreadingCommands::showContextMenu);
}

void ProofreadingCommands::addTranslationMenuItems(QMenu *menu)
{
    menu->addSeparator()->setObjectName(QStringLiteral("mnudummyproof"));
    const auto item = [this, menu](const char *name, const QString &caption, const QKeySequence &key, auto slot) {
        auto *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    item("nextmark", QStringLiteral("次の要確認語(&N)"), QKeySequence(Qt::Key_F8), &ProofreadingCommands::nextMark);
    item("previousmark", QStringLiteral("前の要確認語(&B)"), QKeySequence(Qt::SHIFT | Qt::Key_F8),
         &ProofreadingCommands::previousMark);
    item("candidates", QStringLiteral("読みの候補(&C)"), QKeySequence(Qt::ALT | Qt::Key_Down),
         &ProofreadingCommands::showCandidates);
    item("researchlist", QStringLiteral("下調べリスト(&R)..."), QKeySequence(), &ProofreadingCommands::showResearchList);
}

void ProofreadingCommands::addStatusWidgets(QStatusBar *statusBar)
{
    m_markCountLabel = new QLabel(statusBar);
    m_markCountLabel->setObjectName(QStringLiteral("lblmarks"));
    m_markCountLabel->setAccessibleName(QStringLiteral("要確認語の数"));
    m_sourceLabel = new QLabel(statusBar);
    m_sourceLabel->setObjectName(QStringLiteral("lblsource"));
    m_sourceLabel->setAccessibleName(QStringLiteral("元の語"));
    statusBar->addWidget(m_markCountLabel);
    statusBar->addWidget(m_sourceLabel);
    showMarks();
}

QString ProofreadingCommands::describe(int index) const
{
    const ConvertedWords::Word &word = m_words->words()[std::size_t(index)];
    QString text = QStringLiteral("元の語: %1（%2）").arg(word.written, word.kana);
    if (word.isMarked())
        text += QStringLiteral("　要確認: %1").arg(ReadingDoubtText::reasons(word.doubts));
    return text;
}

void ProofreadingCommands::showMarks()
{
    QList<QTextEdit::ExtraSelection> marks;
    for (const ConvertedWords::Word &word : m_words->words()) {
        if (!word.isMarked())
            continue;
        QTextEdit::ExtraSelection mark;
        mark.cursor = word.place;
        mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.format.setUnderlineColor(kMarkColour);
        marks.append(mark);
    }
    m_editor->setExtraSelections(marks);
    if (m_markCountLabel) {
        const int count = m_words->markCount();
        m_markCountLabel->setText(count > 0 ? QStringLiteral("要確認 %1 語").arg(count) : QString());
        m_markCountLabel->setVisible(count > 0);
    }
    showWordAtCaret();
}

void ProofreadingCommands::showWordAtCaret()
{
    const int index = m_words->wordAt(m_editor->textCursor().position());
    const QString text = index >= 0 ? describe(index) : QString();
    if (m_sourceLabel) {
        m_sourceLabel->setText(text);
        m_sourceLabel->setVisible(!text.isEmpty());
    }
    // Read out with the editor by a screen reader.
    m_editor->setAccessibleDescription(text);
}

bool ProofreadingCommands::eventFilter(QObject *watched, QEvent *event)
{
    // The type first: the filter also sees the events of the editor's own
    // destruction, when the editor is no longer whole.
    if (event->type() == QEvent::ToolTip && watched == m_editor->viewport()) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int index = m_words->wordAt(m_editor->cursorForPosition(help->pos()).position());
        if (index >= 0)
            QToolTip::showText(help->globalPos(), describe(index), m_editor->viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ProofreadingCommands::selectWord(int index)
{
    if (index < 0)
        return;
    const ConvertedWords::Word &word = m_words->words()[std::size_t(index)];
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(word.start());
    cursor.setPosition(word.end(), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
    m_editor->ensureCursorVisible();
}

void ProofreadingCommands::nextMark()
{
    const QTextCursor caret = m_editor->textCursor();
    selectWord(m_words->nextMarked(caret.selectionStart()));
}

void ProofreadingCommands::previousMark()
{
    const QTextCursor caret = m_editor->textCursor();
    selectWord(m_words->previousMarked(caret.selectionStart()));
}

QMenu *ProofreadingCommands::candidateMenu(QWidget *parent)
{
    const QTextCursor caret = m_editor->textCursor();
    const int index = m_words->wordAt(caret.hasSelection() ? caret.selectionStart() : caret.position());
    if (index < 0)
        return nullptr;
    const ConvertedWords::Word &word = m_words->words()[std::size_t(index)];
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("candidatemenu"));
    menu->setTitle(kTitle);
    QStringList readings{word.kana};
    for (const QString &candidate : word.candidates) {
        if (!readings.contains(candidate))
            readings.append(candidate);
    }
    auto *always = new QMenu(QStringLiteral("常にこの読みにする（単語登録）(&A)"), menu);
    for (qsizetype i = 0; i < readings.size(); ++i) {
        const QString reading = readings[i];
        const QString caption = i == 0 ? QStringLiteral("%1（今の読み）").arg(reading) : reading;
        // Choosing the reading it has clears the mark: the user checked it.
        menu->addAction(caption, this, [this, index, reading] { choose(index, reading, false); });
        always->addAction(reading, this, [this, index, reading] { choose(index, reading, true); });
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("読みを入力…(&E)"), this, [this, index] { editReading(index); });
    menu->addMenu(always);
    menu->setAccessibleName(QStringLiteral("%1 の読みの候補").arg(word.written));
    return menu;
}

void ProofreadingCommands::showCandidates()
{
    QMenu *menu = candidateMenu(m_editor);
    if (!menu)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QRect caret = m_editor->cursorRect();
    menu->popup(m_editor->viewport()->mapToGlobal(caret.bottomLeft()));
    // The reading it has comes first, so the keyboard starts from it.
    menu->setActiveAction(menu->actions().value(0));
}

void ProofreadingCommands::showContextMenu(const QPoint &position)
{
    QMenu *standard = m_editor->createStandardContextMenu(position);
    standard->setAttribute(Qt::WA_DeleteOnClose);
    // A right click on a converted word puts the caret there first, so the
    // candidates are those of the word clicked.
    const QTextCursor clicked = m_editor->cursorForPosition(position);
    if (m_words->wordAt(clicked.position()) >= 0 && !m_editor->textCursor().hasSelection())
        m_editor->setTextCursor(clicked);
    if (QMenu *candidates = candidateMenu(standard)) {
        QAction *first = standard->actions().value(0);
        standard->insertMenu(first, candidates);
        standard->insertSeparator(first);
    }
    standard->popup(m_editor->viewport()->mapToGlobal(position));
}

void ProofreadingCommands::choose(int index, const QString &kana, bool remember)
{
    if (index < 0 || index >= m_words->size())
        return;
    const QString written = m_words->words()[std::size_t(index)].written;
    if (kana == m_words->words()[std::size_t(index)].kana)
        m_words->clearMark(index);
    else
        m_words->setReading(index, kana);
    if (remember) {
        const QString error = UserMessages::kanaMessage(UserReadings::add(m_conversion->userDictionaryPath(), {{written, kana}}));
        if (!error.isEmpty())
            UserDialogs::instance().warn(m_window, QStringLiteral("単語登録"), error);
    }
}

void ProofreadingCommands::editReading(int index)
{
    if (index < 0 || index >= m_words->size())
        return;
    const ConvertedWords::Word &word = m_words->words()[std::size_t(index)];
    bool ok = false;
    const QString kana = QInputDialog::getText(m_window, kTitle, QStringLiteral("%1 の読み:").arg(word.written),
                                               QLineEdit::Normal, word.kana, &ok)
                             .trimmed();
    if (ok && !kana.isEmpty())
        choose(index, kana, false);
}

ResearchListWindow *ProofreadingCommands::researchList() const
{
    return m_researchList;
}

void ProofreadingCommands::showResearchList()
{
    if (!m_researchList)
        m_researchList = new ResearchListWindow(m_words, m_conversion->userDictionaryPath(), m_editor, m_window);
    m_researchList->show();
    m_researchList->raise();
    m_researchList->activateWindow();
}
