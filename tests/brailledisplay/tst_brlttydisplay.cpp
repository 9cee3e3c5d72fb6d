#include "mainwindowfixture.h"

#include "brailledisplay/brailledisplay.h"
#include "brailleinput/brailleeditor.h"
#include "brailleinput/brailleinputwindow.h"
#include "lookupwindow/tenkensakuf.h"
#include "braillepageview/braillepagecommands.h"
#include "braillepageview/braillepageview.h"
#include "braillepageview/braillepagewidget.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <unistd.h>

namespace {

constexpr int kCells = 20;

// A display line as BRLTTY's virtual driver reports it: the dots of every
// cell joined by "|", a blank cell as " ".
QString virtualLine(const QStringList &cells)
{
    QStringList all = cells;
    while (all.size() < kCells)
        all.append(QStringLiteral(" "));
    return QStringLiteral("Braille \"%1\"").arg(all.join(u'|'));
}

// The same for the first cells of a line of Unicode braille.
QString virtualBrailleLine(const QString &braille)
{
    QStringList cells;
    for (const QChar cell : braille.left(kCells)) {
        QString dots;
        for (int dot = 0; dot < 8; ++dot) {
            if ((cell.unicode() - 0x2800) & (1 << dot))
                dots.append(QChar(u'1' + dot));
        }
        cells.append(dots.isEmpty() ? QStringLiteral(" ") : dots);
    }
    return virtualLine(cells);
}

} // namespace

// Mirabo on a braille display: BRLTTY runs with its virtual driver, and
// this test is the display at the other end of the driver's socket. It
// reads the cells BRLTTY writes and presses the display's keys.
class TestBrlttyDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void noBrlttyIsToldPlainly();
    void caretLineIsShownWithItsCaret();
    void routingKeyPutsTheCaretOnTheCharacterOfTheCell();
    void panningShowsTheRestOfALongLine();
    void brailleKeysTypeCellsWhenSwitchedOn();
    void turningOffGivesTheDisplayBack();
    void listShowsTheBrailleRowOfItsLine();
    void brailleInputTakesTheBrailleKeys();
    void lookUpMarksTheCellOfTheBrailleKeys();
    void pageViewGoesLineByLine();

private:
    // Waits for the display to show this line; false after a while.
    bool waitForLine(const QString &line);
    void press(const QByteArray &command);
    void useBrltty();
    void setCaret(int line, int column);

    QTemporaryDir dir_;
    QLocalServer server_;
    QLocalSocket *display_ = nullptr;
    QProcess brltty_;
    QByteArray host_;
    QString lastLine_;
    std::unique_ptr<MainWindowFixture> fixture_;
};

void TestBrlttyDisplay::initTestCase()
{
    QVERIFY(dir_.isValid());
    // The display first, so that the driver finds it at once.
    const QString socket = dir_.filePath(QStringLiteral("vr"));
    QVERIFY(server_.listen(socket));
    // A BrlAPI port of its own, so that tests running at once do not meet.
    const int port = 40 + int(getpid() % 900);
    host_ = "127.0.0.1:" + QByteArray::number(port);
    const QStringList arguments = {
        QStringLiteral("--no-daemon"),
        QStringLiteral("--braille-driver=vr"),
        QStringLiteral("--braille-device=client:") + socket,
        QStringLiteral("--screen-driver=no"),
        QStringLiteral("--speech-driver=no"),
        QStringLiteral("--api-parameters=auth=none,host=") + QString::fromLatin1(host_),
        QStringLiteral("--configuration-file=") + dir_.filePath(QStringLiteral("brltty.conf")),
        QStringLiteral("--preferences-file=") + dir_.filePath(QStringLiteral("brltty.prefs")),
        QStringLiteral("--writable-directory=") + dir_.path(),
        QStringLiteral("--updatable-directory=") + dir_.path(),
        QStringLiteral("--pid-file=") + dir_.filePath(QStringLiteral("brltty.pid")),
        QStringLiteral("--log-file=") + dir_.filePath(QStringLiteral("brltty.log")),
        QStringLiteral("--log-level=info"),
    };
    brltty_.setProcessChannelMode(QProcess::MergedChannels);
    brltty_.start(QStringLiteral(MIRABO_BRLTTY), arguments);
    QVERIFY2(brltty_.waitForStarted(5000),
             qPrintable(QStringLiteral("brltty (%1) did not start: %2").arg(QStringLiteral(MIRABO_BRLTTY), brltty_.errorString())));
    QVERIFY2(server_.waitForNewConnection(15000), "BRLTTY's virtual driver did not connect");
    display_ = server_.nextPendingConnection();
    display_->write("cells " + QByteArray::number(kCells) + "\n");
    display_->flush();

    // BrlAPI listens once the driver knows the display.
    qputenv("BRLAPI_HOST", host_);
    qputenv("BRLAPI_AUTH", "none");
    BrailleDisplay probe;
    QTRY_VERIFY_WITH_TIMEOUT(probe.open() == BrailleDisplayError::None, 15000);
    QCOMPARE(probe.cellCount(), kCells);
}

void TestBrlttyDisplay::cleanupTestCase()
{
    brltty_.terminate();
    if (!brltty_.waitForFinished(5000))
        brltty_.kill();
}

void TestBrlttyDisplay::init()
{
    fixture_ = std::make_unique<MainWindowFixture>();
    fixture_->form->show();
    fixture_->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fixture_->form.get()));
    fixture_->form->txtdpbox->setFocus();
}

void TestBrlttyDisplay::cleanup()
{
    fixture_.reset();
    lastLine_.clear();
}

void TestBrlttyDisplay::useBrltty()
{
    qputenv("BRLAPI_HOST", host_);
    qputenv("BRLAPI_AUTH", "none");
    fixture_->action(QStringLiteral("mnubrailledisplay"))->trigger();
    QVERIFY2(fixture_->dialogs.shown.isEmpty(), qPrintable(fixture_->dialogs.shown.value(0).text));
    QVERIFY(fixture_->action(QStringLiteral("mnubrailledisplay"))->isChecked());
}

void TestBrlttyDisplay::setCaret(int line, int column)
{
    QPlainTextEdit *editor = fixture_->form->txtdpbox;
    const QTextBlock block = editor->document()->findBlockByNumber(line);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + column);
    editor->setTextCursor(cursor);
}

bool TestBrlttyDisplay::waitForLine(const QString &line)
{
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        while (display_->canReadLine()) {
            const QString read = QString::fromUtf8(display_->readLine()).trimmed();
            if (read.startsWith(QStringLiteral("Braille ")))
                lastLine_ = read;
        }
        if (lastLine_ == line)
            return true;
        display_->waitForReadyRead(50);
        QCoreApplication::processEvents();
    }
    qWarning() << "display shows" << lastLine_ << "not" << line;
    return false;
}

void TestBrlttyDisplay::press(const QByteArray &command)
{
    display_->write(command + "\n");
    display_->flush();
    // BRLTTY reads the driver's socket when data comes, and takes one
    // command from it each time: the keys go one by one.
    QTest::qWait(200);
}

void TestBrlttyDisplay::noBrlttyIsToldPlainly()
{
    // A port where no BRLTTY listens.
    qputenv("BRLAPI_HOST", "127.0.0.1:999");
    QAction *item = fixture_->action(QStringLiteral("mnubrailledisplay"));
    item->trigger();
    QVERIFY(!item->isChecked());
    QCOMPARE(fixture_->dialogs.shown.size(), 1);
    QVERIFY(fixture_->dialogs.shown[0].text.contains(QStringLiteral("BRLTTY が動いていません")));
}

void TestBrlttyDisplay::caretLineIsShownWithItsCaret()
{
    // が is the voiced sign (dot 5) and か (1-6); い is 1-2. The caret before
    // い adds dots 7-8 to its cell. The second line is not shown.
    fixture_->type(QStringLiteral("がい\nあ"));
    setCaret(0, 1);
    useBrltty();
    QVERIFY(waitForLine(virtualLine({"5", "16", "1278"})));
    // At the end of the line the caret stands on the blank cell after it.
    setCaret(0, 2);
    QVERIFY(waitForLine(virtualLine({"5", "16", "12", "78"})));
    setCaret(1, 0);
    QVERIFY(waitForLine(virtualLine({"178"})));
}

void TestBrlttyDisplay::routingKeyPutsTheCaretOnTheCharacterOfTheCell()
{
    fixture_->type(QStringLiteral("がい"));
    setCaret(0, 2);
    useBrltty();
    QVERIFY(waitForLine(virtualLine({"5", "16", "12", "78"})));
    // The virtual driver passes its number on as the routing key's cell,
    // counted from 0 (so its first cell cannot be pressed). The key over
    // か, the second cell of が: the caret goes before が.
    press("Route 1");
    QTRY_COMPARE(fixture_->form->txtdpbox->textCursor().positionInBlock(), 0);
    QVERIFY(waitForLine(virtualLine({"578", "16", "12"})));
    press("Route 2");
    QTRY_COMPARE(fixture_->form->txtdpbox->textCursor().positionInBlock(), 1);
    // Just past the line's end: the caret goes to the end.
    press("Route 3");
    QTRY_COMPARE(fixture_->form->txtdpbox->textCursor().positionInBlock(), 2);
    // Further on nothing happens.
    setCaret(0, 0);
    press("Route 15");
    QTest::qWait(300);
    QCOMPARE(fixture_->form->txtdpbox->textCursor().positionInBlock(), 0);
}

void TestBrlttyDisplay::panningShowsTheRestOfALongLine()
{
    // 25 cells: あいうえお five times; え is 1-2-4, お 2-4.
    fixture_->type(QStringLiteral("あいうえお").repeated(5));
    setCaret(0, 0);
    useBrltty();
    const QStringList five = {"1", "12", "14", "124", "24"};
    QVERIFY(waitForLine(virtualLine(QStringList{"178", "12", "14", "124", "24"} + five + five + five)));
    press("FwinRt");
    QVERIFY(waitForLine(virtualLine(five)));
    // A routing key on the part shown puts the caret there: the 23rd cell.
    press("Route 2");
    QTRY_COMPARE(fixture_->form->txtdpbox->textCursor().positionInBlock(), 22);
    QVERIFY(waitForLine(virtualLine({"1", "12", "1478", "124", "24"})));
    press("FwinLt");
    QVERIFY(waitForLine(virtualLine(five + five + five + five)));
}

void TestBrlttyDisplay::brailleKeysTypeCellsWhenSwitchedOn()
{
    fixture_->type(QStringLiteral("あ"));
    useBrltty();
    QVERIFY(waitForLine(virtualLine({"1", "78"})));
    // Off at first: the keys change nothing.
    press("PassDots 11");
    QTest::qWait(300);
    QCOMPARE(fixture_->form->txtdpbox->toPlainText(), QStringLiteral("あ"));
    fixture_->action(QStringLiteral("mnubrailledisplaytyping"))->setChecked(true);
    press("PassDots 11"); // dots 1, 2 and 4
    QTRY_COMPARE(fixture_->form->txtdpbox->toPlainText(), QStringLiteral("あ⠋"));
}

void TestBrlttyDisplay::turningOffGivesTheDisplayBack()
{
    fixture_->type(QStringLiteral("い"));
    useBrltty();
    QVERIFY(waitForLine(virtualLine({"12", "78"})));
    fixture_->action(QStringLiteral("mnubrailledisplay"))->trigger();
    QVERIFY(!fixture_->action(QStringLiteral("mnubrailledisplay"))->isChecked());
    // Another client can now take the display, and Mirabo writes no more.
    BrailleDisplay other;
    QCOMPARE(other.open(), BrailleDisplayError::None);
    QCOMPARE(other.claim(), BrailleDisplayError::None);
    other.write({0x01, 0x02, 0x04});
    QVERIFY(waitForLine(virtualLine({"1", "2", "3"})));
    fixture_->type(QStringLiteral("う"));
    QTest::qWait(500);
    QVERIFY(waitForLine(virtualLine({"1", "2", "3"})));
}

void TestBrlttyDisplay::listShowsTheBrailleRowOfItsLine()
{
    fixture_->translate(QStringLiteral("あ\nがい"));
    useBrltty();
    BrailleListView *list = fixture_->form->List1;
    list->setFocus();
    // The second line's text row: its braille row is what the display shows.
    list->setCurrentIndex(list->model()->index(list->rowsOfLine(2).first, 0));
    QVERIFY(waitForLine(virtualLine({"5", "16", "12"})));
    // Routing: the editor's caret goes to the character of the cell.
    press("Route 2");
    QTRY_COMPARE(fixture_->form->txtdpbox->textCursor().blockNumber(), 1);
    QTRY_COMPARE(fixture_->form->txtdpbox->textCursor().positionInBlock(), 1);
}

void TestBrlttyDisplay::brailleInputTakesTheBrailleKeys()
{
    fixture_->type(QStringLiteral("あ"));
    useBrltty();
    QVERIFY(waitForLine(virtualLine({"1", "78"})));
    fixture_->action(QStringLiteral("tenjinyuryoku"))->trigger();
    BrailleInputWindow *window = BrailleInputWindow::open();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->editor()->setFocus();
    // The window's empty line, the caret at its start.
    QVERIFY(waitForLine(virtualLine({"78"})));
    press("PassDots 11"); // dots 1, 2 and 4
    QTRY_COMPARE(window->editor()->lines(), QStringList{QStringLiteral("⠋")});
    QVERIFY(waitForLine(virtualLine({"124", "78"})));
    press("PassDots 1");
    QTRY_COMPARE(window->editor()->lines(), QStringList{QStringLiteral("⠋⠁")});
    press("Route 1");
    QTRY_COMPARE(window->editor()->cursorColumn(), 1);
    // Nothing went into the main editor.
    QCOMPARE(fixture_->form->txtdpbox->toPlainText(), QStringLiteral("あ"));
    window->close();
}

void TestBrlttyDisplay::lookUpMarksTheCellOfTheBrailleKeys()
{
    fixture_->type(QStringLiteral("あ"));
    useBrltty();
    QVERIFY(waitForLine(virtualLine({"1", "78"})));
    fixture_->action(QStringLiteral("jikkoug"))->trigger();
    tenkensakuf *window = tenkensakuf::open();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    // Four empty cells, the first to be marked.
    QVERIFY(waitForLine(virtualLine({"78"})));
    press("PassDots 48"); // dots 5 and 6
    QTRY_COMPARE(window->dotFlags().left(12), QStringLiteral("000011000000"));
    // A chord marks the same cell again, as the six keys do until Space
    // (which BRLTTY's virtual driver cannot press alone).
    press("PassDots 1");
    QTRY_COMPARE(window->dotFlags().left(12), QStringLiteral("100000000000"));
    QVERIFY(waitForLine(virtualLine({"178"})));
    window->close();
}

void TestBrlttyDisplay::pageViewGoesLineByLine()
{
    fixture_->translate(QStringLiteral("あい\nう"));
    useBrltty();
    fixture_->action(QStringLiteral("showBraillePages"))->trigger();
    auto *view = fixture_->form->findChild<BraillePageView *>();
    QVERIFY(view);
    view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view));
    // The display starts on the page's first line and goes down line by
    // line to う (dots 1-4), whatever the layout puts above it.
    const QStringList lines = view->pageWidget()->shownLines();
    const qsizetype u = lines.indexOf(QRegularExpression(QStringLiteral("^⠀*⠉⠀*$")));
    QVERIFY(u > 0);
    QVERIFY(waitForLine(virtualBrailleLine(lines[0])));
    for (qsizetype line = 1; line <= u; ++line) {
        press("LnDn");
        QVERIFY(waitForLine(virtualBrailleLine(lines[line])));
    }
    QCOMPARE(lastLine_, virtualBrailleLine(lines[u]));
    press("LnUp");
    QVERIFY(waitForLine(virtualBrailleLine(lines[u - 1])));
    view->close();
}

QTEST_MAIN(TestBrlttyDisplay)
#include "tst_brlttydisplay.moc"
