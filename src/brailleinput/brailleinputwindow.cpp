#include "brailleinput/brailleinputwindow.h"

#include "backtranslation/braillecell.h"
#include "brailleinput/brailleeditor.h"
#include "platform/gui/japanesefonts.h"
#include "platform/settings.h"
#include "platform/gui/showwindow.h"
#include "platform/gui/userdialogs.h"

#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("点字入力");

// F D S J K L in the order of the dots they stand for.
constexpr char16_t kDotKeys[] = u"FDSJKL";

} // namespace

BrailleInputWindow *BrailleInputWindow::open(const QWidget *over)
{
    static QPointer<BrailleInputWindow> window;
    if (!window) {
        window = new BrailleInputWindow;
        // Left to itself the window opens where the system puts it, partly
        // off a small screen.
        centreOver(window, over);
    }
    showInFront(window);
    return window;
}

BrailleInputWindow::BrailleInputWindow() : QMainWindow(nullptr)
{
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("BrailleInputWindow"));
    setWindowTitle(kTitle);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    auto *scroll = new QScrollArea(central);
    editor_ = new BrailleEditor;
    scroll->setWidget(editor_);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll, 1);
    keyTest_ = new QLabel(central);
    keyTest_->setObjectName(QStringLiteral("keyTest"));
    keyTest_->setFont(JapaneseFonts::gothic(14));
    keyTest_->setTextFormat(Qt::PlainText);
    keyTest_->hide();
    layout->addWidget(keyTest_);
    setCentralWidget(central);

    createActions();
    statusBar()->showMessage(
        QStringLiteral("F D S J K L が 1〜6 の点です。同時に押して離すと 1 マス入ります。"
                       "スペースでマスあけ、Enter で改行、BackSpace で 1 マス削除。"));
    connect(editor_, &BrailleEditor::chordChanged, this, &BrailleInputWindow::updateKeyTest);
    connect(editor_, &BrailleEditor::cursorMoved, scroll, [scroll](const QRect &area) {
        scroll->ensureVisible(area.center().x(), area.center().y(), area.width() / 2, area.height() / 2);
    });
    connect(editor_, &BrailleEditor::pasteDropped, this, [this](int count) {
        UserDialogs::instance().warn(this, kTitle,
                                     QStringLiteral("点字でない %1 文字は貼り付けませんでした。").arg(count));
    });
    setKatakana(Settings::katakanaInput());
    resize(720, 420);
    editor_->setFocus();
}

BrailleInputWindow::~BrailleInputWindow()
{
    // Destroying the window takes the focus from the editor, which then
    // reports its keys to a window that is no longer whole.
    editor_->disconnect(this);
}

void BrailleInputWindow::createActions()
{
    QMenu *edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    auto add = [](QMenu *menu, const char *name, const QString &caption, const QKeySequence &keys) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        return action;
    };
    QAction *undo = editor_->undoStack()->createUndoAction(this, QStringLiteral("元に戻す"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcut(QKeySequence::Undo);
    edit->addAction(undo);
    QAction *redo = editor_->undoStack()->createRedoAction(this, QStringLiteral("やり直し"));
    redo->setObjectName(QStringLiteral("redo"));
    redo->setShortcuts(QKeySequence::Redo);
    edit->addAction(redo);
    edit->addSeparator();
    connect(add(edit, "selectAll", QStringLiteral("すべて選択(&A)"), QKeySequence::SelectAll),
            &QAction::triggered, editor_, &BrailleEditor::selectAll);
    connect(add(edit, "copy", QStringLiteral("コピー(&C)"), QKeySequence::Copy), &QAction::triggered, editor_,
            &BrailleEditor::copy);
    connect(add(edit, "paste", QStringLiteral("貼り付け(&P)"), QKeySequence::Paste), &QAction::triggered,
            editor_, &BrailleEditor::paste);

    QMenu *braille = menuBar()->addMenu(QStringLiteral("点字(&B)"));
    QAction *insert = add(braille, "honbunSounyuu", QStringLiteral("本文へ挿入(&I)"), QKeySequence());
    connect(insert, &QAction::triggered, this, &BrailleInputWindow::honbunSounyuu);
    exportAction_ =
        add(braille, "tenjiFileKakidashi", QStringLiteral("点字ファイル書き出し(&E)..."), QKeySequence());
    exportAction_->setEnabled(false);
    connect(exportAction_, &QAction::triggered, this, [this] {
        if (exporter_)
            exporter_(this, editor_->lines());
    });
    braille->addSeparator();
    QAction *katakana = add(braille, "katakana", QStringLiteral("カタカナで表示(&K)"), QKeySequence());
    katakana->setCheckable(true);
    katakana->setChecked(Settings::katakanaInput());
    connect(katakana, &QAction::toggled, this, &BrailleInputWindow::setKatakana);
    QAction *keyTest = add(braille, "keyTest", QStringLiteral("キー確認(&T)"), QKeySequence());
    keyTest->setCheckable(true);
    connect(keyTest, &QAction::toggled, this, &BrailleInputWindow::showKeyTest);

    QToolBar *tools = addToolBar(QStringLiteral("点字入力"));
    tools->setObjectName(QStringLiteral("tools"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addAction(insert);
    tools->addAction(exportAction_);
    tools->addAction(keyTest);
    // The tool buttons would take the focus from the editor, and with it the keys.
    for (QWidget *button : tools->findChildren<QWidget *>())
        button->setFocusPolicy(Qt::NoFocus);
}

void BrailleInputWindow::setBrailleFileExporter(BrailleFileExporter exporter)
{
    exporter_ = std::move(exporter);
    exportAction_->setEnabled(bool(exporter_));
}

void BrailleInputWindow::honbunSounyuu()
{
    emit insertIntoText(editor_->kanaLines().join(u'\n'));
}

void BrailleInputWindow::setKatakana(bool katakana)
{
    const KanaScript script = katakana ? KanaScript::Katakana : KanaScript::Hiragana;
    Settings::setKatakanaInput(katakana);
    editor_->setScript(script);
}

void BrailleInputWindow::showKeyTest(bool shown)
{
    mostKeysHeld_ = 0;
    keyTest_->setVisible(shown);
    updateKeyTest(0, 0);
    editor_->setFocus();
}

void BrailleInputWindow::updateKeyTest(int heldDots, int chordDots)
{
    if (!keyTest_->isVisible())
        return;
    QString keys;
    int held = 0;
    for (int d = 1; d <= 6; ++d) {
        const bool down = heldDots & (1 << (d - 1));
        held += down ? 1 : 0;
        keys += down ? QStringLiteral("[%1%2]").arg(QChar(kDotKeys[d - 1])).arg(d) : QStringLiteral(" ・ ");
        if (d == 3)
            keys += QStringLiteral("   ");
    }
    mostKeysHeld_ = qMax(mostKeysHeld_, held);
    keyTest_->setText(
        QStringLiteral("キー確認  押されているキー: %1   この組の点: %2\n"
                       "同時に押されたキーの最多: %3 個 (6 個全部押して 6 にならないキーボードは、"
                       "6 キーを同時に送れません)")
            .arg(keys, QString(BrailleCell::toChar(chordDots)))
            .arg(mostKeysHeld_));
}
