#include "tables/grid.h"
#include "tables/linegrids.h"
#include "tables/module1.h"

#include <QRegularExpression>
#include <QTest>

#include <utility>
#include <vector>

// A code table whose cell string of row k is "<k>", so that every copy can be
// traced back to the row it came from.
static CodeTable numberedTable(int rows = CodeTable::kRows)
{
    CodeTable table;
    for (int row = 1; row <= rows; ++row) {
        table.CodeKeys[row] = QStringLiteral("key%1").arg(row);
        table.CodePatterns[row] = QStringLiteral("<%1>").arg(row);
    }
    return table;
}

class TestBuildTables : public QObject
{
    Q_OBJECT

private slots:
    void digitsAndLetters_data();
    void digitsAndLetters();
    void fixedKeyTables();
    void katakanaKeys();
    void rowOneKeyBecomesFullWidthComma();
    void clearsKatakanaSeen();
    void missingRowsGiveEmptyCells();
    void gridResetFillsEveryCell();
    void gridReadsOutsideAreEmpty();
    void gridRowJoinsColumnsOneToThirty();
    void writesOutsideTheGridsAreRefused_data();
    void writesOutsideTheGridsAreRefused();
    void copyRowGivesWhatAppendRowGives();
    void assignWhen_data();
    void assignWhen();
};

void TestBuildTables::digitsAndLetters_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("row");

    const int digitRows[10] = {160, 19, 20, 22, 158, 153, 26, 159, 154, 27};
    for (int d = 0; d <= 9; ++d)
        QTest::addRow("digit %d", d) << QString(QChar(u'０' + d)) << digitRows[d];
    const int letterRows[26] = {19,  20, 22, 158, 153, 26,  159, 154, 27,  160, 102, 103, 108,
                                86,  74, 109, 92, 76,  110, 98,  111, 114, 72,  126, 147, 142};
    for (int k = 1; k <= 26; ++k)
        QTest::addRow("letter %c", 'a' + k - 1) << QString(QChar(u'ａ' + k - 1)) << letterRows[k - 1];
}

void TestBuildTables::digitsAndLetters()
{
    QFETCH(QString, key);
    QFETCH(int, row);
    CodeTable code = numberedTable();
    KeyTables keys;
    BuildTables(code, keys);
    const QString expected = QStringLiteral("<%1>").arg(row);
    if (key[0] >= u'０' && key[0] <= u'９') {
        const int d = key[0].unicode() - u'０';
        QCOMPARE(keys.DigitChars[d], key);
        QCOMPARE(keys.DigitPatterns[d], expected);
    } else {
        const int k = key[0].unicode() - u'ａ' + 1;
        QCOMPARE(keys.LowerLetters[k], key);
        QCOMPARE(keys.UpperLetters[k], QString(QChar(u'Ａ' + k - 1)));
        QCOMPARE(keys.LetterPatterns[k], expected);
    }
}

void TestBuildTables::fixedKeyTables()
{
    CodeTable code = numberedTable();
    KeyTables keys;
    BuildTables(code, keys);
    const QString smallHiragana = QStringLiteral("ぇぃぉゃゅょぁぅ");
    const QString smallKatakana = QStringLiteral("ェィォャュョァゥ");
    for (int k = 1; k <= 8; ++k) {
        QCOMPARE(keys.SmallHiragana[k], QString(smallHiragana[k - 1]));
        QCOMPARE(keys.SmallKatakana[k], QString(smallKatakana[k - 1]));
    }
    const QString voicedHiragana = QStringLiteral("がぎぐげござじずぜぞだぢづでどばびぶべぼヴぱぴぷぺぽ");
    const QString voicedKatakana = QStringLiteral("ガギグゲゴザジズゼゾダヂヅデドバビブベボヴパピプペポ");
    for (int k = 1; k <= 26; ++k) {
        QCOMPARE(keys.VoicedHiragana[k], QString(voicedHiragana[k - 1]));
        QCOMPARE(keys.VoicedKatakana[k], QString(voicedKatakana[k - 1]));
    }
}

void TestBuildTables::katakanaKeys()
{
    CodeTable code = numberedTable();
    KeyTables keys;
    BuildTables(code, keys);
    int filled = 0;
    for (int row = 19; row <= 171; ++row)
        filled += keys.KatakanaKeys[row].isEmpty() ? 0 : 1;
    QCOMPARE(filled, 146);
    for (int row : {28, 31, 40, 68, 104, 134, 171})
        QVERIFY2(keys.KatakanaKeys[row].isEmpty(), qPrintable(QString::number(row)));
    QCOMPARE(keys.KatakanaKeys[19], QStringLiteral("ア"));
    QCOMPARE(keys.KatakanaKeys[27], QStringLiteral("オ"));
    QCOMPARE(keys.KatakanaKeys[33], QStringLiteral("キャ"));
    QCOMPARE(keys.KatakanaKeys[85], QStringLiteral("ッ"));
    QCOMPARE(keys.KatakanaKeys[103], QStringLiteral("ニ"));
    QCOMPARE(keys.KatakanaKeys[105], QStringLiteral("ニャ"));
    QCOMPARE(keys.KatakanaKeys[133], QStringLiteral("ブ"));
    QCOMPARE(keys.KatakanaKeys[135], QStringLiteral("プ"));
    QCOMPARE(keys.KatakanaKeys[153], QStringLiteral("ラ"));
    QCOMPARE(keys.KatakanaKeys[160], QStringLiteral("ロ"));
    QCOMPARE(keys.KatakanaKeys[170], QStringLiteral("ヴョ"));
}

void TestBuildTables::rowOneKeyBecomesFullWidthComma()
{
    CodeTable code = numberedTable();
    code.CodeKeys[1] = QStringLiteral(",");
    KeyTables keys;
    BuildTables(code, keys);
    QCOMPARE(code.CodeKeys[1], QStringLiteral("，"));
    QCOMPARE(code.CodePatterns[1], QStringLiteral("<1>"));
    QCOMPARE(code.CodeKeys[2], QStringLiteral("key2"));
}

void TestBuildTables::clearsKatakanaSeen()
{
    Module1 m;
    m.codeTable = numberedTable();
    m.KatakanaSeen = true;
    m.BuildTables();
    QVERIFY(!m.KatakanaSeen);
    QCOMPARE(m.keyTables.DigitPatterns[1], QStringLiteral("<19>"));
}

void TestBuildTables::missingRowsGiveEmptyCells()
{
    CodeTable code = numberedTable(100);
    KeyTables keys;
    BuildTables(code, keys);
    QCOMPARE(keys.DigitPatterns[2], QStringLiteral("<20>"));
    QCOMPARE(keys.DigitPatterns[0], QString()); // row 160
    QCOMPARE(keys.DigitPatterns[4], QString()); // row 158
    QCOMPARE(keys.LetterPatterns[1], QStringLiteral("<19>"));
    QCOMPARE(keys.LetterPatterns[25], QString()); // y, row 147
    QCOMPARE(keys.LetterPatterns[14], QStringLiteral("<86>")); // n
}

void TestBuildTables::gridResetFillsEveryCell()
{
    Grid grid;
    grid.reset(3);
    grid.cell(2, 40) = QStringLiteral("x");
    grid.reset(250);
    QCOMPARE(grid.lastLine(), 250);
    for (int line = 0; line <= 250; ++line)
        for (int column = 0; column <= Grid::kLastColumn; ++column)
            QCOMPARE(grid.at(line, column), kFullWidthSpace);
}

void TestBuildTables::gridReadsOutsideAreEmpty()
{
    Grid grid;
    grid.reset(2);
    QCOMPARE(grid.at(1, 41), QString());
    QCOMPARE(grid.at(3, 1), QString());
    QCOMPARE(grid.at(-1, 1), QString());
    QCOMPARE(grid.at(1, -1), QString());
    QVERIFY(!grid.contains(1, 41));
    QVERIFY(grid.contains(2, 40));
}

void TestBuildTables::gridRowJoinsColumnsOneToThirty()
{
    Grid grid;
    grid.reset(1);
    grid.cell(1, 0) = QStringLiteral("zero");
    grid.cell(1, 1) = QStringLiteral("　１");
    grid.cell(1, 2) = QString();
    grid.cell(1, 30) = QStringLiteral("end");
    grid.cell(1, 31) = QStringLiteral("hidden");
    const QString row = grid.row(1);
    QCOMPARE(row, QStringLiteral("　１") + kFullWidthSpace.repeated(27) + QStringLiteral("end"));
}

void TestBuildTables::writesOutsideTheGridsAreRefused_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::newRow("column 41") << 1 << 41;
    QTest::newRow("column -1") << 1 << -1;
    QTest::newRow("line past the last") << 3 << 1;
    QTest::newRow("line -1") << -1 << 1;
}

void TestBuildTables::writesOutsideTheGridsAreRefused()
{
    // Whatever the build type: a warning, and nothing inside changes.
    QFETCH(int, line);
    QFETCH(int, column);
    Grid grid;
    grid.reset(2);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("outside the grid")));
    grid.cell(line, column) = QStringLiteral("x");
    for (int l = 0; l <= 2; ++l)
        QCOMPARE(grid.row(l, 0, Grid::kLastColumn), kFullWidthSpace.repeated(Grid::kLastColumn + 1));

    if (line != 1)
        return;
    StringLine text;
    SymbolLine symbols;
    symbols.reset(0);
    for (int k = 0; k < 5; ++k)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("outside the grids")));
    text.assign(column, u"x");
    text.append(column, u"y");
    text.assignColumn(column, 1);
    text.appendColumn(column, 1);
    symbols.set(column, 7);
    QString row;
    text.appendRow(row, 0, text.last());
    QCOMPARE(row, kFullWidthSpace.repeated(text.last() + 1));
    for (int c = -1; c <= symbols.last() + 1; ++c)
        QVERIFY(symbols.at(c) != 7);
}

void TestBuildTables::copyRowGivesWhatAppendRowGives()
{
    // Columns shorter and longer than the characters copied at once, empty
    // ones, reset ones, moved ones and columns past the last.
    StringLine grid;
    grid.reset(8);
    grid.assign(1, u"ab");
    grid.assign(2, u"");
    grid.assign(3, u"cdefghi");
    grid.assign(5, u"j");
    grid.append(1, u"klmno");
    grid.assign(6, u"pqrs");
    grid.appendColumn(6, 3);
    grid.assign(8, u"t");
    grid.removeColumns({4});
    for (const auto &[first, last] : {std::pair{1, 8}, std::pair{3, 7}, std::pair{7, 40}}) {
        QString expected;
        grid.appendRow(expected, first, last);
        std::vector<char16_t> copied(std::size_t(grid.rowSize(first, last) + StringLine::kCopySlack));
        const qsizetype n = grid.copyRow(first, last, copied.data());
        QCOMPARE(n, expected.size());
        QCOMPARE(QStringView(copied.data(), n), expected);
    }
}

void TestBuildTables::assignWhen_data()
{
    QTest::addColumn<bool>("when");
    QTest::addColumn<QString>("text");
    for (const bool when : {true, false}) {
        for (const QString &text : {QString(), QStringLiteral("a"), QStringLiteral("abcd"), QStringLiteral("abcdefg")})
            QTest::addRow("%s %lld", when ? "assigned" : "left", text.size()) << when << text;
    }
}

void TestBuildTables::assignWhen()
{
    QFETCH(bool, when);
    QFETCH(QString, text);
    // The text is read with room past it, as the engine's code rows have.
    const QString padded = text + QStringLiteral("####");
    const char16_t *const characters = QStringView(padded).utf16();
    StringLine grid;
    grid.reset(3);
    grid.assign(2, u"xy");
    grid.assignWhen(when, 1, characters, int(text.size()));
    grid.assignWhen(when, 2, characters, int(text.size()));
    grid.assign(3, u"z");
    QCOMPARE(grid.at(1), when ? QStringView(text) : kFullWidthSpace);
    QCOMPARE(grid.isReset(1), !when);
    QCOMPARE(grid.at(2), when ? QStringView(text) : QStringView(u"xy"));
    // What follows is written after it, untouched by the characters read past it.
    QCOMPARE(grid.at(3), QStringView(u"z"));
    QCOMPARE(grid.at(2), when ? QStringView(text) : QStringView(u"xy"));
}

QTEST_APPLESS_MAIN(TestBuildTables)
#include "tst_buildtables.moc"
