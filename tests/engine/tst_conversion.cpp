#include "engine/conversion.h"
#include "synthetictable.h"

#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::Literals::StringLiterals;

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
    void tumeruPullsInTheRestOfTheLine();
    void tumeruPastTheLastColumnMovesNothing();
    void removeColumnsEqualsTumeruFromTheRight_data();
    void removeColumnsEqualsTumeruFromTheRight();
    void convertLetters_data();
    void convertLetters();
    void convertLettersTakesTheWholeLine();

private:
    // One character per column from column 1, in the character and text
    // grids of the line being translated.
    void putLineGrids(const QString &text);
    QString charRow(int first, int last) const;
    static QString row(const StringLine &grid, int first = 1, int last = LineColumns::kShown);

    CodeTable code_;
    KeyTables keys_;
    Grid chars_;
    Grid cells_;
    Grid texts_;
    std::unique_ptr<AnswerTable> answers_;
    SymbolLine lineChars_;
    StringLine lineCells_;
    StringLine lineTexts_;
};

void TestConversion::init()
{
    code_ = syntheticCodeTable();
    BuildTables(code_, keys_);
    chars_.reset(2);
    cells_.reset(2);
    texts_.reset(2);
    answers_ = std::make_unique<AnswerTable>(code_, keys_);
    lineChars_.reset(40);
    lineCells_.reset(40);
    lineTexts_.reset(40);
}

void TestConversion::putLineGrids(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        lineChars_.set(i + 1, answers_->symbol(text.sliced(i, 1)));
        lineTexts_.assign(i + 1, text.sliced(i, 1));
    }
}

QString TestConversion::charRow(int first, int last) const
{
    QString joined;
    for (int column = first; column <= last; ++column)
        joined += answers_->text(lineChars_.at(column));
    return joined;
}

QString TestConversion::row(const StringLine &grid, int first, int last)
{
    QString joined;
    grid.appendRow(joined, first, last);
    return joined;
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
    putLineGrids(QStringLiteral("きゃあい"));
    for (int column = 1; column <= 4; ++column)
        lineCells_.assign(column, cells({column}));
    tumeru(lineChars_, lineTexts_, lineCells_, 2);
    QCOMPARE(charRow(1, 4), QStringLiteral("きあい　"));
    QCOMPARE(row(lineTexts_, 1, 4), QStringLiteral("きあい　"));
    QCOMPARE(row(lineCells_, 1, 4), cells({1, 3, 4}) + QStringLiteral("　"));
}

// A join pulls the rest of the whole line in, and "　" into its last column.
void TestConversion::tumeruPullsInTheRestOfTheLine()
{
    for (int column = 1; column <= 40; ++column) {
        lineChars_.set(column, answers_->symbol(QString::number(column)));
        lineTexts_.assign(column, QString::number(column));
        lineCells_.assign(column, QString::number(column));
    }
    tumeru(lineChars_, lineTexts_, lineCells_, 29);
    const QList<std::pair<int, QString>> expected = {{28, u"28"_s}, {29, u"30"_s}, {30, u"31"_s},
                                                     {31, u"32"_s}, {39, u"40"_s}, {40, u"　"_s}};
    for (const auto &[column, holds] : expected) {
        QCOMPARE(charRow(column, column), holds);
        QCOMPARE(lineTexts_.at(column).toString(), holds);
        QCOMPARE(lineCells_.at(column).toString(), holds);
    }
}

void TestConversion::tumeruPastTheLastColumnMovesNothing()
{
    putLineGrids(QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"));
    const QString before = charRow(0, 40);
    for (int iti : {41, 500}) {
        tumeru(lineChars_, lineTexts_, lineCells_, iti);
        QCOMPARE(charRow(0, 40), before);
    }
    tumeru(lineChars_, lineTexts_, lineCells_, 35);
    QCOMPARE(charRow(33, 36), QStringLiteral("むめ　　"));
}

void TestConversion::removeColumnsEqualsTumeruFromTheRight_data()
{
    QTest::addColumn<QList<int>>("columns");
    QTest::newRow("one") << QList<int>{2};
    QTest::newRow("neighbours") << QList<int>{5, 6, 7};
    QTest::newRow("apart") << QList<int>{3, 9, 20};
    QTest::newRow("first and last") << QList<int>{1, 40};
    QTest::newRow("outside: nothing moves") << QList<int>{3, 41};
    QTest::newRow("not ascending: nothing moves") << QList<int>{9, 3};
}

// Closing many gaps at once must leave the grids as closing them one by one,
// the rightmost first, does.
void TestConversion::removeColumnsEqualsTumeruFromTheRight()
{
    QFETCH(QList<int>, columns);
    const bool moves = std::is_sorted(columns.begin(), columns.end()) && columns.back() <= 40;
    SymbolLine chars;
    StringLine texts;
    StringLine cells;
    chars.reset(40);
    texts.reset(40);
    cells.reset(40);
    for (int column = 1; column <= 40; ++column) {
        lineChars_.set(column, answers_->symbol(QString::number(column)));
        lineTexts_.assign(column, QString::number(column));
        lineCells_.assign(column, QString::number(100 + column));
        chars.set(column, lineChars_.at(column));
        texts.assign(column, QString::number(column));
        cells.assign(column, QString::number(100 + column));
    }
    if (moves) {
        for (auto it = columns.crbegin(); it != columns.crend(); ++it)
            tumeru(chars, texts, cells, *it);
    }
    const std::vector<int> list(columns.begin(), columns.end());
    lineChars_.removeColumns(list);
    lineTexts_.removeColumns(list);
    lineCells_.removeColumns(list);
    for (int column = 0; column <= 41; ++column) {
        QCOMPARE(lineChars_.at(column), chars.at(column));
        QCOMPARE(lineTexts_.at(column), texts.at(column));
        QCOMPARE(lineCells_.at(column), cells.at(column));
    }
    QCOMPARE(lineTexts_.at(1).toString(), columns.front() == 1 && moves ? u"2"_s : u"1"_s);
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
    // Inside a run the letter sign is not repeated: the capital signs stand
    // alone (⠠, ⠠⠠ where the table's prefixes do not start with row 31).
    QTest::newRow("ａＢ: one letter sign, a capital sign") << "ａＢ"
                                                           << "　ａ　Ｂ" << cells({31, 19}) + QStringLiteral("⠠") + cells({20});
    QTest::newRow("ａＢＣ: capitals to the end take ⠠⠠") << "ａＢＣ"
                                                       << "　ａ　　ＢＣ" << cells({31, 19}) + QStringLiteral("⠠⠠") + cells({20, 22});
    QTest::newRow("ＸＹｚ: not all capitals, ⠠ each") << "ＸＹｚ"
                                                     << "　　Ｘ　Ｙｚ" << cells({28, 126}) + QStringLiteral("⠠") + cells({147, 142});
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
    putLineGrids(line);
    ConvertLetters(lineChars_, lineCells_, lineTexts_, *answers_, keys_.UpperLetters, keys_.LowerLetters,
                   keys_.LetterPatterns, code_.CodePatterns);
    QCOMPARE(trimmedRow(row(lineTexts_)), text);
    QCOMPARE(trimmedRow(row(lineCells_)), braille);
}

void TestConversion::convertLettersTakesTheWholeLine()
{
    // Ｚ in column 30 would start a run of capitals but for the small letter
    // in column 32, past the shown columns.
    const QString line = QString(29, QChar(u'あ')) + QStringLiteral("ＺＡｂ");
    putLineGrids(line);
    ConvertLetters(lineChars_, lineCells_, lineTexts_, *answers_, keys_.UpperLetters, keys_.LowerLetters,
                   keys_.LetterPatterns, code_.CodePatterns);
    QCOMPARE(row(lineTexts_, 30, 32), QStringLiteral("　　Ｚ　Ａｂ"));
    QCOMPARE(row(lineCells_, 30, 32), cells({28, 142}) + QStringLiteral("⠠") + cells({19, 20}));
}

QTEST_APPLESS_MAIN(TestConversion)
#include "tst_conversion.moc"
