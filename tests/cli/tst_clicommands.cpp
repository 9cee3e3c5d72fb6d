#include "cli/clicommands.h"
#include "cliinprocess.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

// The command table of mirabo-cli, run in-process: help, version, exit
// codes, lost output and what every command tells about its input.
class TestCliCommands : public QObject
{
    Q_OBJECT

private slots:
    void programHelpListsEveryCommand();
    void everyCommandHasItsHelp();
    void version();
    void usageErrorsExitTwo_data();
    void usageErrorsExitTwo();
    void lostOutputExitsOne_data();
    void lostOutputExitsOne();
    void invalidBytesAreReported_data();
    void invalidBytesAreReported();
    void sizeLimitOnlyForTextHeldWhole_data();
    void sizeLimitOnlyForTextHeldWhole();
    void translationTakesInputOverTheLimit();

private:
    static QStringList commandNames()
    {
        QStringList names;
        for (const CliCommand &command : cliCommands())
            names.append(QString::fromUtf16(command.name));
        return names;
    }
};

void TestCliCommands::programHelpListsEveryCommand()
{
    for (const QStringList &args : {QStringList{u"--help"_s}, QStringList{u"-h"_s}, QStringList{u"help"_s}}) {
        const CliRun run = runCliInProcess(args);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        const QString help = QString::fromUtf8(run.out);
        for (const QString &name : commandNames())
            QVERIFY2(help.contains(u"\n  "_s + name + u' '), qPrintable(name));
    }
}

void TestCliCommands::everyCommandHasItsHelp()
{
    for (const QString &name : commandNames()) {
        const CliRun run = runCliInProcess({name, u"--help"_s});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        const QString help = QString::fromUtf8(run.out);
        // The list is what runs without a command word.
        const QString usage = name == u"list" ? u"使い方: mirabo-cli ["_s : u"使い方: mirabo-cli "_s + name + u' ';
        QVERIFY2(help.startsWith(usage), qPrintable(help));
        QVERIFY2(help.contains(u"-h, --help"_s), qPrintable(help));
        // help COMMAND says the same.
        QCOMPARE(runCliInProcess({u"help"_s, name}).out, run.out);
    }
    const CliRun unknown = runCliInProcess({u"help"_s, u"nonsense"_s});
    QCOMPARE(unknown.exitCode, 2);
    QVERIFY(unknown.err.contains("nonsense"));
}

void TestCliCommands::version()
{
    const CliRun run = runCliInProcess({u"--version"_s});
    QCOMPARE(run.exitCode, 0);
    // The project's version as CMake knows it.
    QCOMPARE(run.out, QByteArray("mirabo-cli " MIRABO_PROJECT_VERSION "\n"));
    QCOMPARE(runCliInProcess({u"--version"_s, u"x"_s}).exitCode, 2);
}

void TestCliCommands::usageErrorsExitTwo_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("named"); // what the message must name

    for (const QString &name : commandNames())
        QTest::addRow("%s, unknown option", qPrintable(name)) << QStringList{name, u"--frobnicate"_s} << u"--frobnicate"_s;
    QTest::newRow("braille, two files") << QStringList{u"braille"_s, u"a"_s, u"b"_s} << u"b"_s;
    QTest::newRow("kana, --dict without a value") << QStringList{u"kana"_s, u"--dict"_s} << u"dict"_s;
    QTest::newRow("kana, empty --dict") << QStringList{u"kana"_s, u"--dict="_s} << u"--dict"_s;
    QTest::newRow("back, a switch given a value") << QStringList{u"back"_s, u"--katakana=yes"_s} << u"katakana"_s;
    QTest::newRow("lookup, no sign") << QStringList{u"lookup"_s} << u"点の並び"_s;
    QTest::newRow("lookup, unreadable sign") << QStringList{u"lookup"_s, u"012"_s} << u"012"_s;
    QTest::newRow("check-table, two tables") << QStringList{u"check-table"_s, u"a"_s, u"b"_s} << u"b"_s;
    QTest::newRow("export, lines out of range")
        << QStringList{u"export"_s, u"--format"_s, u"txt"_s, u"--lines"_s, u"41"_s} << u"--lines"_s;
    QTest::newRow("import, standard input") << QStringList{u"import"_s, u"-"_s} << u"import"_s;
}

void TestCliCommands::usageErrorsExitTwo()
{
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    const CliRun run = runCliInProcess(args, "あ\n");
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QByteArray());
    const QString err = QString::fromUtf8(run.err);
    QVERIFY2(err.contains(named), qPrintable(err));
    // The message and then how the command is used.
    QVERIFY2(err.contains(u"\n使い方: mirabo-cli "_s + args.first()) || err.contains(u"\n使い方: mirabo-cli ["_s),
             qPrintable(err));
}

void TestCliCommands::lostOutputExitsOne_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("list") << QStringList{} << "か\n"_qba;
    QTest::newRow("braille") << QStringList{u"braille"_s} << "か\n"_qba;
    QTest::newRow("back") << QStringList{u"back"_s} << "⠁\n"_qba;
    QTest::newRow("export") << QStringList{u"export"_s, u"--format"_s, u"brf"_s} << "か\n"_qba;
    // Their output is small enough to wait in the stream's buffer until the end.
    QTest::newRow("lookup") << QStringList{u"lookup"_s, u"⠁"_s} << QByteArray();
    QTest::newRow("check-table") << QStringList{u"check-table"_s} << QByteArray();
    QTest::newRow("help") << QStringList{u"--help"_s} << QByteArray();
    QTest::newRow("version") << QStringList{u"--version"_s} << QByteArray();
}

void TestCliCommands::lostOutputExitsOne()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    std::FILE *full = std::fopen("/dev/full", "w");
    QVERIFY(full);
    const CliRun run = runCliInProcess(args, input, full);
    std::fclose(full);
    QCOMPARE(run.exitCode, 1);
    const QString err = QString::fromUtf8(run.err);
    QVERIFY2(err.startsWith(u"mirabo-cli: 出力を書き込めませんでした"_s), qPrintable(err));
    QCOMPARE(err.count(u"出力を書き込めませんでした"_s), 1);
}

void TestCliCommands::invalidBytesAreReported_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("invalid");
    // A stray byte on line 2 of UTF-8 text, and one of cp932 text.
    const QByteArray utf8 = "⠁\n⠃\xff⠉\n"_qba;
    const QByteArray cp932 = "\x82\xa9\r\n\x82\xa9\x82\r\n"_qba;
    QTest::newRow("kana, utf-8") << QStringList{u"kana"_s} << utf8 << true;
    QTest::newRow("kana, cp932") << QStringList{u"kana"_s} << cp932 << true;
    QTest::newRow("back, utf-8") << QStringList{u"back"_s} << utf8 << true;
    QTest::newRow("back, cp932") << QStringList{u"back"_s} << cp932 << true;
    QTest::newRow("export, utf-8") << QStringList{u"export"_s, u"--format"_s, u"txt"_s} << utf8 << true;
    QTest::newRow("export, cp932") << QStringList{u"export"_s, u"--format"_s, u"txt"_s} << cp932 << true;
    QTest::newRow("good text is not reported") << QStringList{u"back"_s} << "⠁\n⠃\n"_qba << false;
}

void TestCliCommands::invalidBytesAreReported()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(bool, invalid);
    const CliRun run = runCliInProcess(args, input);
    QCOMPARE(run.exitCode, 0);
    // Told in the words the translation uses for the same input.
    const CliRun translation = runCliInProcess({u"braille"_s}, input);
    const QString notice = QString::fromUtf8(translation.err).section(u'\n', 0, 0);
    QCOMPARE(notice.contains(QChar(0xFFFD)), invalid);
    const QString err = QString::fromUtf8(run.err);
    if (invalid) {
        QVERIFY2(notice.contains(u"2行目"_s), qPrintable(notice));
        QVERIFY2(err.contains(notice + u'\n'), qPrintable(err));
    } else {
        QVERIFY2(!err.contains(QChar(0xFFFD)), qPrintable(err));
    }
}

void TestCliCommands::sizeLimitOnlyForTextHeldWhole_data()
{
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("streamed");
    QTest::addColumn<bool>("refused");
    constexpr int limit = 1024 * 1024;
    for (const bool fromFile : {false, true}) {
        const char *from = fromFile ? "file" : "standard input";
        QTest::addRow("%s: held whole, one byte over", from) << fromFile << limit + 1 << false << true;
        QTest::addRow("%s: held whole, at the limit", from) << fromFile << limit << false << false;
        QTest::addRow("%s: streamed, one byte over", from) << fromFile << limit + 1 << true << false;
    }
}

// The limit is a seam here, 1 MB, so that the input stays small.
void TestCliCommands::sizeLimitOnlyForTextHeldWhole()
{
    QFETCH(bool, fromFile);
    QFETCH(int, size);
    QFETCH(bool, streamed);
    QFETCH(bool, refused);
    QByteArray bytes(size, 'a');
    QTemporaryDir dir;
    const QString path = dir.filePath(u"in.txt"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == size);
    file.close();
    std::FILE *pipe = fmemopen(bytes.data(), std::size_t(size), "r");
    QVERIFY(pipe);
    QString error;
    const auto opened = openInput(fromFile ? path : u"-"_s, pipe, error,
                                  streamed ? InputSize::Streamed : InputSize::HeldWhole, 1024 * 1024);
    // Streamed standard input is read from the stream itself, as it comes.
    const qsizetype read = error.isEmpty() ? opened->readAll().size() : -1;
    std::fclose(pipe);
    QCOMPARE(!error.isEmpty(), refused);
    if (refused) {
        // Which limit and why.
        QVERIFY2(error.contains(u"1 MB"_s) && error.contains(u"メモリー"_s), qPrintable(error));
    } else {
        QCOMPARE(read, size);
    }
}

// A file just over the real limit, sparse so that it costs no disk: the
// translation, the back-translation and the export read it as it comes
// (and find no text in its zeros) rather than refusing it for its size.
void TestCliCommands::translationTakesInputOverTheLimit()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"large.txt"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(kMaxTextFileBytes + 1));
    file.close();
    const QString limit = u"%1 MB"_s.arg(kMaxTextFileBytes / (1024 * 1024));
    for (const QStringList &command : {QStringList{u"braille"_s}, QStringList{u"back"_s},
                                       QStringList{u"export"_s, u"--format"_s, u"txt"_s}}) {
        const CliRun run = runCliInProcess(command + QStringList{path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(!run.err.contains(limit.toUtf8()) && run.err.contains("テキストファイルではない"),
                 run.err.constData());
    }
}

QTEST_GUILESS_MAIN(TestCliCommands)
#include "tst_clicommands.moc"
