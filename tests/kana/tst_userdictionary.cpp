#include "kana/userdictionary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestUserDictionary : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void malformedLinesAreReportedAndTheRestLoads();
    void missingFileIsAnEmptyDictionary();
    void failedSaveKeepsTheOldFile();
    void refusesFilesThatAreNoDictionary_data();
    void refusesFilesThatAreNoDictionary();
    void defaultPathIsInTheDataDirectory();

private:
    QTemporaryDir dir_;
};

void TestUserDictionary::roundTrip()
{
    const QList<UserDictionaryEntry> entries = {
        {u"長田"_s, u"おさだ"_s},
        {u"国連安保理"_s, u"こくれん あんぽり"_s},
        {u"ＡＩ"_s, u"エーアイ"_s},
        {u"#タグ"_s, u"シャープ タグ"_s}}; // a written form that starts like a comment
    const QString path = dir_.filePath(u"sub/dict.txt"_s);
    QCOMPARE(UserDictionary::save(path, entries), QString());
    const UserDictionaryLoad load = UserDictionary::load(path);
    QCOMPARE(load.entries, entries);
    QVERIFY(load.problems.isEmpty());
    QVERIFY(load.error.isEmpty());
}

void TestUserDictionary::malformedLinesAreReportedAndTheRestLoads()
{
    const UserDictionaryLoad load = UserDictionary::parse(u"# comment\r\n"
                                                          "長田\tおさだ\r\n"
                                                          "no tab here\n"
                                                          "\n"
                                                          "\tかな\n"
                                                          "表記\t\n"
                                                          "a\tb\tc\n"
                                                          "長田\tながた\n"
                                                          " 金田 \t かねだ \n"_s);
    QCOMPARE(load.entries, QList<UserDictionaryEntry>({{u"長田"_s, u"おさだ"_s}, {u"金田"_s, u"かねだ"_s}}));
    QCOMPARE(load.problems.size(), 5);
    const QStringList lines = {u"3 行目"_s, u"5 行目"_s, u"6 行目"_s, u"7 行目"_s, u"8 行目"_s};
    for (qsizetype i = 0; i < lines.size(); ++i)
        QVERIFY2(load.problems[i].startsWith(lines[i]), qPrintable(load.problems[i]));
    QVERIFY(load.problems.last().contains(u"2 行目"_s));
}

void TestUserDictionary::missingFileIsAnEmptyDictionary()
{
    const UserDictionaryLoad load = UserDictionary::load(dir_.filePath(u"none.txt"_s));
    QVERIFY(load.entries.isEmpty());
    QVERIFY(load.error.isEmpty());
}

void TestUserDictionary::failedSaveKeepsTheOldFile()
{
    const QString path = dir_.filePath(u"kept.txt"_s);
    QCOMPARE(UserDictionary::save(path, {{u"長田"_s, u"おさだ"_s}}), QString());
    // A folder in the place of the file's folder makes the save fail.
    const QString blocked = dir_.filePath(u"kept.txt/inner.txt"_s);
    QVERIFY(!UserDictionary::save(blocked, {{u"森"_s, u"もり"_s}}).isEmpty());
    QCOMPARE(UserDictionary::load(path).entries.size(), 1);
}

void TestUserDictionary::defaultPathIsInTheDataDirectory()
{
    QCoreApplication::setApplicationName(u"mirabo"_s);
    QVERIFY(UserDictionary::defaultPath().endsWith(u"/mirabo/kana-dictionary.txt"_s));
}

void TestUserDictionary::refusesFilesThatAreNoDictionary_data()
{
    QTest::addColumn<QString>("name"); // "/..." as it is, else made in the test's folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("a device") << u"/dev/null"_s << u"通常のファイル"_s;
    QTest::newRow("a folder") << u"folder"_s << u"通常のファイル"_s;
    QTest::newRow("too large") << u"large.txt"_s << u"16 MB"_s;
}

void TestUserDictionary::refusesFilesThatAreNoDictionary()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QString path = name.startsWith(u'/') ? name : dir_.filePath(name);
    if (name == u"folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (name == u"large.txt") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("長田\tおさだ\n");
        QVERIFY(file.resize(UserDictionary::kMaxFileBytes + 1)); // sparse: costs no disk
    }
    const UserDictionaryLoad load = UserDictionary::load(path);
    QVERIFY2(load.error.contains(reason), qPrintable(load.error));
    QVERIFY(load.entries.isEmpty());
}

QTEST_GUILESS_MAIN(TestUserDictionary)
#include "tst_userdictionary.moc"
