#include "cliinprocess.h"
#include "kana/morphemeanalyzer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// mirabo-cli kana as a user runs it in a pipeline.
class TestKanaCli : public QObject
{
    Q_OBJECT

private slots:
    void convertsStandardInputLineByLine();
    void userDictionaryAndUnknownWords();
    void badUsageAndMissingFile();
    void pipesIntoBraille();
    void approximateNumberReachesBraille();
    void mecabDictionaryChosenAtRunTime();
    void checkMarksEachReason_data();
    void checkMarksEachReason();
    void checkCountsLinesAndCharacters();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    static Run run(const QStringList &args, const QByteArray &input = QByteArray());
    QTemporaryDir dir_;
};

// A row of kana --check: LINE, COLUMN, WRITTEN, KANA, CANDIDATES, REASONS.
static QStringList rowFor(const QString &out, const QString &written)
{
    for (const QString &row : out.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = row.split(u'\t');
        if (fields.size() == 6 && fields[2] == written)
            return fields;
    }
    return {};
}

TestKanaCli::Run TestKanaCli::run(const QStringList &args, const QByteArray &input)
{
    const CliRun run = runCliInProcess(QStringList{u"kana"_s} + args, input);
    return {run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err)};
}

void TestKanaCli::convertsStandardInputLineByLine()
{
    const Run result = run({}, "東京へ行って、先生に会いました。\n今日は良い天気です。\n");
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, u"とーきょーえ いって、せんせいに あいました。\nきょーわ よい てんきです。\n"_s);
    QCOMPARE(result.err, QString());
}

void TestKanaCli::userDictionaryAndUnknownWords()
{
    const QString dict = dir_.filePath(u"dict.txt"_s);
    QFile file(dict);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("長田\tおさだ\nbroken line\n");
    file.close();
    const Run result = run({u"--dict"_s, dict, u"-"_s}, "長田さんと龘。");
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, u"おさださんと 龘。\n"_s);
    QVERIFY2(result.err.contains(u"2 行目"_s), qPrintable(result.err));
    QVERIFY2(result.err.contains(u"龘"_s), qPrintable(result.err));
}

void TestKanaCli::badUsageAndMissingFile()
{
    QCOMPARE(run({u"--dict"_s}).exitCode, 2);
    QCOMPARE(run({u"--bogus"_s}).exitCode, 2);
    QCOMPARE(run({u"a.txt"_s, u"b.txt"_s}).exitCode, 2);
    // A missing input file, and a missing dictionary named on the command line.
    for (const QStringList &args : {QStringList{dir_.filePath(u"none.txt"_s)},
                                    QStringList{u"--dict"_s, dir_.filePath(u"none.txt"_s), u"-"_s}}) {
        const Run missing = run(args, "本");
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(missing.err.contains(u"none.txt"_s));
        QCOMPARE(missing.out, QString());
    }
}

void TestKanaCli::pipesIntoBraille()
{
    const Run kana = run({}, "本");
    QCOMPARE(kana.out, u"ほん\n"_s);
    // ほ is お (dots 2 4) in the は row (dots 3 6); ん is dots 3 5 6.
    const CliRun braille = runCliInProcess({u"braille"_s, u"-"_s}, kana.out.toUtf8());
    QCOMPARE(braille.exitCode, 0);
    QCOMPARE(QString::fromUtf8(braille.out), u"⠮⠴\n"_s);
}

void TestKanaCli::approximateNumberReachesBraille()
{
    const Run kana = run({}, "五、六人");
    // 5 and 6 each with the numeral sign (dots 3 4 5 6), no 読点, then に ん.
    const CliRun braille = runCliInProcess({u"braille"_s, u"-"_s}, kana.out.toUtf8());
    QCOMPARE(QString::fromUtf8(braille.out), u"⠼⠑⠼⠋⠇⠴\n"_s);
    QCOMPARE(QString::fromUtf8(braille.err), QString());
}

void TestKanaCli::mecabDictionaryChosenAtRunTime()
{
    const QString good = u"/var/lib/mecab/dic/ipadic-utf8"_s;
    // A folder without a dictionary, and the EUC-JP build of the same
    // dictionary (installed with mecab-ipadic-utf8, which is made from it):
    // MeCab opens that one without complaint and reads UTF-8 text as nonsense.
    const QString none = dir_.filePath(u"none"_s);
    const QString euc = u"/var/lib/mecab/dic/ipadic"_s;
    QVERIFY(QFile::exists(euc + u"/sys.dic"_s));

    for (const QString &bad : {none, euc}) {
        const Run named = run({u"--mecab-dir"_s, bad}, "本");
        QCOMPARE(named.exitCode, 1);
        QVERIFY2(named.err.contains(bad), qPrintable(named.err));
    }
    QCOMPARE(run({u"--mecab-dir"_s}).exitCode, 2);

    // The environment variable overrides the built-in folder, and the
    // command line overrides the environment.
    qputenv("MIRABO_MECAB_DICDIR", none.toLocal8Bit());
    const Run fromEnvironment = run({}, "本");
    const Run fromCommandLine = run({u"--mecab-dir"_s, good}, "本");
    qunsetenv("MIRABO_MECAB_DICDIR");
    QCOMPARE(fromEnvironment.exitCode, 1);
    QVERIFY2(fromEnvironment.err.contains(none), qPrintable(fromEnvironment.err));
    QCOMPARE(fromCommandLine.exitCode, 0);
    QCOMPARE(fromCommandLine.out, u"ほん\n"_s);
}


void TestKanaCli::checkMarksEachReason_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("candidate"); // one of the candidates, or none
    QTest::newRow("unknown") << u"まず龘を見る。"_s << u"龘"_s << u"unknown"_s << QString();
    QTest::newRow("homograph") << u"今日は晴れ。"_s << u"今日"_s << u"homograph"_s << u"こんにち"_s;
    QTest::newRow("analysis") << u"外国人参政権の話。"_s << u"人参"_s << u"analysis"_s << QString();
    // The second dictionary (scripts/setup test) reads it おおもじ.
    QTest::newRow("dictionary") << u"大文字を見た。"_s << u"大文字"_s << u"dictionary"_s << u"おおもじ"_s;
    QTest::newRow("a plain word is not marked") << u"山に登る。"_s << u"山"_s << QString() << QString();
}

void TestKanaCli::checkMarksEachReason()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    QFETCH(QString, reason);
    QFETCH(QString, candidate);
    QVERIFY2(!MorphemeAnalyzer::locateSecondDictionaryDir().isEmpty(),
             "the second dictionary is missing: scripts/setup test installs open-jtalk-mecab-naist-jdic");
    const Run result = run({u"--check"_s}, text.toUtf8());
    QCOMPARE(result.exitCode, 0);
    const QStringList row = rowFor(result.out, written);
    if (reason.isEmpty()) {
        QVERIFY2(row.isEmpty(), qPrintable(result.out));
        return;
    }
    QVERIFY2(!row.isEmpty(), qPrintable(result.out));
    QCOMPARE(row[0], u"1"_s);
    QCOMPARE(row[1], QString::number(text.indexOf(written) + 1));
    QVERIFY2(row[5].split(u',').contains(reason), qPrintable(row[5]));
    const QStringList candidates = row[4].isEmpty() ? QStringList() : row[4].split(u'/');
    QVERIFY(!candidates.contains(row[3])); // the reading chosen is no candidate
    if (!candidate.isEmpty())
        QVERIFY2(candidates.contains(candidate), qPrintable(row[4]));
    // The converted text itself is not printed.
    QVERIFY(!result.out.contains(u"。"_s));
}

void TestKanaCli::checkCountsLinesAndCharacters()
{
    // 𠮷 is one character in two UTF-16 units.
    const Run result = run({u"--check"_s, u"-"_s}, "山を見る。\n𠮷と龘が来た\n");
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(rowFor(result.out, u"龘"_s).mid(0, 2), QStringList({u"2"_s, u"3"_s}));
    QCOMPARE(rowFor(result.out, u"𠮷"_s).mid(0, 2), QStringList({u"2"_s, u"1"_s}));
}

QTEST_GUILESS_MAIN(TestKanaCli)
#include "tst_kanacli.moc"
