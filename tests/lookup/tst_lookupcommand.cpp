#include "cliinprocess.h"

#include <QTest>

// mirabo-cli lookup, run in-process.
class TestLookupCommand : public QObject
{
    Q_OBJECT

private slots:
    void printsMeanings_data();
    void printsMeanings();
    void unknownSignPrintsNothing_data();
    void unknownSignPrintsNothing();
    void malformedSignIsReported_data();
    void malformedSignIsReported();

private:
    static CliRun lookup(const QStringList &args)
    {
        return runCliInProcess(QStringList{QStringLiteral("lookup")} + args);
    }
};

void TestLookupCommand::printsMeanings_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("output");

    QTest::newRow("three labels") << "100000000000000000000000"
                                  << "あ\t30\na(A)\t30\n1\t30\n";
    QTest::newRow("two labels") << "100001000000000000000000" << u"か\t30\n乗号(×)\t18\n"_qs;
    QTest::newRow("spaces kept") << "001000000000000000000000"
                                 << u"わ\t30\n位取り点\t17\nｱﾎﾟｽﾄﾛ ﾌｨ  (')   \t17\n"_qs;
    QTest::newRow("double quote") << "001011000000000000000000"
                                  << u"ん\t30\nｸｫｰﾃｰｼｮﾝ ﾏｰｸ閉じ(\")\t15\n外国語引用符 閉じ\t16\n"_qs;
    QTest::newRow("braille, one cell") << u"⠁"_qs << "あ\t30\na(A)\t30\n1\t30\n";
    QTest::newRow("braille, two cells") << u"⠢⠋"_qs << u"うぇ\t30\n"_qs;
}

void TestLookupCommand::printsMeanings()
{
    QFETCH(QString, sign);
    QFETCH(QString, output);
    const CliRun run = lookup({sign});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.out), output);
    QCOMPARE(run.err, QByteArray());
}

void TestLookupCommand::unknownSignPrintsNothing_data()
{
    QTest::addColumn<QString>("sign");
    QTest::newRow("no dot") << "000000000000000000000000";
    QTest::newRow("か in cell 2") << "000000100001000000000000";
    QTest::newRow("blank braille then か") << u"⠀⠡"_qs;
}

void TestLookupCommand::unknownSignPrintsNothing()
{
    QFETCH(QString, sign);
    const CliRun run = lookup({sign});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.err, QByteArray());
}

void TestLookupCommand::malformedSignIsReported_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no sign") << QStringList();
    QTest::newRow("two signs") << QStringList{u"⠁"_qs, u"⠃"_qs};
    QTest::newRow("23 digits") << QStringList{"10000000000000000000000"};
    QTest::newRow("eight-dot braille") << QStringList{u"⣿"_qs};
    QTest::newRow("kana") << QStringList{u"あ"_qs};
}

void TestLookupCommand::malformedSignIsReported()
{
    QFETCH(QStringList, args);
    const CliRun run = lookup(args);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QByteArray());
    QVERIFY(!run.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestLookupCommand)
#include "tst_lookupcommand.moc"
