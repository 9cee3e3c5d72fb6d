#include "brailleinput/brailleeditor.h"
#include "brailleinput/brailleinputwindow.h"
#include "dotkeys.h"
#include "fakeuserdialogs.h"
#include "mainwindow/form1.h"
#include "platform/gui/clipboard.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The 点字入力 window, typed at as the keyboard sends keys (DotKeys).
class TestBrailleInput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void chords_data();
    void chords();
    void chordIsDroppedOnFocusLoss();
    void editing_data();
    void editing();
    void copyAndPaste();
    void kanaUnderTheLines();
    void keyTestShowsHeldKeys();
    void insertsKanaIntoTheMainEditor();
    void exportWaitsForItsHook();
    void closingKeepsTheCells();

private:
    void type(const QString &steps);
    void trigger(const char *action);

    QPointer<BrailleInputWindow> window_;
    BrailleEditor *editor_ = nullptr;
};

void TestBrailleInput::init()
{
    window_ = BrailleInputWindow::open();
    editor_ = window_->editor();
}

void TestBrailleInput::cleanup()
{
    delete window_.data();
    Clipboard::setText(QString());
}

// Steps separated by spaces: "+F" presses F, "-F" releases it, "r+F" and
// "r-F" are repeats that Qt marks as such; "+F@700" has the time stamp 700;
// "FD" presses F then D and releases them; other steps are keys by name.
void TestBrailleInput::type(const QString &steps)
{
    const QMap<QString, int> named = {{u"Space"_s, Qt::Key_Space}, {u"BS"_s, Qt::Key_Backspace},
                                      {u"Del"_s, Qt::Key_Delete},  {u"Enter"_s, Qt::Key_Return},
                                      {u"Left"_s, Qt::Key_Left},   {u"Right"_s, Qt::Key_Right},
                                      {u"Up"_s, Qt::Key_Up},       {u"Home"_s, Qt::Key_Home}};
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (named.contains(step)) {
            QTest::keyClick(editor_, Qt::Key(named[step]));
        } else if (step.startsWith(u"r")) {
            DotKeys::send(editor_, step[1] == u'+' ? QEvent::KeyPress : QEvent::KeyRelease, step[2], true);
        } else if (step.startsWith(u'+') || step.startsWith(u'-')) {
            DotKeys::send(editor_, step[0] == u'+' ? QEvent::KeyPress : QEvent::KeyRelease, step[1], false,
                          step.mid(3).toULongLong());
        } else {
            DotKeys::chord(editor_, step);
        }
    }
}

void TestBrailleInput::trigger(const char *action)
{
    QAction *found = window_->findChild<QAction *>(QString::fromLatin1(action));
    QVERIFY2(found, action);
    found->trigger();
}

void TestBrailleInput::chords_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("cells");

    QTest::newRow("one key") << "+F -F"
                             << "⠁";
    QTest::newRow("released in the order pressed") << "+F +D -F -D"
                                                   << "⠃";
    QTest::newRow("released in reverse") << "+J +F -F -J"
                                         << "⠉";
    QTest::newRow("rolled: one chord while any key is down") << "+F +D -F +S -D -S"
                                                             << "⠇";
    QTest::newRow("all six") << "+L +S +K +D +J +F -D -L -F -K -S -J"
                             << "⠿";
    QTest::newRow("two chords") << "+F -F +K +L -K -L"
                                << "⠁⠰";
    QTest::newRow("repeats marked by Qt") << "+F r-F r+F r-F r+F -F"
                                          << "⠁";
    QTest::newRow("repeats as release and press at one time")
        << "+F@100 +D@120 -D@600 -F@700 +F@700 -F@741 +F@741 -F@900 +D@950 -D@990"
        << "⠃⠂";
    QTest::newRow("quick retyping is no repeat") << "+F@100 -F@200 +F@230 -F@300"
                                                 << "⠁⠁";
    QTest::newRow("release without a press") << "-F +D -D"
                                             << "⠂";
}

void TestBrailleInput::chords()
{
    QFETCH(QString, steps);
    QFETCH(QString, cells);
    type(steps);
    // A release with a time stamp may wait a moment for the press of a repeat.
    QTRY_COMPARE(editor_->lines(), QStringList{cells});
}

void TestBrailleInput::chordIsDroppedOnFocusLoss()
{
    type(u"+F +D"_s);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(editor_, &focusOut);
    type(u"-F -D +K -K"_s);
    QCOMPARE(editor_->lines(), QStringList{u"⠐"_s});
}

void TestBrailleInput::editing_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("lines"); // joined by "|"
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    QTest::newRow("space") << "F Space F"
                           << "⠁⠀⠁" << 0 << 3;
    QTest::newRow("backspace") << "F D BS"
                               << "⠁" << 0 << 1;
    QTest::newRow("enter") << "F Enter D"
                           << "⠁|⠂" << 1 << 1;
    QTest::newRow("enter in the middle") << "F D Left Enter"
                                         << "⠁|⠂" << 1 << 0;
    QTest::newRow("backspace joins lines") << "F Enter D Home BS"
                                           << "⠁⠂" << 0 << 1;
    QTest::newRow("delete") << "F D Home Del"
                            << "⠂" << 0 << 0;
    QTest::newRow("delete joins lines") << "F Enter D Up Del"
                                        << "⠁⠂" << 0 << 1;
    QTest::newRow("insert after moving left") << "F S Left D"
                                              << "⠁⠂⠄" << 0 << 2;
    QTest::newRow("left over a line start") << "F Enter Left D"
                                            << "⠁⠂|" << 0 << 2;
    QTest::newRow("backspace at the start does nothing") << "BS F"
                                                         << "⠁" << 0 << 1;
}

void TestBrailleInput::editing()
{
    QFETCH(QString, steps);
    QFETCH(QString, lines);
    QFETCH(int, line);
    QFETCH(int, column);

    type(steps);
    QCOMPARE(editor_->lines(), lines.split(u'|'));
    QCOMPARE(editor_->cursorLine(), line);
    QCOMPARE(editor_->cursorColumn(), column);

    // Every step undoes back to the empty editor, and redoes to the end.
    const QStringList typed = editor_->lines();
    while (editor_->undoStack()->canUndo())
        trigger("undo");
    QVERIFY(editor_->isEmpty());
    while (editor_->undoStack()->canRedo())
        trigger("redo");
    QCOMPARE(editor_->lines(), typed);
}

void TestBrailleInput::copyAndPaste()
{
    FakeUserDialogs dialogs;
    type(u"F Enter FD"_s);
    QTest::keyClick(editor_, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard::text(), u"⠁\n⠃"_s);

    // A paste replaces the selection; a space is a blank cell, letters
    // are not braille and are left out, with a word to the user.
    Clipboard::setText(u"⠉ ⠙\r\nx⠑"_s);
    trigger("selectAll");
    trigger("paste");
    QCOMPARE(editor_->lines(), QStringList({u"⠉⠀⠙"_s, u"⠑"_s}));
    QCOMPARE(dialogs.kinds(), QStringList{u"warn"_s});
    QVERIFY(dialogs.shown.first().text.contains(u'1'));
    trigger("undo");
    QCOMPARE(editor_->lines(), QStringList({u"⠁"_s, u"⠃"_s}));
}

void TestBrailleInput::kanaUnderTheLines()
{
    // か ⠡ (dots 1, 6), な ⠅ (1, 3); a line of its own.
    type(u"FL Enter FS"_s);
    QCOMPARE(editor_->kanaLines(), QStringList({u"か"_s, u"な"_s}));
    trigger("katakana");
    QCOMPARE(editor_->kanaLines(), QStringList({u"カ"_s, u"ナ"_s}));
    trigger("katakana");
    QCOMPARE(editor_->kanaLines(), QStringList({u"か"_s, u"な"_s}));
}

void TestBrailleInput::keyTestShowsHeldKeys()
{
    window_->show();
    trigger("keyTest");
    auto *label = window_->findChild<QLabel *>(u"keyTest"_s);
    QVERIFY(label && label->isVisible());
    type(u"+F +J +L"_s);
    QVERIFY(label->text().contains(u"[F1]"_s) && label->text().contains(u"[L6]"_s));
    QVERIFY(!label->text().contains(u"[D2]"_s));
    QVERIFY(label->text().contains(u"3 個"_s));
    type(u"-F -J -L"_s);
    QVERIFY(!label->text().contains(u"[F1]"_s));
    QVERIFY(label->text().contains(u"3 個"_s)); // the most held stays
}

void TestBrailleInput::insertsKanaIntoTheMainEditor()
{
    FakeUserDialogs dialogs;
    Form1 form;
    form.txtdpbox->setPlainText(u"はじめ。おわり"_s);
    QTextCursor cursor = form.txtdpbox->textCursor();
    cursor.setPosition(4);
    form.txtdpbox->setTextCursor(cursor);

    QAction *item = form.findChild<QAction *>(u"tenjinyuryoku"_s);
    QVERIFY(item);
    item->trigger();
    QCOMPARE(BrailleInputWindow::open(), window_);
    // さ ⠱ (1, 5, 6), く ⠩ (1, 4, 6), ら ⠑ (1, 5)
    type(u"FKL FJL FK"_s);
    trigger("honbunSounyuu");
    QCOMPARE(form.txtdpbox->toPlainText(), u"はじめ。さくらおわり"_s);
    item->trigger(); // a second opening does not insert twice
    trigger("honbunSounyuu");
    QCOMPARE(form.txtdpbox->toPlainText(), u"はじめ。さくらさくらおわり"_s);
}

void TestBrailleInput::exportWaitsForItsHook()
{
    QAction *exportItem = window_->findChild<QAction *>(u"tenjiFileKakidashi"_s);
    QVERIFY(exportItem && !exportItem->isEnabled());
    QStringList handed;
    window_->setBrailleFileExporter([&handed](QWidget *, const QStringList &lines) { handed = lines; });
    QVERIFY(exportItem->isEnabled());
    type(u"F Enter D"_s);
    exportItem->trigger();
    QCOMPARE(handed, QStringList({u"⠁"_s, u"⠂"_s}));
}

void TestBrailleInput::closingKeepsTheCells()
{
    FakeUserDialogs dialogs;
    window_->show();
    type(u"F"_s);
    QVERIFY(window_->close());
    QCOMPARE(BrailleInputWindow::open(), window_.data());
    QVERIFY(window_->isVisible());
    QCOMPARE(editor_->lines(), QStringList{u"⠁"_s});
    QVERIFY(dialogs.shown.isEmpty());
}

QTEST_MAIN(TestBrailleInput)
#include "tst_brailleinput.moc"
