#include "backtranslation/backtranslation.h"
#include "braillepages/pagesettings.h"
#include "mainwindowfixture.h"
#include "platform/settings.h"

#include <QDirIterator>
#include <QStandardPaths>
#include <QTest>

// Every kind of setting, from every window and library, goes to the one
// settings file.
class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void everySettingEndsInOneFile();
};

void TestSettingsFile::everySettingEndsInOneFile()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir(config).removeRecursively();
    Settings::reopen();
    {
        MainWindowFixture f;
        const QString path = f.path(QStringLiteral("a.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x82\xa0\r\n");
        file.close();
        QVERIFY(f.form->openFile(path));      // recent files, last folder
        f.form->setZoomPercent(130);          // zoom
        QVERIFY(f.form->close());             // place of the window
        PageSettings pages;                   // page layout
        pages.cells = 24;
        pages.save();
        Settings::setKatakanaInput(true);     // 点字入力
    }
    QVERIFY(Settings::save());

    QStringList files;
    QDirIterator it(config, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    QCOMPARE(files, QStringList(Settings::filePath()));
    QSettings written(Settings::filePath(), QSettings::NativeFormat);
    const QStringList groups = written.childGroups();
    for (const char *group : {"files", "mainwindow", "braillePages", "brailleInput"})
        QVERIFY2(groups.contains(QLatin1String(group)), group);
    QCOMPARE(written.value("braillePages/cells").toInt(), 24);
}

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
