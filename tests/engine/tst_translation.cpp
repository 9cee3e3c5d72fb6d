#include "engine/translation.h"
#include "synthetictable.h"

#include <QTest>

// The per-line passes on a code table whose cells name their rows ("<k>"), so
// that every braille cell of a result says where it came from.
class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void line_data();
    void line();
    void rowsHaveThirtyColumns();
    void emptyLineGivesTwoBlankRows();
    void noLinesGiveNoEntries();
    void longLineWarningComesFirst_data();
    void longLineWarningComesFirst();
    void longLineIsTranslatedWhole();
    void shiftTakesColumn31IntoColumn30();
    void smallHiraganaJoinsUpToLineLength();
    void smallKatakanaJoinsOnTheWholeLine();
    void joinsBeforeDigitsAndLettersMoveThem_data();
    void joinsBeforeDigitsAndLettersMoveThem();
    void katakanaSeenHoldsForLaterLines();
    void katakanaSeenClearedByNextTranslation();
    void cellsOfEarlierTranslationDoNotShow();
    void manyLinesTranslateWhole();
    void lastMatchingCodeRowWins_data();
    void lastMatchingCodeRowWins();
    void rowsPast171ComeAfterTheFixedRows();
    void missingRowsGiveEmptyCells();

private:
    // Translates the lines as one document; the translator stays for its
    // state after the last line.
    QStringList translate(const QStringList &lines)
    {
        translator_ = std::make_unique<LineTranslator>(table_);
        Translation translation;
        for (const QString &line : lines) {
            translation.append(TranslatedLine());
            translator_->translate(line, translation.last());
        }
        return listEntries(translation);
    }
    const Module1 &state() const { return translator_->state(); }
    CodeTable table_;
    std::unique_ptr<LineTranslator> translator_;
};

void TestTranslation::init()
{
    table_ = syntheticCodeTable();
}

void TestTranslation::line_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("braille");

    // Code rows, as the plain characters.
    QTest::newRow("kana") << "あか"
                          << "あか" << cells({19, 29});
    QTest::newRow("kanji has no cell") << "山へ"
                                       << "山へ"
                                       << "　" + cells({136});
    QTest::newRow("full-width space") << "あ　い"
                                      << "あ　い" << cells({19, 2, 20});
    QTest::newRow("katakana by its key") << "カ"
                                         << "カ" << cells({29});

    // Small hiragana: joined when the pair is a syllable of the code table.
    // The shift leaves a reset cell inside the line's length, and that cell
    // gets the braille of the full-width space (row 2).
    QTest::newRow("きゃ") << "きゃ"
                          << "きゃ" << cells({33, 2});
    QTest::newRow("ぎょ") << "ぎょうざ"
                          << "ぎょうざ" << cells({39, 22, 56, 2});
    QTest::newRow("two syllables") << "しゃしゅ"
                                   << "しゃしゅ" << cells({59, 60, 2, 2});
    QTest::newRow("ふぁ") << "ふぁ"
                          << "ふぁ" << cells({127, 2});
    QTest::newRow("ヴぁ by its code key") << "ヴぁ"
                                          << "ヴぁ" << cells({165, 2});
    QTest::newRow("あぁ: no such syllable") << "あぁ"
                                            << "あぁ" << cells({19, 15});
    QTest::newRow("ねぇ: no such syllable") << "ねぇ"
                                            << "ねぇ" << cells({109, 18});
    QTest::newRow("きぇ: no such syllable") << "きぇ"
                                            << "きぇ" << cells({32, 18});
    QTest::newRow("small hiragana in column 1") << "ゃあ"
                                                << "ゃあ"
                                                << "　" + cells({19});
    QTest::newRow("small vowel in column 1") << "ぁか"
                                             << "ぁか" << cells({15, 29});
    QTest::newRow("joined pair takes no more") << "きゃぁ"
                                               << "きゃぁ" << cells({33, 15, 2});

    // Voiced and semi-voiced hiragana: one "　" more in the text.
    QTest::newRow("が") << "がか"
                        << "が　か" << cells({30, 29});
    QTest::newRow("ぱぴ") << "ぱぴか"
                          << "ぱ　ぴ　か" << cells({113, 122, 29});

    // ヴ is padded once, by the katakana pass, and not at all once a small
    // katakana has joined it.
    QTest::newRow("ヴ") << "ヴか"
                        << "ヴ　か" << cells({164, 29});
    QTest::newRow("ヴァ") << "ヴァか"
                          << "ヴァか" << cells({165, 29});
    QTest::newRow("ヴ then ヴォ") << "ヴヴォ"
                                  << "ヴ　ヴォ" << cells({164, 168});

    // Digits: numeral sign (68) in front of a number, connector (171) before
    // a syllable of the vowel or ラ row; digits share rows 160, 19, 20, ...
    QTest::newRow("１２３") << "１２３"
                            << "　１２３" << cells({68, 19, 20, 22});
    QTest::newRow("０") << "０"
                        << "　０" << cells({68, 160});
    QTest::newRow("１，０００") << "１，０００"
                                << "　１，０００" << cells({68, 19, 1, 160, 160, 160});
    QTest::newRow("１．５") << "１．５"
                            << "　１．５" << cells({68, 19, 10, 153});
    QTest::newRow("１あ") << "１あ"
                          << "　１　あ" << cells({68, 19, 171, 19});
    QTest::newRow("１ア") << "１ア"
                          << "　１　ア" << cells({68, 19, 171, 19});
    QTest::newRow("９ろ") << "９ろ"
                          << "　９　ろ" << cells({68, 27, 171, 160});
    QTest::newRow("３いぇ") << "３いぇ"
                            << "　３　いぇ" << cells({68, 22, 171, 21, 2});
    QTest::newRow("１　あ") << "１　あ"
                            << "　１　あ" << cells({68, 19, 2, 19});
    // A half-width space is read as the full-width one.
    QTest::newRow("１ あ") << "１ あ"
                           << "　１　あ" << cells({68, 19, 2, 19});
    QTest::newRow("３か: no connector") << "３か"
                                        << "　３か" << cells({68, 22, 29});
    QTest::newRow("two numbers") << "１か２"
                                 << "　１か　２" << cells({68, 19, 29, 68, 20});
    QTest::newRow("number at line end") << "あ５"
                                        << "あ　５" << cells({19, 68, 153});

    // Letters, with kana around them.
    // Kana right after letters is set off by the connector.
    QTest::newRow("ＣＤを") << "ＣＤを"
                            << "　　　ＣＤ　を" << cells({104, 22, 158, 171, 162});
    QTest::newRow("ｘと") << "ｘと"
                          << "　ｘ　と" << cells({31, 126, 171, 98});

    // Katakana passes.
    QTest::newRow("キャ") << "キャ"
                          << "キャ" << cells({33});
    QTest::newRow("ギャ") << "ギャ"
                          << "ギャ" << cells({37});
    QTest::newRow("ガ") << "ガか"
                        << "ガ　か" << cells({30, 29});
    QTest::newRow("キャベツ") << "キャベツ"
                              << "キャベ　ツ" << cells({33, 137, 86});
    QTest::newRow("アァ keeps both cells") << "アァか"
                                           << "アァか" << cells({19}) + "　" + cells({29});
    QTest::newRow("small katakana in column 1") << "ャア"
                                                << "ャア"
                                                << "　" + cells({19});
    QTest::newRow("katakana digit-like") << "５ラ"
                                         << "　５　ラ" << cells({68, 153, 171, 153});

    // Characters outside the Basic Multilingual Plane take one column each.
    QTest::newRow("surrogate pair") << "𠮷あ"
                                    << "𠮷あ"
                                    << "　" + cells({19});
}

void TestTranslation::line()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(QString, braille);
    const QStringList entries = translate({line});
    QCOMPARE(entries.size(), 2);
    QCOMPARE(trimmedRow(entries[0]), text);
    QCOMPARE(trimmedRow(entries[1]), braille);
    QCOMPARE(state().LineCount, 1);
}

void TestTranslation::rowsHaveThirtyColumns()
{
    const QStringList entries = translate({QStringLiteral("あいう")});
    QCOMPARE(entries, QStringList({QStringLiteral("あいう") + spaces(27), cells({19, 20, 22}) + spaces(27)}));
}

void TestTranslation::emptyLineGivesTwoBlankRows()
{
    QCOMPARE(translate({QString()}), QStringList({spaces(30), spaces(30)}));
    QCOMPARE(state().LineCount, 1);
}

void TestTranslation::noLinesGiveNoEntries()
{
    translate({QStringLiteral("あ")});
    QVERIFY(translate({}).isEmpty());
    QCOMPARE(state().LineCount, 0);
}

void TestTranslation::longLineWarningComesFirst_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("warningAt");

    const QString thirty(30, QChar(u'あ'));
    QTest::newRow("30 characters") << QStringList{thirty} << QList<int>{};
    QTest::newRow("31 characters") << QStringList{thirty + "い"} << QList<int>{0};
    QTest::newRow("30 with a surrogate pair")
        << QStringList{QString(29, QChar(u'あ')) + "𠮷"} << QList<int>{};
    QTest::newRow("31 with a surrogate pair") << QStringList{thirty + "𠮷"} << QList<int>{0};
    QTest::newRow("second of three") << QStringList{"か", thirty + "か", "か"} << QList<int>{2};
    QTest::newRow("two long lines") << QStringList{thirty + "か", thirty + "かき"} << QList<int>{0, 3};
}

void TestTranslation::longLineWarningComesFirst()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, warningAt);
    const QStringList entries = translate(lines);
    QCOMPARE(entries.size(), 2 * lines.size() + warningAt.size());
    for (int i = 0; i < entries.size(); ++i)
        QCOMPARE(entries[i] == kLongLineWarning, warningAt.contains(i));
}

void TestTranslation::longLineIsTranslatedWhole()
{
    // The rows show 30 columns; the grids hold the whole line, past column
    // 40 too.
    const QString line = QString(39, QChar(u'か')) + QStringLiteral("ＡきゃＢ１");
    const QStringList entries = translate({line});
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0], kLongLineWarning);
    QCOMPARE(entries[1], QString(30, QChar(u'か')));
    QCOMPARE(translator_->charAt(40), QStringLiteral("Ａ"));
    QCOMPARE(translator_->charAt(41), QStringLiteral("きゃ"));
    QCOMPARE(translator_->charAt(43), QStringLiteral("１"));
    QString braille;
    translator_->appendWholeBraille(braille);
    QString expected;
    for (int i = 0; i < 39; ++i)
        expected += cells({29});
    QCOMPARE(braille, expected + cells({28, 19, 171, 33, 28, 20, 68, 19}));
}

void TestTranslation::joinsBeforeDigitsAndLettersMoveThem_data()
{
    QTest::addColumn<QString>("rest");
    QTest::newRow("digit, letter") << QStringLiteral("３ａ");
    QTest::newRow("letter, digit") << QStringLiteral("ａ３");
    QTest::newRow("join between") << QStringLiteral("１２きょｂ");
    QTest::newRow("capitals, join, digit") << QStringLiteral("ＡＢきゅ５");
}

void TestTranslation::joinsBeforeDigitsAndLettersMoveThem()
{
    // After a joined syllable the digits and letters stand a column further
    // left than the characters: they read as they do at the line's start.
    QFETCH(QString, rest);
    const auto braille = [this](const QString &line) {
        LineTranslator translator(table_);
        translator.translateCells(line);
        QString cells;
        translator.appendWholeBraille(cells);
        return cells;
    };
    const QString syllable = QStringLiteral("きゃ");
    QCOMPARE(braille(syllable + rest), braille(syllable) + braille(rest));
    QCOMPARE(braille(syllable + syllable + rest), braille(syllable + syllable) + braille(rest));
}

void TestTranslation::shiftTakesColumn31IntoColumn30()
{
    // After the join column 30 shows what column 31 held.
    const QString line = QStringLiteral("きゃ") + QString(28, QChar(u'あ')) + QStringLiteral("い");
    const QStringList entries = translate({line});
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[1], QStringLiteral("きゃ") + QString(28, QChar(u'あ')) + QStringLiteral("い"));
    QString braille = cells({33});
    for (int i = 0; i < 28; ++i)
        braille += cells({19});
    QCOMPARE(entries[2], braille + cells({20}));
}

void TestTranslation::smallHiraganaJoinsUpToLineLength()
{
    // き in column 30 and ゃ in column 31: the hiragana pass looks at the
    // whole line, so column 30 shows the syllable.
    const QString line = QString(29, QChar(u'か')) + QStringLiteral("きゃ");
    const QStringList entries = translate({line});
    QCOMPARE(entries[1].right(2), QStringLiteral("きゃ"));
    QVERIFY(entries[2].endsWith(cells({29, 33})));
}

void TestTranslation::smallKatakanaJoinsOnTheWholeLine()
{
    // ャ in column 31 joins キ in column 30.
    const QString line = QString(29, QChar(u'カ')) + QStringLiteral("キャ");
    const QStringList entries = translate({line});
    QCOMPARE(entries[1].right(2), QStringLiteral("キャ"));
    QVERIFY(entries[2].endsWith(cells({29, 33})));
}

void TestTranslation::katakanaSeenHoldsForLaterLines()
{
    // A small katakana after hiragana is joined only once a katakana has been
    // seen; the joined cell keeps both cells' braille.
    const QStringList entries =
        translate({QStringLiteral("きャ"), QStringLiteral("ア"), QStringLiteral("きャ")});
    QCOMPARE(trimmedRow(entries[0]), QStringLiteral("きャ"));
    QCOMPARE(trimmedRow(entries[1]), cells({32}));
    QCOMPARE(trimmedRow(entries[4]), QStringLiteral("きャ"));
    QCOMPARE(trimmedRow(entries[5]), cells({32}));
    QCOMPARE(translator_->charAt(1), QStringLiteral("きャ"));
    QVERIFY(state().KatakanaSeen);
}

void TestTranslation::katakanaSeenClearedByNextTranslation()
{
    translate({QStringLiteral("ア")});
    QVERIFY(state().KatakanaSeen);
    translate({QStringLiteral("きャ")});
    QVERIFY(!state().KatakanaSeen);
    QCOMPARE(translator_->charAt(1), QStringLiteral("き"));
}

void TestTranslation::cellsOfEarlierTranslationDoNotShow()
{
    translate({QString(35, QChar(u'か')), QString(30, QChar(u'か'))});
    const QStringList entries = translate({QStringLiteral("い"), QString()});
    QCOMPARE(entries, QStringList({QStringLiteral("い") + spaces(29), cells({20}) + spaces(29), spaces(30),
                                   spaces(30)}));
    QCOMPARE(translator_->charAt(31), QStringLiteral("　"));
}

void TestTranslation::manyLinesTranslateWhole()
{
    QStringList lines;
    for (int i = 1; i <= 250; ++i)
        lines.append(i % 2 ? QStringLiteral("きゃ") : QStringLiteral("ガか"));
    const QStringList entries = translate(lines);
    QCOMPARE(entries.size(), 500);
    QCOMPARE(state().LineCount, 250);
    QCOMPARE(trimmedRow(entries[498]), QStringLiteral("ガ　か"));
    QCOMPARE(trimmedRow(entries[499]), cells({30, 29}));
    QCOMPARE(trimmedRow(entries[497]), cells({33, 2}));
}

void TestTranslation::lastMatchingCodeRowWins_data()
{
    QTest::addColumn<int>("extraRow");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("braille");

    // か is the code key of row 29; カ is the katakana key of row 29.
    QTest::newRow("earlier code row loses") << 12 << "か" << cells({29});
    QTest::newRow("later code row wins") << 150 << "か" << cells({150});
    QTest::newRow("code row before katakana row") << 20 << "カ" << cells({29});
    QTest::newRow("katakana pass has the last word") << 160 << "カ" << cells({29});
}

void TestTranslation::lastMatchingCodeRowWins()
{
    QFETCH(int, extraRow);
    QFETCH(QString, line);
    QFETCH(QString, braille);
    table_.CodeKeys[extraRow] = line;
    QCOMPARE(trimmedRow(translate({line})[1]), braille);
}

void TestTranslation::rowsPast171ComeAfterTheFixedRows()
{
    // Extra rows are looked up where no fixed row has the text, kana keys
    // in katakana too, and of two extra rows with one key the first counts.
    table_.CodeKeys[172] = QStringLiteral("か");
    table_.CodeKeys[180] = QStringLiteral("山");
    table_.CodeKeys[181] = QStringLiteral("ゐ");
    table_.CodeKeys[182] = QStringLiteral("山");
    QCOMPARE(trimmedRow(translate({QStringLiteral("か山ヰゐ")})[1]), cells({29, 180, 181, 181}));
}

void TestTranslation::missingRowsGiveEmptyCells()
{
    // A table that ends before the connector and the ラ row: the digit 5
    // (row 153) and the connector have empty cell strings.
    CodeTable shortTable;
    for (int row = 1; row <= 100; ++row) {
        shortTable.CodeKeys[row] = table_.CodeKeys[row];
        shortTable.CodePatterns[row] = table_.CodePatterns[row];
    }
    table_ = shortTable;
    const QStringList entries = translate({QStringLiteral("５あら")});
    QCOMPARE(trimmedRow(entries[0]), QStringLiteral("　５　あら"));
    QCOMPARE(entries[1], cells({68, 19}) + spaces(28));
}

QTEST_APPLESS_MAIN(TestTranslation)
#include "tst_translation.moc"
