#include "kana/kanalexicon.h"
#include "kana/userdictionary.h"
#include "usermessages/usermessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What the user reads after a save; empty when it went well.
QString saveMessage(const QString &path, const QList<UserDictionaryEntry> &entries,
                    const QList<UserDictionaryEntry> &readBefore = {})
{
    return UserMessages::kanaMessage(UserDictionary::save(path, entries, readBefore));
}

} // namespace

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
    void readings_data();
    void readings();
    void savesFromTwoWindowsKeepBothSides();
    void codePage932FileIsReadAndKept();
    void entriesFoundInALine_data();
    void entriesFoundInALine();

private:
    QByteArray bytesOf(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool write(const QString &path, const QByteArray &bytes) const
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
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
    QCOMPARE(saveMessage(path, entries), QString());
    const UserDictionaryLoad load = UserDictionary::load(path);
    QCOMPARE(load.entries, entries);
    QVERIFY(load.problems.isEmpty());
    QVERIFY(load.error.ok());
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
    const QString got = UserMessages::userDictionaryProblems(load.problems).join(u'\n');
    QCOMPARE(load.problems.size(), 5);
    const QList<int> lines = {3, 5, 6, 7, 8};
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QCOMPARE(load.problems[i].line, lines[i]);
        QVERIFY2(load.problems[i].issue == UserDictionaryIssue::NotAnEntry || i == 4, qPrintable(got));
    }
    // The second 長田 names the line of the first.
    QCOMPARE(load.problems.last().issue, UserDictionaryIssue::Repeated);
    QCOMPARE(load.problems.last().written, u"長田"_s);
    QCOMPARE(load.problems.last().firstLine, 2);
}

void TestUserDictionary::missingFileIsAnEmptyDictionary()
{
    const UserDictionaryLoad load = UserDictionary::load(dir_.filePath(u"none.txt"_s));
    QVERIFY(load.entries.isEmpty());
    QVERIFY(load.error.ok());
}

void TestUserDictionary::failedSaveKeepsTheOldFile()
{
    const QString path = dir_.filePath(u"kept.txt"_s);
    QCOMPARE(saveMessage(path, {{u"長田"_s, u"おさだ"_s}}), QString());
    // A folder in the place of the file's folder makes the save fail.
    const QString blocked = dir_.filePath(u"kept.txt/inner.txt"_s);
    QCOMPARE(UserDictionary::save(blocked, {{u"森"_s, u"もり"_s}}).error, KanaError::UserDictionaryNotSaved);
    QCOMPARE(UserDictionary::load(path).entries.size(), 1);
}

void TestUserDictionary::defaultPathIsInTheDataDirectory()
{
    QCoreApplication::setApplicationName(u"mirabo"_s);
    QVERIFY(UserDictionary::defaultPath().endsWith(u"/mirabo/kana-dictionary.txt"_s));
}

// A reading is braille kana: what the conversion puts in the text as it
// stands. A line whose reading is not is reported and not used.
void TestUserDictionary::readings_data()
{
    QTest::addColumn<QString>("reading");
    QTest::addColumn<bool>("kana");
    QTest::newRow("hiragana") << u"おさだ"_s << true;
    QTest::newRow("katakana, long-vowel mark") << u"エーアイ"_s << true;
    QTest::newRow("words with a blank") << u"こくれん あんぽり"_s << true;
    QTest::newRow("digits") << u"３じ"_s << true;
    QTest::newRow("kanji") << u"長だ"_s << false;
    QTest::newRow("Latin letters") << u"osada"_s << false;
    QTest::newRow("a sign") << u"おさだ！"_s << false;
    QTest::newRow("blanks only") << u"　"_s << false;
}

void TestUserDictionary::readings()
{
    QFETCH(QString, reading);
    QFETCH(bool, kana);
    QCOMPARE(UserDictionary::isBrailleKana(reading), kana);
    const UserDictionaryLoad load = UserDictionary::parse(u"語\t"_s + reading + u'\n');
    QCOMPARE(load.entries.size(), kana ? 1 : 0);
    QCOMPARE(load.problems.size(), kana ? 0 : 1);
    // A reading of blanks alone is no entry at all; the others name the reading.
    if (!kana && !reading.trimmed().isEmpty()) {
        QCOMPARE(load.problems.first().issue, UserDictionaryIssue::NotKana);
        QCOMPARE(load.problems.first().kana, reading);
    }
}

// Two windows read the file; each saves its own changes. Neither loses the
// other's, and the user's comments stay where they were.
void TestUserDictionary::savesFromTwoWindowsKeepBothSides()
{
    const QString path = dir_.filePath(u"shared.txt"_s);
    QVERIFY(write(path, u"# 人名\n長田\tおさだ\n森\tもり\n# 地名\n"_s.toUtf8()));
    const QList<UserDictionaryEntry> read = UserDictionary::load(path).entries;
    QCOMPARE(saveMessage(path, read + QList<UserDictionaryEntry>{{u"林"_s, u"はやし"_s}}, read), QString());
    QCOMPARE(saveMessage(path, {{u"長田"_s, u"ながた"_s}, {u"金田"_s, u"かねだ"_s}}, read), QString());
    QCOMPARE(QString::fromUtf8(bytesOf(path)), u"# 人名\n長田\tながた\n# 地名\n林\tはやし\n金田\tかねだ\n"_s);
}

// A dictionary written in code page 932 (CR LF, as Windows editors write)
// is read, and saved back in it.
void TestUserDictionary::codePage932FileIsReadAndKept()
{
    const QString path = dir_.filePath(u"sjis.txt"_s);
    QVERIFY(write(path, QByteArray("# \x83\x81\x83\x82\r\n\x92\xb7\x93\x63\t\x82\xa8\x82\xb3\x82\xbe\r\n")));
    const UserDictionaryLoad load = UserDictionary::load(path);
    QCOMPARE(load.entries, QList<UserDictionaryEntry>({{u"長田"_s, u"おさだ"_s}}));
    QCOMPARE(saveMessage(path, load.entries + QList<UserDictionaryEntry>{{u"森"_s, u"もり"_s}}, load.entries),
             QString());
    QCOMPARE(bytesOf(path), QByteArray("# \x83\x81\x83\x82\r\n\x92\xb7\x93\x63\t\x82\xa8\x82\xb3\x82\xbe\r\n"
                                       "\x90\x58\t\x82\xe0\x82\xe8\r\n"));
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
    const QString message = UserMessages::kanaMessage(load.error);
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY(load.entries.isEmpty());
}

void TestUserDictionary::entriesFoundInALine_data()
{
    QTest::addColumn<QStringList>("written"); // the entries, in the file's order; each reads its index
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("found"); // start:length:reading of each word found

    const QStringList names = {u"長田"_s, u"長田町"_s, u"田町"_s, u"町"_s};
    QTest::newRow("the longest at a place") << names << u"長田町に住む"_s << QStringList{u"0:3:2"_s};
    QTest::newRow("leftmost first, none overlapping")
        << names << u"田町と長田と町"_s << QStringList{u"0:2:3"_s, u"3:2:1"_s, u"6:1:4"_s};
    QTest::newRow("an entry longer than what is left") << names << u"長"_s << QStringList();
    QTest::newRow("nothing of the line") << names << u"山川"_s << QStringList();
    QTest::newRow("the first of two entries of one word")
        << QStringList{u"森"_s, u"森"_s} << u"森へ"_s << QStringList{u"0:1:1"_s};
    QTest::newRow("outside the basic plane")
        << QStringList{u"𠮷野"_s, u"𠮷"_s} << u"𠮷と𠮷野"_s << QStringList{u"0:2:2"_s, u"3:3:1"_s};
}

// Every place of the line is looked at once, whatever the number of entries
// that share its first character.
void TestUserDictionary::entriesFoundInALine()
{
    QFETCH(QStringList, written);
    QFETCH(QString, line);
    QFETCH(QStringList, found);
    QList<UserDictionaryEntry> entries;
    for (qsizetype i = 0; i < written.size(); ++i)
        entries.append({written[i], QString::number(i + 1)});
    // Many more entries with the same first characters must not change what is found.
    for (int i = 0; i < 2000; ++i)
        entries.append({written.first().front() + QString::number(i), u"ほか"_s});
    KanaLexicon lexicon;
    lexicon.setEntries(entries);
    QStringList words;
    for (const FixedWord &word : lexicon.wordsIn(line))
        words.append(u"%1:%2:%3"_s.arg(word.start).arg(word.length).arg(word.kana));
    QCOMPARE(words, found);
}

QTEST_GUILESS_MAIN(TestUserDictionary)
#include "tst_userdictionary.moc"
