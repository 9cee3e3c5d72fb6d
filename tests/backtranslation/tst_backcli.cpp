#include "cliinprocess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// mirabo-cli back run as a user runs it: braille in, one kana line per line out.
class TestBackCli : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
    void fileInput();
};

void TestBackCli::run_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");

    QTest::newRow("hiragana, CR LF") << QStringList{"back"} << "⠱⠩⠑\r\n⠼⠁⠤⠁\r\n" << 0 << "さくら\n１あ\n";
    QTest::newRow("katakana, standard input named")
        << QStringList{"back", "--katakana", "-"} << "⠿⠚⠴\n⠦" << 0 << "メロン\n⠦\n";
    QTest::newRow("empty input") << QStringList{"back"} << "" << 0 << "";
    QTest::newRow("unknown option") << QStringList{"back", "--kata"} << "⠁" << 2 << "";
    QTest::newRow("missing file") << QStringList{"back", "/nonexistent/mirabo.txt"} << "" << 1 << "";
    // Checked as the other commands check their input: no binary, no endless device.
    QTest::newRow("binary standard input") << QStringList{"back"} << u"⠁\0\0\0⠃"_s << 1 << "";
    QTest::newRow("device") << QStringList{"back", "/dev/zero"} << "" << 1 << "";
}

void TestBackCli::run()
{
    QFETCH(QStringList, args);
    QFETCH(QString, input);
    QFETCH(int, exitCode);
    QFETCH(QString, output);

    const CliRun run = runCliInProcess(args, input.toUtf8());
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(QString::fromUtf8(run.out), output);
    QCOMPARE(run.err.isEmpty(), exitCode == 0);
}

void TestBackCli::fileInput()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("letter.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("⠤⠁\n⠃⠤").toUtf8());
    file.close();

    const CliRun run = runCliInProcess({QStringLiteral("back"), file.fileName()});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.out), QStringLiteral("「あ\nい」\n"));
}

QTEST_GUILESS_MAIN(TestBackCli)
#include "tst_backcli.moc"
