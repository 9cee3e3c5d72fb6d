#include "app/frmsplash1.h"
#include "app/qttranslations.h"
#include "fakeuserdialogs.h"
#include "mainwindow/form1.h"
#include "platform/gui/twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestSplash : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dialogs = new FakeUserDialogs; }
    void cleanup() { delete m_dialogs; }

    void splashWindow();
    void timerShowsTheMainWindow();
    void closingEarlyEndsTheProgram();
    void fileOfTheCommandLineIsOpened();
    void qtSpeaksJapanese();

private:
    FakeUserDialogs *m_dialogs = nullptr;
};

void TestSplash::splashWindow()
{
    frmSplash1 splash;
    QVERIFY(splash.windowTitle().isEmpty());
    QCOMPARE(splash.size(), Twips::toPixels(QSize(5295, 5310), &splash));
    QCOMPARE(splash.minimumSize(), splash.maximumSize());
    QVERIFY(!(splash.windowFlags() & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(splash.Picture1->pixmap().size(), QSize(350, 350));
    QCOMPARE(splash.Picture1->geometry(), Twips::toPixels(QRect(0, 0, 5295, 5295), &splash));
    QVERIFY(splash.Timer1->isActive());
    QCOMPARE(splash.Timer1->interval(), 3000);
    QVERIFY(!splash.mainWindow());
}

void TestSplash::timerShowsTheMainWindow()
{
    frmSplash1 splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    splash.Timer1_Timer();
    Form1 *form = splash.mainWindow();
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QCOMPARE(form->caption(), QStringLiteral("Mirabo  Ver2.1      "));
    QCOMPARE(form->font().pointSizeF(), 16.0);
    QVERIFY(!form->document().codeTable().CodePatterns[19].isEmpty());
    QVERIFY(!splash.isVisible());
    QVERIFY(!splash.Timer1->isActive());
    QCOMPARE(m_dialogs->shown.size(), 0);
}

void TestSplash::closingEarlyEndsTheProgram()
{
    frmSplash1 splash;
    splash.show();
    QTimer::singleShot(0, &splash, &QWidget::close);
    // Should the program not end, the test ends the loop with another status.
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(7); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!splash.mainWindow());
    QVERIFY(!splash.Timer1->isActive());
}

void TestSplash::fileOfTheCommandLineIsOpened()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("given.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\x82\xa0\r\n"); // あ in cp932
    file.close();
    frmSplash1 splash;
    splash.setFileToOpen(path);
    splash.Timer1_Timer();
    QCOMPARE(splash.mainWindow()->txtdpbox->toPlainText(), QStringLiteral("あ\n"));
    QCOMPARE(splash.mainWindow()->caption(), path);
    QVERIFY(m_dialogs->shown.isEmpty());
}

void TestSplash::qtSpeaksJapanese()
{
    QVERIFY(installQtJapaneseTranslations(*qApp));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QVERIFY2(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")),
             qPrintable(box.button(QMessageBox::Yes)->text()));
    QVERIFY(box.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));
    QVERIFY(box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("キャンセル")));
}

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
