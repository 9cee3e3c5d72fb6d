#include "cliinprocess.h"
#include "engine/translation.h"
#include "tables/codetableloader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// mirabo-cli's translation: text in, the list's entries out. The commands
// run in-process; the program itself runs where its process matters: input
// through a pipe in pieces, exit codes, a full disk at its last close.
class TestTranslateCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void standardInput_data();
    void standardInput();
    void fileInput_data();
    void fileInput();
    void emptyInputPrintsNothing();
    void longLineGetsTheWarning();
    void ownTable();
    void failures_data();
    void failures();
    void badUsage_data();
    void badUsage();
    void help();
    void standardInputInPieces_data();
    void standardInputInPieces();
    void garbageBytesDoNotCrash();
    void badBytesAreNamedByLine();
    void lostOutputExitsOne();
    void checkTable_data();
    void checkTable();
    void tableProblemsGoToStandardError();
    void englishGrade_data();
    void englishGrade();
    void longLinesAsWhole();

private:
    static CliRun run(const QStringList &args, const QByteArray &input = QByteArray())
    {
        return runCliInProcess(args, input);
    }
    QString writeFile(const QString &name, const QByteArray &bytes);
    static QByteArray rows(const QString &text, int textColumns, const QString &braille, int brailleColumns);

    QTemporaryDir dir_;
};

namespace {

// The number of key and braille pairs in the installed table: one a line.
int installedTableRows()
{
    QFile file(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return int(file.readAll().trimmed().count("\r\n") + 1);
}

} // namespace

QString TestTranslateCli::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = dir_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(bytes);
    return path;
}

// A text row and a braille row, each filled to 30 columns with "　".
QByteArray TestTranslateCli::rows(const QString &text, int textColumns, const QString &braille,
                                  int brailleColumns)
{
    const QString out = text + QString(30 - textColumns, QChar(u'　')) + u'\n' + braille +
                        QString(30 - brailleColumns, QChar(u'　')) + u'\n';
    return out.toUtf8();
}

void TestTranslateCli::initTestCase()
{
    QVERIFY(dir_.isValid());
    QVERIFY(QFile::exists(QStringLiteral(MIRABO_CLI)));
}

void TestTranslateCli::standardInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");

    // きゃ | numeral sign 1 | 2 | 3 + connector | あ | the blank cell that
    // moved into the line when きゃ was joined.
    const QByteArray kyaNumber = rows(QStringLiteral("きゃ　１２３　あ"), 5, QStringLiteral("⠈⠡⠼⠁⠃⠉⠤⠁⠀"), 6);
    const QByteArray ka = rows(QStringLiteral("か"), 1, QStringLiteral("⠡"), 1);
    const QByteArray i = rows(QStringLiteral("い"), 1, QStringLiteral("⠃"), 1);
    const QByteArray empty = rows(QString(), 0, QString(), 0);

    QTest::newRow("no argument") << QStringList{} << "きゃ１２３あ\n"_qba << kyaNumber;
    QTest::newRow("dash") << QStringList{"-"} << "きゃ１２３あ\n"_qba << kyaNumber;
    QTest::newRow("without final line end") << QStringList{} << "きゃ１２３あ"_qba << kyaNumber;
    QTest::newRow("LF") << QStringList{} << "か\nい\n"_qba << ka + i;
    QTest::newRow("CR") << QStringList{} << "か\rい\r"_qba << ka + i;
    QTest::newRow("CR LF") << QStringList{} << "か\r\nい\r\n"_qba << ka + i;
    QTest::newRow("blank line kept") << QStringList{} << "か\n\nい"_qba << ka + empty + i;
    QTest::newRow("cp932") << QStringList{} << "\x82\xa9\r\n\x82\xa2"_qba << ka + i;
}

void TestTranslateCli::standardInput()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    const CliRun r = run(args, input);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out), QString::fromUtf8(expected));
    QCOMPARE(r.err, QByteArray());
}

void TestTranslateCli::fileInput_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("UTF-8") << "１ア\nがか\n"_qba;
    QTest::newRow("UTF-8 with byte-order mark") << "\xef\xbb\xbf１ア\r\nがか"_qba;
    QTest::newRow("cp932 CR LF") << "\x82\x50\x83\x41\r\n\x82\xaa\x82\xa9\r\n"_qba;
    QTest::newRow("cp932 CR") << "\x82\x50\x83\x41\r\x82\xaa\x82\xa9"_qba;
    QTest::newRow("UTF-16 LE") << QByteArray::fromHex("fffe 11ff a230 0a00 4c30 4b30");
    QTest::newRow("UTF-16 BE") << QByteArray::fromHex("feff ff11 30a2 000d 000a 304c 304b");
}

void TestTranslateCli::fileInput()
{
    QFETCH(QByteArray, bytes);
    const QString path = writeFile(QStringLiteral("input.txt"), bytes);
    const CliRun r = run({path});
    QCOMPARE(r.exitCode, 0);
    const QByteArray expected = rows(QStringLiteral("　１　ア"), 2, QStringLiteral("⠼⠁⠤⠁"), 2) +
                                rows(QStringLiteral("が　か"), 2, QStringLiteral("⠐⠡⠡"), 2);
    QCOMPARE(QString::fromUtf8(r.out), QString::fromUtf8(expected));
}

void TestTranslateCli::emptyInputPrintsNothing()
{
    const CliRun r = run({}, QByteArray());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray());
}

void TestTranslateCli::longLineGetsTheWarning()
{
    const QString line = QString(31, QChar(u'か'));
    const CliRun r = run({}, line.toUtf8());
    QCOMPARE(r.exitCode, 0);
    const QStringList entries = QString::fromUtf8(r.out).split(u'\n');
    QCOMPARE(entries.size(), 4); // three entries and what follows the last line end
    QCOMPARE(entries[0], QStringLiteral("１行の文字数が30文字を越えています。"));
    QCOMPARE(entries[1], QString(30, QChar(u'か')));
    QCOMPARE(entries[2], QString(30, QChar(u'⠡')));
}

void TestTranslateCli::ownTable()
{
    // Row 19 (あ) and row 29 (か) only; the rest of the table is empty.
    QByteArray table;
    for (int row = 1; row <= 171; ++row) {
        if (row == 19)
            table += "あ,A\r\n";
        else if (row == 29)
            table += "か,K\r\n";
        else
            table += "\"\",\"\"\r\n";
    }
    const QString path = writeFile(QStringLiteral("table.txt"), table);
    const CliRun r = run({QStringLiteral("--table"), path}, "かあ\n");
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out),
             QString::fromUtf8(rows(QStringLiteral("かあ"), 2, QStringLiteral("KA"), 2)));

    const CliRun equals = run({QStringLiteral("--table=") + path}, "かあ\n");
    QCOMPARE(equals.out, r.out);
}

void TestTranslateCli::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("missing file") << QStringList{dir_.filePath(QStringLiteral("no-such-file.txt"))};
    QTest::newRow("directory as file") << QStringList{dir_.path()};
    QTest::newRow("missing table") << QStringList{"--table",
                                                  dir_.filePath(QStringLiteral("no-such-table.txt"))};
    QTest::newRow("device") << QStringList{"/dev/zero"};
    QTest::newRow("program") << QStringList{"/bin/ls"};
    QTest::newRow("NUL bytes") << QStringList{writeFile(QStringLiteral("nul.txt"), "\x82\xa0\0\0"_qba)};
}

void TestTranslateCli::failures()
{
    QFETCH(QStringList, args);
    const CliRun r = run(args, "か\n");
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QVERIFY(r.err.startsWith("mirabo-cli: "));
    QCOMPARE(runCli(QStringLiteral(MIRABO_CLI), args, "か\n").exitCode, 1);
}

void TestTranslateCli::englishGrade_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("braille");
    // UEB grade 2 writes "in" ⠔ and "the" ⠮ as words.
    QTest::newRow("default") << QStringList{"braille"} << u"⠦⠊⠝⠀⠞⠓⠑⠴"_s;
    QTest::newRow("grade 1") << QStringList{"braille", "--english-grade", "1"} << u"⠦⠊⠝⠀⠞⠓⠑⠴"_s;
    QTest::newRow("grade 2") << QStringList{"braille", "--english-grade=2"} << u"⠦⠔⠀⠮⠴"_s;
}

// The grade reaches the translation, and back reads each grade back.
void TestTranslateCli::englishGrade()
{
    QFETCH(QStringList, args);
    QFETCH(QString, braille);
    const CliRun forward = run(args, "ｉｎ　ｔｈｅ\n"_qba);
    QCOMPARE(forward.exitCode, 0);
    QCOMPARE(QString::fromUtf8(forward.out), braille + u'\n');
    QStringList backArgs{"back"};
    backArgs += args.mid(1);
    const CliRun back = run(backArgs, forward.out);
    QCOMPARE(back.exitCode, 0);
    QCOMPARE(QString::fromUtf8(back.out), u"ｉｎ　ｔｈｅ\n"_s);
}

void TestTranslateCli::badUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown option") << QStringList{"--frobnicate"};
    QTest::newRow("two files") << QStringList{"a.txt", "b.txt"};
    QTest::newRow("table without path") << QStringList{"--table"};
    QTest::newRow("empty table path") << QStringList{"--table="};
    QTest::newRow("English grade 3") << QStringList{"--english-grade", "3"};
    QTest::newRow("English grade missing") << QStringList{"--english-grade"};
}

void TestTranslateCli::badUsage()
{
    QFETCH(QStringList, args);
    const CliRun r = run(args);
    QCOMPARE(r.exitCode, 2);
    // The program's exit status is the command's.
    QCOMPARE(runCli(QStringLiteral(MIRABO_CLI), args).exitCode, 2);
    QCOMPARE(r.out, QByteArray());
    QVERIFY2(QString::fromUtf8(r.err).contains(u"使い方: mirabo-cli [オプション]"_s), r.err.constData());
}

void TestTranslateCli::help()
{
    const CliRun r = run({QStringLiteral("--help")});
    QCOMPARE(r.exitCode, 0);
    // The program's help lists the commands; the translation's own options
    // are in its command's help.
    QVERIFY(QString::fromUtf8(r.out).startsWith(u"使い方: mirabo-cli"_s));
    QVERIFY(r.out.contains("list"));
    QCOMPARE(r.err, QByteArray());
    const CliRun list = run({QStringLiteral("list"), QStringLiteral("--help")});
    QCOMPARE(list.exitCode, 0);
    QVERIFY(list.out.contains("--table PATH"));
    QVERIFY(list.out.contains("--english-grade 1|2"));
}

void TestTranslateCli::standardInputInPieces_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QList<QByteArray>>("pieces");

    // A pipe gives what its writer has written so far; every command must read
    // on to the end. The pieces break a line and a character apart.
    const QList<QByteArray> kana{"かな\nて"_qba, "んじ\n\xe3\x81"_qba, "\x82\n"_qba};
    QTest::newRow("list") << QStringList{} << kana;
    QTest::newRow("braille") << QStringList{"braille"} << kana;
    QTest::newRow("kana") << QStringList{"kana"} << QList<QByteArray>{"東京\n"_qba, "大阪\n"_qba, "名古屋\n"_qba};
    QTest::newRow("back") << QStringList{"back"} << QList<QByteArray>{"⠁⠃\n"_qba, "⠉\n"_qba, "⠋⠊\n"_qba};
    QTest::newRow("export") << QStringList{"export", "--format", "txt"} << kana;
}

void TestTranslateCli::standardInputInPieces()
{
    QFETCH(QStringList, args);
    QFETCH(QList<QByteArray>, pieces);

    QProcess process;
    process.start(QStringLiteral(MIRABO_CLI), args);
    QVERIFY(process.waitForStarted());
    for (const QByteArray &piece : pieces) {
        process.write(piece);
        QVERIFY(process.waitForBytesWritten(10000));
        QTest::qWait(300); // the program has read what there was by now
    }
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);

    const CliRun whole = run(args, pieces.join());
    QCOMPARE(whole.exitCode, 0);
    QVERIFY(whole.out.count('\n') >= 3);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(whole.out));
}

void TestTranslateCli::garbageBytesDoNotCrash()
{
    // Random bytes, NULs, stray cp932 lead bytes, invalid UTF-8, lone
    // surrogates written as UTF-8, very long lines and many line ends.
    QList<QByteArray> inputs = {
        QByteArray(1000, '\0'),
        "\x81\x82\x83\x84\xfc\xfd\xfe\xff"_qba,
        "\xed\xa0\x80\xed\xbf\xbf\xc0\xaf"_qba,
        QByteArray(5000, '\x82'),
        QString(500, QChar(u'ゃ')).toUtf8(),
        QByteArray(3000, '\r') + QByteArray(3000, '\n'),
        "\xf0\x9f\x98\x80\xf0\x9f\x98\x80ァ\xe3\x82"_qba,
    };
    QRandomGenerator random(20240611);
    for (int i = 0; i < 8; ++i) {
        QByteArray bytes(4000, Qt::Uninitialized);
        for (char &b : bytes)
            b = char(random.bounded(256));
        inputs.append(bytes);
    }
    for (const QByteArray &input : inputs) {
        const CliRun r = run({}, input);
        QVERIFY2(r.exitCode >= 0, "crashed or ran out of time");
        // What is no text is refused with a message; the rest is translated
        // into whole lines of valid UTF-8.
        if (r.exitCode == 1) {
            QVERIFY2(r.err.contains("テキストファイルではない"), r.err.constData());
            QCOMPARE(r.out, QByteArray());
            continue;
        }
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty() || r.out.endsWith('\n'));
        QCOMPARE(QString::fromUtf8(r.out).toUtf8(), r.out);
    }
}

void TestTranslateCli::badBytesAreNamedByLine()
{
    const CliRun r = run({}, "か\nかか\xff\nか\n"_qba);
    QCOMPARE(r.exitCode, 0);
    // First the bad byte by line, then its U+FFFD among the characters without braille.
    const QStringList errors = QString::fromUtf8(r.err).split(u'\n');
    QCOMPARE(errors.size(), 4);
    QCOMPARE(errors[0], QStringLiteral("mirabo-cli: 「標準入力」の 1 か所は文字として読めないため、「\uFFFD」に置き換えました"
                                       "（2行目）。"));
    QVERIFY(errors[2].contains(QChar(0xFFFD)));
    QCOMPARE(QString::fromUtf8(r.out).count(u'\n'), 6);
}

void TestTranslateCli::lostOutputExitsOne()
{
    // A full disk: the translation is lost, and the exit status says so.
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(MIRABO_CLI), {});
    QVERIFY(process.waitForStarted());
    process.write("か\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(err.startsWith(QStringLiteral("mirabo-cli: 出力を書き込めませんでした")), qPrintable(err));
    QCOMPARE(err.count(u'\n'), 1); // said once
}

void TestTranslateCli::checkTable_data()
{
    QTest::addColumn<QByteArray>("table"); // empty: the installed table
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("lines"); // what follows "PATH" on each line printed

    QTest::newRow("installed table") << QByteArray() << 0 << QStringList{QStringLiteral(": %1組、問題はありません。").arg(installedTableRows())};
    QTest::newRow("empty file") << ""_qba << 1
                                << QStringList{": ファイルが空です。キーと点字の組が一つもありません。"};
    QByteArray table = "\"\xe3\x80\x81,⠰\r\n"_qba; // the quote is never closed
    for (int row = 2; row <= 171; ++row)
        table += row == 68 ? "[数符],\r\n"_qba : "x,⠿\r\n"_qba;
    QTest::newRow("two problems") << table << 1
                                  << QStringList{":1: 「\"」で始まる欄が閉じていません。"
                                                 "引用符を除いて、次の「,」か行末までを欄として読みました。",
                                                 ":68: 68組目（数符）の点字が空です。"};
}

void TestTranslateCli::checkTable()
{
    QFETCH(QByteArray, table);
    QFETCH(int, exitCode);
    QFETCH(QStringList, lines);
    QStringList args{QStringLiteral("check-table")};
    if (!table.isNull())
        args.append(writeFile(QStringLiteral("checked.txt"), table));
    const CliRun r = run(args);
    QCOMPARE(r.exitCode, exitCode);
    const QString out = QString::fromUtf8(r.out);
    const QString path = table.isNull() ? out.section(u':', 0, 0) : args.last();
    QStringList expected;
    for (const QString &line : lines)
        expected.append(path + line);
    QCOMPARE(out, expected.join(u'\n') + u'\n');

    QCOMPARE(run({QStringLiteral("check-table"), dir_.filePath(QStringLiteral("absent.txt"))}).exitCode, 1);
    QCOMPARE(run({QStringLiteral("check-table"), QStringLiteral("a"), QStringLiteral("b")}).exitCode, 2);
}

void TestTranslateCli::tableProblemsGoToStandardError()
{
    // The translation goes on with what could be read of the table.
    const QString path = writeFile(QStringLiteral("short.txt"), "，,⠄\r\n"_qba);
    // The comma groups digits here; the digits have no cells in this table
    // and are named after the table's problem.
    const CliRun r = run({QStringLiteral("--table"), path}, "１，０００\n");
    QCOMPARE(r.exitCode, 0);
    QVERIFY(QString::fromUtf8(r.err).startsWith(QStringLiteral("mirabo-cli: %1: 1行目: キーと点字の組が1組しかありません。"
                                                               "点字翻訳には171組が必要です。"
                                                               "2組目から後（数符、つなぎ符など）は空のままです。\n")
                                                    .arg(path)));
    QVERIFY(QString::fromUtf8(r.out).contains(QStringLiteral("⠄")));
}

// Lines longer than a part are read and translated a part at a time, and
// come out as the lines translated whole: the first has a small katakana
// long before its first katakana and a bad byte between two parts, the
// second follows a katakana.
void TestTranslateCli::longLinesAsWhole()
{
    const QString table = QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt");
    const QString sentence = u"ゆうやけのそらに「あかいくも」がうかび、ＡＢＣの２ばんめを（よんで）みた。"_s;
    const QString first = u"ふァいる"_s + sentence.repeated(4000);
    const QString second = sentence.repeated(3000) + u"ラジオ"_s;
    const QByteArray input = first.toUtf8() + "\xFF" + sentence.repeated(3000).toUtf8() + "\n" + second.toUtf8();
    QVERIFY(input.size() > 3 * 262144);
    const CliRun r = run({"braille", "--table", table}, input);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.contains("（1行目）"), r.err.constData());

    const CodeTableLoad load = loadCodeTable(table);
    QVERIFY(load.ok);
    LineTranslator whole(load.table);
    QByteArray expected;
    for (const QString &line : {first + QChar(0xFFFD) + sentence.repeated(3000), second}) {
        whole.translateCells(line);
        whole.appendWholeBrailleUtf8(expected);
        expected += '\n';
    }
    QCOMPARE(r.out.size(), expected.size());
    QVERIFY(r.out == expected);
}

QTEST_GUILESS_MAIN(TestTranslateCli)
#include "tst_translatecli.moc"
