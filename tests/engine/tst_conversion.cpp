#include "engine/conversion.h"
#include "synthetictable.h"

#include <QTest>

// The look-ups, the gap-closing shift and the letter pass, each on one grid
// line filled by hand.
class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void lookupsReportHitOrMinusOne_data();
    void lookupsReportHitOrMinusOne();
    void lookupsOutsideTheGridFindNothing();
    void findKatakanaRaisesKatakanaSeen();
    void findDigitLikeKana_data();
    void findDigitLikeKana();
    void findDigitLikeKanaOrderOfRows();
    void tumeruShiftsAllThreeGrids();
    void tumeruTakesColumn31IntoColumn30();
    void tumeruBeyondColumn30MovesNothing();
    void tumeruOutsideTheGridWritesNothing();
    void convertLetters_data();
    void convertLetters();
    void convertLettersLeavesColumnsPast30();

private:
    void putLine(const QString &text, int line = 1);

    CodeTable code_;
    KeyTables keys_;
    Grid chars_;
    Grid cells_;
    Grid texts_;
};

void TestConversion::init()
{
    code_ = syntheticCodeTable();
    BuildTables(code_, keys_);
    chars_.reset(2);
    cells_.reset(2);
    texts_.reset(2);
}

// One character per column from column 1, in the character and text grids.
void TestConversion::putLine(const QString &text, int line)
{
    for (int i = 0; i < text.size(); ++i) {
        chars_.cell(line, i + 1) = text.at(i);
        texts_.cell(line, i + 1) = text.at(i);
    }
}

void TestConversion::lookupsReportHitOrMinusOne_data()
{
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("expected");

    QTest::newRow("susearch ０") << "susearch"
                                 << "０" << 0;
    QTest::newRow("susearch ９") << "susearch"
                                 << "９" << 9;
    QTest::newRow("susearch half-width 9") << "susearch"
                                           << "9" << -1;
    QTest::newRow("susearch あ") << "susearch"
                                 << "あ" << -1;
    QTest::newRow("upper Ａ") << "upper"
                              << "Ａ" << 1;
    QTest::newRow("upper Ｚ") << "upper"
                              << "Ｚ" << 26;
    QTest::newRow("upper ａ") << "upper"
                              << "ａ" << -1;
    QTest::newRow("lower ｚ") << "lower"
                              << "ｚ" << 26;
    QTest::newRow("lower Ａ") << "lower"
                              << "Ａ" << -1;
    QTest::newRow("katakana ア") << "katakana"
                                 << "ア" << 19;
    QTest::newRow("katakana キャ") << "katakana"
                                   << "キャ" << 33;
    QTest::newRow("katakana ヴォ") << "katakana"
                                   << "ヴォ" << 168;
    QTest::newRow("katakana あ") << "katakana"
                                 << "あ" << -1;
    QTest::newRow("row 10 ．") << "row10"
                               << "．" << 10;
    QTest::newRow("row 10 ，") << "row10"
                               << "，" << -1;
    QTest::newRow("row 1 ，") << "row1"
                              << "，" << 1;
    QTest::newRow("row 1 half-width comma") << "row1"
                                            << "," << -1;
    QTest::newRow("space full-width") << "space"
                                      << "　" << 1;
    QTest::newRow("space half-width") << "space"
                                      << " " << 1;
    QTest::newRow("space tab") << "space"
                               << "\t" << -1;
}

void TestConversion::lookupsReportHitOrMinusOne()
{
    QFETCH(QString, procedure);
    QFETCH(QString, cell);
    QFETCH(int, expected);
    chars_.cell(1, 5) = cell;

    int result = 77; // a miss must overwrite whatever the caller held
    bool seen = false;
    if (procedure == "susearch")
        susearch(chars_, keys_.DigitChars, 5, 1, result);
    else if (procedure == "upper")
        FindUpperLetter(chars_, keys_.UpperLetters, 5, 1, result);
    else if (procedure == "lower")
        FindLowerLetter(chars_, keys_.LowerLetters, 5, 1, result);
    else if (procedure == "katakana")
        FindKatakana(chars_, keys_.KatakanaKeys, 5, 1, result, seen);
    else if (procedure == "row10")
        IsRow10At(chars_, code_.CodeKeys, 5, 1, result);
    else if (procedure == "row1")
        IsRow1At(chars_, code_.CodeKeys, 5, 1, result);
    else
        IsSpaceAt(chars_, 5, 1, result);
    QCOMPARE(result, expected);
}

void TestConversion::lookupsOutsideTheGridFindNothing()
{
    // The empty string that an outside cell reads as is no digit, letter,
    // space or key of rows 1 and 10.
    for (int column : {-1, 41, 1000}) {
        int result = 77;
        susearch(chars_, keys_.DigitChars, column, 1, result);
        QCOMPARE(result, -1);
        FindUpperLetter(chars_, keys_.UpperLetters, column, 1, result);
        QCOMPARE(result, -1);
        FindLowerLetter(chars_, keys_.LowerLetters, column, 1, result);
        QCOMPARE(result, -1);
        IsRow10At(chars_, code_.CodeKeys, column, 1, result);
        QCOMPARE(result, -1);
        IsRow1At(chars_, code_.CodeKeys, column, 1, result);
        QCOMPARE(result, -1);
        IsSpaceAt(chars_, column, 99, result);
        QCOMPARE(result, -1);
    }
}

void TestConversion::findKatakanaRaisesKatakanaSeen()
{
    chars_.cell(1, 1) = QStringLiteral("あ");
    chars_.cell(1, 2) = QStringLiteral("ン");
    bool seen = false;
    int result = 0;
    FindKatakana(chars_, keys_.KatakanaKeys, 1, 1, result, seen);
    QCOMPARE(result, -1);
    QVERIFY(!seen);
    FindKatakana(chars_, keys_.KatakanaKeys, 2, 1, result, seen);
    QCOMPARE(result, 163);
    QVERIFY(seen);
    // A miss never lowers it again.
    FindKatakana(chars_, keys_.KatakanaKeys, 1, 1, result, seen);
    QVERIFY(seen);
}

void TestConversion::findDigitLikeKana_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("expected");

    QTest::newRow("あ by code key") << "あ" << 19;
    QTest::newRow("オ by katakana key") << "オ" << 27;
    QTest::newRow("うぉ") << "うぉ" << 25;
    QTest::newRow("ら") << "ら" << 153;
    QTest::newRow("ロ") << "ロ" << 160;
    QTest::newRow("か") << "か" << -1;
    QTest::newRow("わ") << "わ" << -1;
    QTest::newRow("digit") << "１" << -1;
}

void TestConversion::findDigitLikeKana()
{
    QFETCH(QString, cell);
    QFETCH(int, expected);
    chars_.cell(1, 3) = cell;
    int result = 77;
    bool connector = false;
    FindDigitLikeKana(chars_, keys_.KatakanaKeys, code_.CodeKeys, 3, 1, result, connector);
    QCOMPARE(result, expected);
    QCOMPARE(connector, expected > 0);
}

void TestConversion::findDigitLikeKanaOrderOfRows()
{
    // Of the vowel rows the last match counts; of the ラ rows the first, and
    // a ラ row beats a vowel row.
    chars_.cell(1, 1) = QStringLiteral("★");
    code_.CodeKeys[20] = QStringLiteral("★");
    code_.CodeKeys[24] = QStringLiteral("★");
    int result = 0;
    bool connector = false;
    FindDigitLikeKana(chars_, keys_.KatakanaKeys, code_.CodeKeys, 1, 1, result, connector);
    QCOMPARE(result, 24);

    code_.CodeKeys[155] = QStringLiteral("★");
    code_.CodeKeys[158] = QStringLiteral("★");
    FindDigitLikeKana(chars_, keys_.KatakanaKeys, code_.CodeKeys, 1, 1, result, connector);
    QCOMPARE(result, 155);
}

void TestConversion::tumeruShiftsAllThreeGrids()
{
    putLine(QStringLiteral("きゃあい"));
    for (int column = 1; column <= 4; ++column)
        cells_.cell(1, column) = cells({column});
    tumeru(chars_, texts_, cells_, 2, 1);
    QCOMPARE(chars_.row(1, 1, 4), QStringLiteral("きあい　"));
    QCOMPARE(texts_.row(1, 1, 4), QStringLiteral("きあい　"));
    QCOMPARE(cells_.row(1, 1, 4), cells({1, 3, 4}) + QStringLiteral("　"));
    QCOMPARE(chars_.row(0), spaces(30)); // other lines stay as they were
    QCOMPARE(chars_.row(2), spaces(30));
}

void TestConversion::tumeruTakesColumn31IntoColumn30()
{
    for (int column = 1; column <= 40; ++column) {
        chars_.cell(1, column) = QString::number(column);
        texts_.cell(1, column) = QString::number(column);
        cells_.cell(1, column) = QString::number(column);
    }
    tumeru(chars_, texts_, cells_, 29, 1);
    for (Grid *grid : {&chars_, &texts_, &cells_}) {
        QCOMPARE(grid->at(1, 28), QStringLiteral("28"));
        QCOMPARE(grid->at(1, 29), QStringLiteral("30"));
        QCOMPARE(grid->at(1, 30), QStringLiteral("31"));
        QCOMPARE(grid->at(1, 31), QStringLiteral("31"));
        QCOMPARE(grid->at(1, 40), QStringLiteral("40"));
    }
}

void TestConversion::tumeruBeyondColumn30MovesNothing()
{
    putLine(QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"));
    const QString before = chars_.row(1, 0, 40);
    for (int iti : {31, 35, 40, 41, 500}) {
        tumeru(chars_, texts_, cells_, iti, 1);
        QCOMPARE(chars_.row(1, 0, 40), before);
    }
}

void TestConversion::tumeruOutsideTheGridWritesNothing()
{
    // Lines past the grid's last one, and negative lines, are left alone
    // (the grids would assert on a write there).
    tumeru(chars_, texts_, cells_, 1, 3);
    tumeru(chars_, texts_, cells_, 1, -1);
    Grid shorter;
    shorter.reset(1);
    tumeru(chars_, texts_, shorter, 1, 2);
    QCOMPARE(chars_.lastLine(), 2);
    QCOMPARE(shorter.lastLine(), 1);
}

void TestConversion::convertLetters_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("braille");

    // Rows: 28 single capital, 104 run of capitals, 31 small letter; letter
    // a is row 19, b 20, c 22, x 126, y 147, z 142.
    QTest::newRow("Ａ alone") << "Ａ"
                              << "　　Ａ" << cells({28, 19});
    QTest::newRow("ＡＢＣ") << "ＡＢＣ"
                            << "　　　ＡＢＣ" << cells({104, 19, 20, 22});
    QTest::newRow("Ａｂｃ") << "Ａｂｃ"
                            << "　　Ａｂｃ" << cells({28, 19, 20, 22});
    QTest::newRow("ａｂ") << "ａｂ"
                          << "　ａｂ" << cells({31, 19, 20});
    QTest::newRow("ａＢ: capital after small is single") << "ａＢ"
                                                         << "　ａ　　Ｂ" << cells({31, 19, 28, 20});
    QTest::newRow("ａＢＣ: capital run after small") << "ａＢＣ"
                                                     << "　ａ　　　ＢＣ" << cells({31, 19, 104, 20, 22});
    QTest::newRow("ＸＹｚ") << "ＸＹｚ"
                            << "　　　ＸＹｚ" << cells({104, 126, 147, 142});
    QTest::newRow("separate words") << "Ａ　ｂ"
                                    << "　　Ａ　　ｂ" << cells({28, 19}) + "　" + cells({31, 20});
    QTest::newRow("half-width letters are not letters") << "Ab"
                                                        << "Ab"
                                                        << "";
    QTest::newRow("kana untouched") << "あＡ"
                                    << "あ　　Ａ"
                                    << "　" + cells({28, 19});
}

void TestConversion::convertLetters()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(QString, braille);
    putLine(line);
    ConvertLetters(chars_, cells_, texts_, keys_.UpperLetters, keys_.LowerLetters, keys_.LetterPatterns,
                   code_.CodePatterns, 1);
    QCOMPARE(trimmedRow(texts_.row(1)), text);
    QCOMPARE(trimmedRow(cells_.row(1)), braille);
}

void TestConversion::convertLettersLeavesColumnsPast30()
{
    // Ｚ in column 30 sees the capital in column 31 and starts a run; the
    // letters from column 31 on are left as they are.
    const QString line = QString(29, QChar(u'あ')) + QStringLiteral("ＺＡｂ");
    putLine(line);
    ConvertLetters(chars_, cells_, texts_, keys_.UpperLetters, keys_.LowerLetters, keys_.LetterPatterns,
                   code_.CodePatterns, 1);
    QCOMPARE(texts_.at(1, 30), QStringLiteral("　　　Ｚ"));
    QCOMPARE(cells_.at(1, 30), cells({104, 142}));
    QCOMPARE(texts_.at(1, 31), QStringLiteral("Ａ"));
    QCOMPARE(cells_.at(1, 31), QStringLiteral("　"));
    QCOMPARE(texts_.at(1, 32), QStringLiteral("ｂ"));
    QCOMPARE(cells_.at(1, 32), QStringLiteral("　"));
}

QTEST_APPLESS_MAIN(TestConversion)
#include "tst_conversion.moc"
