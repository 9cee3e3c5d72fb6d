#include "tables/codetableloader.h"
#include "usermessages/usermessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(CodeTableProblem)

class TestCodeTableLoader : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void rowOneKeyIsAlwaysAsciiComma();
    void lastKeyWithoutCellGetsEmptyCell();
    void shortFileLeavesHigherRowsEmpty();
    void rowsPast200AreKeptUpToTheLimit();
    void readsCp932AndUtf8Files();
    void missingFileNamesWhereItLooked();
    void userTableComesFirst();
    void missingInstalledTableNamesEveryPlace();
    void damagedTablesAreReported_data();
    void damagedTablesAreReported();
    void reportListsEveryProblemOnce();
};

namespace {

// The shipped table's lines, for damaging one at a time.
QStringList shippedLines()
{
    QFile file(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QChar(0xFEFF));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString joined(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

void TestCodeTableLoader::fields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("key and cell on one line") << QStringLiteral("あ,⠁\r\n") << QStringList{"あ", "⠁"};
    QTest::newRow("pair spread over lines") << QStringLiteral("あ\r\n⠁\r\n") << QStringList{"あ", "⠁"};
    QTest::newRow("several pairs on a line") << QStringLiteral("あ,⠁,い,⠃") << QStringList{"あ", "⠁", "い", "⠃"};
    QTest::newRow("quoted comma belongs to the field") << QStringLiteral("\"，,x\",⠠") << QStringList{"，,x", "⠠"};
    QTest::newRow("quoted spaces kept") << QStringLiteral("\" \",\"⠀ \"") << QStringList{" ", "⠀ "};
    QTest::newRow("quoted line end kept") << QStringLiteral("\"a\r\nb\",c") << QStringList{"a\r\nb", "c"};
    QTest::newRow("unquoted comma splits") << QStringLiteral("a,b,c,d") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("spaces around unquoted field dropped")
        << QStringLiteral("  あ  ,\t⠁ \r\n") << QStringList{"あ", "⠁"};
    QTest::newRow("full-width space is not trimmed") << QStringLiteral("　,⠀") << QStringList{"　", "⠀"};
    QTest::newRow("text after closing quote dropped") << QStringLiteral("\"a\"xyz,b") << QStringList{"a", "b"};
    QTest::newRow("lone LF and CR end lines") << QStringLiteral("a\nb\rc\r\nd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("blank lines hold no field") << QStringLiteral("a\r\n\r\n\nb\r\n\r\n") << QStringList{"a", "b"};
    QTest::newRow("comma before line end gives empty field") << QStringLiteral("a,\r\nb,c") << QStringList{"a", "", "b", "c"};
    QTest::newRow("empty quoted field") << QStringLiteral("\"\",x") << QStringList{"", "x"};
    QTest::newRow("trailing comma at end of file") << QStringLiteral("a,") << QStringList{"a", ""};
    QTest::newRow("unterminated quote is dropped") << QStringLiteral("\"a,b\r\nc,d")
                                                   << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty file") << QString() << QStringList();
}

void TestCodeTableLoader::fields()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    QCOMPARE(splitCodeTableFields(text), fields);
}

void TestCodeTableLoader::rowOneKeyIsAlwaysAsciiComma()
{
    const CodeTableLoad load = parseCodeTable(QStringLiteral("\"，\",⠄\r\nい,⠃\r\n"));
    QVERIFY(load.ok);
    QCOMPARE(load.rows, 2);
    QCOMPARE(load.table.CodeKeys[1], QStringLiteral(","));
    QCOMPARE(load.table.CodePatterns[1], QStringLiteral("⠄"));
    QCOMPARE(load.table.CodeKeys[2], QStringLiteral("い"));
}

void TestCodeTableLoader::lastKeyWithoutCellGetsEmptyCell()
{
    const CodeTableLoad load = parseCodeTable(QStringLiteral("a,⠁\r\nb,⠃\r\nc\r\n"));
    QCOMPARE(load.rows, 3);
    QCOMPARE(load.table.CodeKeys[3], QStringLiteral("c"));
    QCOMPARE(load.table.CodePatterns[3], QString());
}

void TestCodeTableLoader::shortFileLeavesHigherRowsEmpty()
{
    const CodeTableLoad load = parseCodeTable(QStringLiteral("a,1\r\nb,2\r\n"));
    QCOMPARE(load.rows, 2);
    for (int row = 3; row <= CodeTable::kRows; ++row) {
        QVERIFY(load.table.CodeKeys[row].isEmpty());
        QVERIFY(load.table.CodePatterns[row].isEmpty());
    }
}

void TestCodeTableLoader::rowsPast200AreKeptUpToTheLimit()
{
    // Extra keys may follow the fixed rows; only a file past the limit is cut.
    QString text;
    for (int row = 1; row <= CodeTable::kMaxRows + 5; ++row)
        text += QStringLiteral("k%1,p%1\r\n").arg(row);
    const CodeTableLoad load = parseCodeTable(text);
    QVERIFY(load.ok);
    QCOMPARE(load.rows, CodeTable::kMaxRows);
    QCOMPARE(load.table.lastRow(), CodeTable::kMaxRows);
    QCOMPARE(load.table.CodeKeys[201], QStringLiteral("k201"));
    QCOMPARE(load.table.CodePatterns[CodeTable::kMaxRows], QStringLiteral("p%1").arg(CodeTable::kMaxRows));
    QCOMPARE(load.problems.size(), 1);
    QCOMPARE(load.problems.first().line, CodeTable::kMaxRows + 1);
    QCOMPARE(load.problems.first().issue, CodeTableIssue::TooManyRows);
    QCOMPARE(load.problems.first().limit, CodeTable::kMaxRows);

    QString rows230;
    for (int row = 1; row <= 230; ++row)
        rows230 += QStringLiteral("k,p\r\n");
    const CodeTableLoad longer = parseCodeTable(rows230);
    QVERIFY2(longer.problems.isEmpty(), qPrintable(UserMessages::codeTableReport(longer)));
    QCOMPARE(longer.rows, 230);
    QCOMPARE(longer.table.CodeKeys[230], QStringLiteral("k"));
}

void TestCodeTableLoader::readsCp932AndUtf8Files()
{
    QTemporaryDir dir;
    const QString cp932 = dir.filePath(QStringLiteral("cp932.txt"));
    QFile f(cp932);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromHex("81432C410D0A82A02C420D0A")); // "，,A" then "あ,B"
    f.close();
    CodeTableLoad load = loadCodeTable(cp932);
    QVERIFY(load.ok);
    QCOMPARE(load.path, cp932);
    QCOMPARE(load.table.CodePatterns[1], QStringLiteral("A"));
    QCOMPARE(load.table.CodeKeys[2], QStringLiteral("あ"));
    QCOMPARE(load.table.CodePatterns[2], QStringLiteral("B"));

    const QString utf8 = dir.filePath(QStringLiteral("utf8.txt"));
    QFile g(utf8);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write("\xEF\xBB\xBF\",\",⠄\r\nあ,⠁\r\n");
    g.close();
    load = loadCodeTable(utf8);
    QVERIFY(load.ok);
    QCOMPARE(load.table.CodePatterns[1], QStringLiteral("⠄"));
    QCOMPARE(load.table.CodeKeys[2], QStringLiteral("あ"));
    QCOMPARE(load.table.CodePatterns[2], QStringLiteral("⠁"));
}

void TestCodeTableLoader::missingFileNamesWhereItLooked()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nothing-here.txt"));
    const CodeTableLoad load = loadCodeTable(path);
    QVERIFY(!load.ok);
    QCOMPARE(load.error, CodeTableError::FileNotRead);
    QCOMPARE(load.file.error, FileError::NotOpened);
    QVERIFY(UserMessages::codeTableError(load).contains(path));
    QCOMPARE(load.rows, 0);
    QVERIFY(load.table.CodeKeys[1].isEmpty());
}

void TestCodeTableLoader::userTableComesFirst()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(QDir().mkpath(userDir));
    const QString userTable = QDir(userDir).filePath(kCodeTableFileName);
    QFile::remove(userTable);

    // Without a table of the user's, the shipped one beside the executable.
    CodeTableLoad load = loadInstalledCodeTable();
    QVERIFY2(load.ok, qPrintable(UserMessages::codeTableError(load)));
    QCOMPARE(QFileInfo(load.path).canonicalFilePath(),
             QFileInfo(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt")).canonicalFilePath());

    QFile f(userTable);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x,y\r\n");
    f.close();
    load = loadInstalledCodeTable();
    QVERIFY(load.ok);
    QCOMPARE(load.path, userTable);
    QCOMPARE(load.rows, 1);
    QFile::remove(userTable);
}

void TestCodeTableLoader::missingInstalledTableNamesEveryPlace()
{
    QStandardPaths::setTestModeEnabled(true);
    const CodeTableLoad load = loadInstalledCodeTable(QStringLiteral("no-such-table.txt"));
    QVERIFY(!load.ok);
    QCOMPARE(load.error, CodeTableError::NotFound);
    QCOMPARE(load.fileName, QStringLiteral("no-such-table.txt"));
    QVERIFY(load.path.isEmpty());
    const QString userPlace = QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/no-such-table.txt"));
    const QStringList searched = load.searched.split(u'\n');
    QVERIFY2(searched.contains(userPlace), qPrintable(load.searched));
    const QString besideProgram = QDir::toNativeSeparators(QDir::cleanPath(
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/mirabo/no-such-table.txt")));
    QVERIFY2(searched.contains(besideProgram), qPrintable(load.searched));
    // The user reads every place.
    QVERIFY(UserMessages::codeTableError(load).contains(load.searched));
}

void TestCodeTableLoader::damagedTablesAreReported_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<CodeTableProblem>>("problems"); // in order; `text` compared where given
    QTest::addColumn<int>("numeralSignRow");               // where the numeral sign ⠼ ends up, 0 nowhere

    using enum CodeTableCodes::Problem; // clang 14 takes no alias here
    // The rows with fixed roles; the extra rows after them play no part here.
    const QStringList shipped = shippedLines().mid(0, CodeTable::kLookupRows);
    QCOMPARE(shipped.size(), CodeTable::kLookupRows);

    QTest::newRow("sound") << joined(shipped) << QList<CodeTableProblem>{} << 68;
    QTest::newRow("empty file") << QString() << QList<CodeTableProblem>{{.line = 0, .issue = EmptyFile}} << 0;
    QTest::newRow("blank lines only") << QStringLiteral("\r\n\r\n")
                                      << QList<CodeTableProblem>{{.line = 0, .issue = EmptyFile}} << 0;

    // Row 19 "あ,⠁" without its comma: every later row takes the next row's
    // key as its braille, and the last row is left without its braille.
    QStringList noComma = shipped;
    noComma[18].remove(u',');
    const QString row20Key = shipped[19].section(u',', 0, 0);
    QTest::newRow("row 19 lost its comma")
        << joined(noComma)
        << QList<CodeTableProblem>{{.line = 19, .issue = NotBraille, .row = 19, .lastRow = 170, .text = row20Key},
                                   {.line = 171, .issue = EmptySign, .row = CodeRow::Connector}}
        << 0;

    // The rows after the quote keep their places.
    QStringList openQuote = shipped;
    openQuote[49].prepend(u'"');
    QTest::newRow("quote left open at row 50")
        << joined(openQuote) << QList<CodeTableProblem>{{.line = 50, .issue = QuoteNotClosed}} << 68;

    QStringList emptySigns = shipped;
    QList<CodeTableProblem> signProblems;
    for (const int row : {28, 31, 68, 104, 171}) {
        emptySigns[row - 1] = emptySigns[row - 1].section(u',', 0, 0) + u',';
        signProblems.append({.line = row, .issue = EmptySign, .row = row});
    }
    QTest::newRow("sign rows empty") << joined(emptySigns) << signProblems << 0;

    QStringList longCell = shipped;
    longCell[4] = QStringLiteral("。,") + QStringLiteral("⠲").repeated(10000);
    QTest::newRow("cell of 10 000 cells")
        << joined(longCell)
        << QList<CodeTableProblem>{{.line = 5, .issue = LongCells, .row = 5, .count = 10000, .limit = kMaxCells}}
        << 68;

    QTest::newRow("fewer than 171 rows")
        << joined(shipped.mid(0, 100))
        << QList<CodeTableProblem>{
               {.line = 100, .issue = TooFewRows, .count = 100, .limit = CodeTable::kLookupRows}}
        << 68;

    // A table of another cell alphabet is not held to Unicode braille.
    QTest::newRow("letters as cells") << QStringLiteral("a,A\r\n").repeated(171) << QList<CodeTableProblem>{}
                                      << 0;
}

void TestCodeTableLoader::damagedTablesAreReported()
{
    QFETCH(QString, text);
    QFETCH(QList<CodeTableProblem>, problems);
    QFETCH(int, numeralSignRow);

    const CodeTableLoad load = parseCodeTable(text);
    QVERIFY(load.ok);
    const QString got = UserMessages::codeTableProblems(load).join(u'\n');
    QCOMPARE(load.problems.size(), problems.size());
    for (qsizetype i = 0; i < problems.size(); ++i) {
        const CodeTableProblem &is = load.problems[i];
        const CodeTableProblem &expected = problems[i];
        QVERIFY2(is.line == expected.line && is.issue == expected.issue && is.row == expected.row &&
                     is.lastRow == expected.lastRow && is.count == expected.count && is.limit == expected.limit,
                 qPrintable(got));
        if (!expected.text.isEmpty())
            QCOMPARE(is.text, expected.text);
    }
    for (int row = 1; row <= CodeTable::kRows; ++row)
        QVERIFY(QStringView(load.table.CodePatterns[row]).toUcs4().size() <= kMaxCells);
    if (numeralSignRow)
        QCOMPARE(load.table.CodePatterns[numeralSignRow], QStringLiteral("⠼"));
}

void TestCodeTableLoader::reportListsEveryProblemOnce()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    // A bad byte on line 2, a quote left open on line 3, and far too few rows.
    f.write("\xEF\xBB\xBF\",\",⠄\r\nあ,⠁\xFF\r\n\"い,⠃\r\n");
    f.close();
    const CodeTableLoad load = loadCodeTable(path);
    QVERIFY(load.ok);
    const QString report = UserMessages::codeTableReport(load);
    const QStringList lines = report.split(u'\n');
    QVERIFY2(lines.first().contains(path), qPrintable(report));
    QCOMPARE(lines.size(), 2 + load.problems.size()); // the heading, the bad byte, the problems
    QCOMPARE(load.replaced.lines, QList<qsizetype>{2});
    QList<CodeTableIssue> issues;
    for (const CodeTableProblem &problem : load.problems)
        issues.append(problem.issue);
    QVERIFY(issues.contains(CodeTableIssue::QuoteNotClosed));
    QCOMPARE(issues.last(), CodeTableIssue::TooFewRows);
    QCOMPARE(load.problems.last().count, 3);
    for (const CodeTableProblem &problem : load.problems)
        QVERIFY2(lines.contains(UserMessages::codeTableProblemText(problem)), qPrintable(report));
    QCOMPARE(load.table.CodeKeys[3], QStringLiteral("い"));
    QCOMPARE(UserMessages::codeTableReport(parseCodeTable(QStringLiteral("a,⠁\r\n").repeated(171))), QString());
}

QTEST_GUILESS_MAIN(TestCodeTableLoader)
#include "tst_codetableloader.moc"
