#include "platform/settings.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

// The one settings file, and the move of the keys of the older files into it.
class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void bothOldFilesEndInOne();
    void migrationRunsOnce();

private:
    static QStringList configFiles();
};

void TestSettings::init()
{
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).removeRecursively();
    Settings::reopen();
}

QStringList TestSettings::configFiles()
{
    QStringList files;
    QDirIterator it(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

void TestSettings::bothOldFilesEndInOne()
{
    {
        // What the windows wrote through a bare QSettings ...
        QSettings old(Settings::oldFilePath(), QSettings::NativeFormat);
        old.setValue("files/recent", QStringList{"/tmp/a.txt", "/tmp/b.txt"});
        old.setValue("mainwindow/zoom", 150);
        old.setValue("brailleInput/katakana", true);
        old.setValue("braillePages/cells", 40);
        // ... and what the page settings wrote to the file that stays.
        QSettings kept(Settings::filePath(), QSettings::NativeFormat);
        kept.setValue("braillePages/cells", 28);
        kept.setValue("braillePages/lines", 18);
    }
    Settings::reopen();

    QCOMPARE(configFiles(), QStringList({Settings::oldFilePath() + ".migrated", Settings::filePath()}));
    QSettings file(Settings::filePath(), QSettings::NativeFormat);
    QCOMPARE(file.value("files/recent").toStringList(), QStringList({"/tmp/a.txt", "/tmp/b.txt"}));
    QCOMPARE(file.value("mainwindow/zoom").toInt(), 150);
    QCOMPARE(file.value("braillePages/lines").toInt(), 18);
    // A key in both keeps the value of the file that stays.
    QCOMPARE(file.value("braillePages/cells").toInt(), 28);
    QVERIFY(Settings::katakanaInput());
}

void TestSettings::migrationRunsOnce()
{
    {
        QSettings old(Settings::oldFilePath(), QSettings::NativeFormat);
        old.setValue("mainwindow/zoom", 150);
    }
    Settings::reopen();
    Settings::instance().setValue("mainwindow/zoom", 120);
    QVERIFY(Settings::save());
    // The old file is not read again: the value set since stays.
    Settings::reopen();
    QCOMPARE(Settings::instance().value("mainwindow/zoom").toInt(), 120);
    QVERIFY(!QFile::exists(Settings::oldFilePath()));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
