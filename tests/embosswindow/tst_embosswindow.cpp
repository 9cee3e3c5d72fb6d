#include "braillefiles/braillefiles.h"
#include "embosswindow/embosscommand.h"
#include "embosswindow/embossdialog.h"
#include "fakeuserdialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <cstdlib>

namespace {

BraillePages threePages()
{
    BraillePages document;
    document.title = QStringLiteral("試験");
    document.pages = {{QStringLiteral("⠁⠃")}, {QStringLiteral("⠉")}, {QStringLiteral("⠋⠊")}};
    return document;
}

QList<Embossing::Queue> queues()
{
    Embossing::Queue office{QStringLiteral("office"), QStringLiteral("事務室"), QString(), QString(), true, true};
    Embossing::Queue embosser{QStringLiteral("embosser"), QStringLiteral("点字プリンタ"), QStringLiteral("2階"),
                              QStringLiteral("Generic Braille embosser"), false, true};
    return {office, embosser};
}

} // namespace

// 点字印刷 of the windows: the dialog's choices, and the BRF file offered
// where there is no CUPS server.
class TestEmbossWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dialogChoosesTheQueue_data();
    void dialogChoosesTheQueue();
    void dialogGivesThePagesTyped();
    void withoutServerTheBrfFileIsOffered_data();
    void withoutServerTheBrfFileIsOffered();

private:
    QTemporaryDir m_dir;
};

void TestEmbossWindow::initTestCase()
{
    // A socket nobody listens on: no CUPS server.
    QVERIFY(m_dir.isValid());
    qputenv("CUPS_SERVER", m_dir.filePath(QStringLiteral("none.sock")).toUtf8());
}

void TestEmbossWindow::dialogChoosesTheQueue_data()
{
    QTest::addColumn<QString>("preferred");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("the one used last") << QStringLiteral("embosser") << QStringLiteral("embosser");
    QTest::newRow("else the default") << QString() << QStringLiteral("office");
    QTest::newRow("one used last that is gone") << QStringLiteral("removed") << QStringLiteral("office");
}

void TestEmbossWindow::dialogChoosesTheQueue()
{
    QFETCH(QString, preferred);
    QFETCH(QString, chosen);
    EmbossDialog dialog(queues(), 3, false, preferred);
    QCOMPARE(dialog.queue(), chosen);
    QCOMPARE(dialog.pages(), PageRange());
    QCOMPARE(dialog.copies(), 1);
    QVERIFY(!dialog.twoSided());
}

void TestEmbossWindow::dialogGivesThePagesTyped()
{
    EmbossDialog dialog(queues(), 12, true, QString());
    QVERIFY(dialog.twoSided());
    auto *first = dialog.findChild<QSpinBox *>(QStringLiteral("firstPage"));
    auto *last = dialog.findChild<QSpinBox *>(QStringLiteral("lastPage"));
    QCOMPARE(last->maximum(), 12);
    // Typing a page chooses the range; a first page past the last moves it.
    last->setValue(5);
    first->setValue(8);
    QCOMPARE(dialog.pages(), (PageRange{8, 8}));
    first->setValue(3);
    last->setValue(6);
    QCOMPARE(dialog.pages(), (PageRange{3, 6}));
    dialog.findChild<QSpinBox *>(QStringLiteral("copies"))->setValue(4);
    QCOMPARE(dialog.copies(), 4);
}

void TestEmbossWindow::withoutServerTheBrfFileIsOffered_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("saved") << true;
    QTest::newRow("declined") << false;
}

void TestEmbossWindow::withoutServerTheBrfFileIsOffered()
{
    QFETCH(bool, accept);
    FakeUserDialogs dialogs;
    dialogs.answers = {accept ? UserDialogs::Answer::Yes : UserDialogs::Answer::No};
    const QString path = m_dir.filePath(QStringLiteral("offered.brf"));
    QFile::remove(path);
    dialogs.savePaths = {path};
    QWidget window;
    bool dialogShown = false;
    EmbossCommand command(&window, [] { return std::optional(EmbossCommand::Pages{threePages(), false}); });
    command.setDialogRunner([&](EmbossDialog &) { return dialogShown = true; });
    command.emboss();

    QVERIFY(!dialogShown);
    QCOMPARE(dialogs.shown.first().kind, QStringLiteral("yesno"));
    QVERIFY2(dialogs.shown.first().text.contains(QStringLiteral("CUPS")), qPrintable(dialogs.shown.first().text));
    QVERIFY(dialogs.shown.first().text.contains(QStringLiteral("BRF")));
    QFile saved(path);
    QCOMPARE(saved.exists(), accept);
    if (accept) {
        QVERIFY(saved.open(QIODevice::ReadOnly));
        // The pages of the document, as a BRF export has them.
        QCOMPARE(saved.readAll(), QByteArray("AB\r\n\fC\r\n\fFI\r\n\f"));
    }
}

QTEST_MAIN(TestEmbossWindow)
#include "tst_embosswindow.moc"
