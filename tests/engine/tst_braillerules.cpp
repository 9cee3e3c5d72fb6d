#include "engine/translation.h"
#include "tables/codetableloader.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

// The rules of Japanese braille, one table per rule, through the shipped code
// table. Every expected braille line is worked out by hand from the rules:
// the whole line, blank cells as ⠀ (U+2800), no blanks at the end.
//
// Cells used below: あ⠁ い⠃ う⠉ え⠋ お⠊, か⠡ き⠣ く⠩ け⠫ こ⠪, さ⠱ し⠳ す⠹
// せ⠻ そ⠺, た⠕ ち⠗ つ⠝ て⠟ と⠞, な⠅ に⠇ ぬ⠍ ね⠏ の⠎, は⠥ ひ⠧ ふ⠭ へ⠯ ほ⠮,
// ま⠵ み⠷ む⠽ め⠿ も⠾, や⠌ ゆ⠬ よ⠜, ら⠑ り⠓ る⠙ れ⠛ ろ⠚, わ⠄ を⠔ ん⠴,
// っ⠂ ー⠒; ⠐ voiced, ⠠ semi-voiced, ⠈ ⠘ ⠨ ⠸ ⠢ ⠲ in front of a contracted
// or special sound; ⠼ numeral sign, ⠤ connector, ⠰ letter sign, ⠰⠠ and
// ⠰⠠⠠ capitals.
class TestBrailleRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void wholeLines_data();
    void wholeLines();
    void listShowsThirtyColumnsOfTheWholeLine();
    void specialSounds_data();
    void specialSounds();
    void punctuationBlanks_data();
    void punctuationBlanks();
    void bracketsAndMarks_data();
    void bracketsAndMarks();
    void numbers_data();
    void numbers();
    void latinLetters_data();
    void latinLetters();
    void inputForms_data();
    void inputForms();
    void textRowsOverAddedCells_data();
    void textRowsOverAddedCells();
    void helpExamples_data();
    void helpExamples();

private:
    void addBrailleColumns();
    void checkBraille();
    struct Rows
    {
        QString text;
        QString braille;
    };
    Rows translate(const QString &line);
    CodeTable table_;
};

void TestBrailleRules::initTestCase()
{
    const CodeTableLoad load = loadCodeTable(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt"));
    QVERIFY2(load.ok, qPrintable(load.file.detail));
    table_ = load.table;
}

TestBrailleRules::Rows TestBrailleRules::translate(const QString &text)
{
    LineTranslator translator(table_);
    TranslatedLine line;
    translator.translate(text, line);
    Rows rows{line.text, QString()};
    translator.appendWholeBraille(rows.braille);
    while (rows.text.endsWith(u'　'))
        rows.text.chop(1);
    return rows;
}

void TestBrailleRules::addBrailleColumns()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("braille");
}

// The braille of the whole line, and the text row standing over it: one
// character (or "　") per cell, as long as the braille.
void TestBrailleRules::checkBraille()
{
    QFETCH(QString, line);
    QFETCH(QString, braille);
    const Rows rows = translate(line);
    QCOMPARE(rows.braille, braille);
    QVERIFY2(rows.text.toUcs4().size() <= rows.braille.size(), qPrintable(rows.text));
}

void TestBrailleRules::wholeLines_data()
{
    addBrailleColumns();
    // Every join pulls in what follows: no character is repeated or lost.
    QTest::newRow("21 contracted sounds")
        << "きゃきゅきょしゃしゅしょちゃちゅちょにゃにゅにょひゃひゅひょみゃみゅみょりゃりゅりょ"
        << "⠈⠡⠈⠩⠈⠪⠈⠱⠈⠹⠈⠺⠈⠕⠈⠝⠈⠞⠈⠅⠈⠍⠈⠎⠈⠥⠈⠭⠈⠮⠈⠵⠈⠽⠈⠾⠈⠑⠈⠙⠈⠚";
    QTest::newRow("45 plain kana") << QString("あいうえお").repeated(9) << QString("⠁⠃⠉⠋⠊").repeated(9);
    QTest::newRow("joins after column 40") << QString("あ").repeated(40) + "しゃしゅ"
                                           << QString("⠁").repeated(40) + "⠈⠱⠈⠹";
    QTest::newRow("katakana joins after column 30") << QString("ア").repeated(35) + "キャベツ"
                                                    << QString("⠁").repeated(35) + "⠈⠡⠐⠯⠝";
    // Blank cells at the end of a line are not written; elsewhere they are.
    QTest::newRow("a line ending in a blank") << "あい　" << "⠁⠃";
    QTest::newRow("a line ending in 。 and its blanks") << "あい。" << "⠁⠃⠲";
    QTest::newRow("a blank inside the line stays") << "あ　い" << "⠁⠀⠃";
    QTest::newRow("a blank at the start stays") << "　あ" << "⠀⠁";
}

void TestBrailleRules::wholeLines()
{
    checkBraille();
}

void TestBrailleRules::listShowsThirtyColumnsOfTheWholeLine()
{
    // Today's fault: joining shifts the line left and column 40 is repeated
    // into the gap ("…ひょみみみ…" over "…⠷⠷⠷…").
    const QString line = "きゃきゅきょしゃしゅしょちゃちゅちょにゃにゅにょひゃひゅひょみゃみゅみょりゃりゅりょ";
    const QStringList entries = listEntries(translateText(table_, line));
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0], kLongLineWarning);
    QCOMPARE(entries[1], line + QString(9, u'　'));
    QVERIFY(entries[2].startsWith("⠈⠡⠈⠩⠈⠪"));
    // The columns the joins emptied hold the blank cell of the "　" that
    // moved into them.
    QVERIFY(entries[2].endsWith("⠈⠑⠈⠙⠈⠚" + QString(9, QChar(0x2800))));

    // A line of more than 30 columns shows its first 30.
    const QStringList longer = listEntries(translateText(table_, QString("あ").repeated(29) + "いうえ"));
    QCOMPARE(longer.size(), 3);
    QCOMPARE(longer[1], QString("あ").repeated(29) + "い");
    QCOMPARE(longer[2], QString("⠁").repeated(29) + "⠃");
}

void TestBrailleRules::specialSounds_data()
{
    addBrailleColumns();
    QTest::newRow("イェ") << "イェス" << "⠈⠋⠹";
    QTest::newRow("いぇ") << "いぇ" << "⠈⠋";
    QTest::newRow("キェ") << "キェルケゴール" << "⠈⠫⠙⠫⠐⠪⠒⠙";
    QTest::newRow("きぇ") << "きぇ" << "⠈⠫";
    QTest::newRow("シェ") << "シェフ" << "⠈⠻⠭";
    QTest::newRow("チェ") << "チェロ" << "⠈⠟⠚";
    QTest::newRow("ニェ") << "ニェット" << "⠈⠏⠂⠞";
    QTest::newRow("ヒェ") << "ヒェー" << "⠈⠯⠒";
    QTest::newRow("みぇ") << "みぇる" << "⠈⠿⠙";
    QTest::newRow("リェ") << "リェカ" << "⠈⠛⠡";
    QTest::newRow("ギェ") << "ギェー" << "⠘⠫⠒";
    QTest::newRow("ジェ") << "ジェット" << "⠘⠻⠂⠞";
    QTest::newRow("ヂェ") << "ヂェ" << "⠘⠟";
    QTest::newRow("ビェ") << "ビェラ" << "⠘⠯⠑";
    QTest::newRow("ピェ") << "ピェロ" << "⠨⠯⠚";
    QTest::newRow("スィ") << "スィート" << "⠈⠳⠒⠞";
    QTest::newRow("すぃ") << "すぃ" << "⠈⠳";
    QTest::newRow("ズィ") << "ズィー" << "⠘⠳⠒";
    QTest::newRow("ティ") << "ティーム" << "⠈⠗⠒⠽";
    QTest::newRow("ディ") << "ディスク" << "⠘⠗⠹⠩";
    QTest::newRow("トゥ") << "トゥナ" << "⠢⠝⠅";
    QTest::newRow("ドゥ") << "ドゥエ" << "⠲⠝⠋";
    QTest::newRow("テュ") << "テューバ" << "⠨⠝⠒⠐⠥";
    QTest::newRow("デュ") << "デュオ" << "⠸⠝⠊";
    QTest::newRow("フュ") << "フュージョン" << "⠨⠬⠒⠘⠺⠴";
    QTest::newRow("ふょ") << "ふょ" << "⠨⠜";
    QTest::newRow("ヴュ") << "レヴュー" << "⠛⠸⠬⠒";
    QTest::newRow("ヴョ") << "ヴョ" << "⠸⠜";
    QTest::newRow("ウァ") << "ウァ" << "⠢⠁";
    QTest::newRow("うぁ") << "うぁ" << "⠢⠁";
    QTest::newRow("ウィ") << "ウィンク" << "⠢⠃⠴⠩";
    QTest::newRow("ウェ") << "ウェブ" << "⠢⠋⠐⠭";
    QTest::newRow("ウォ") << "ウォーク" << "⠢⠊⠒⠩";
    QTest::newRow("クァ") << "クァルテット" << "⠢⠡⠙⠟⠂⠞";
    QTest::newRow("グァ") << "グァム" << "⠲⠡⠽";
    QTest::newRow("ツァ") << "ツァー" << "⠢⠕⠒";
    QTest::newRow("ファ") << "ファン" << "⠢⠥⠴";
    QTest::newRow("ヴァ") << "ヴァン" << "⠲⠥⠴";
    QTest::newRow("ヴ") << "ヴ" << "⠐⠉";
    QTest::newRow("ゐ") << "ゐる" << "⠆⠙";
    QTest::newRow("ヰ") << "ヰ" << "⠆";
    QTest::newRow("ゑ") << "ゑ" << "⠖";
    QTest::newRow("ヱ") << "ヱビス" << "⠖⠐⠧⠹";
    QTest::newRow("hiragana ゔ") << "ゔ" << "⠐⠉";
    QTest::newRow("hiragana ゔぁ") << "ゔぁ" << "⠲⠥";
    QTest::newRow("hiragana ゔゅ") << "ゔゅ" << "⠸⠬";
    QTest::newRow("hiragana ゔょ") << "ゔょ" << "⠸⠜";
    QTest::newRow("after a katakana line") << "カ" << "⠡";
    // A small kana with no syllable to join reads as the full-size kana.
    QTest::newRow("small kana alone") << "ゃあ" << "⠌⠁";
}

void TestBrailleRules::specialSounds()
{
    checkBraille();
}

void TestBrailleRules::punctuationBlanks_data()
{
    addBrailleColumns();
    QTest::newRow("、 and 。") << "ア、イ。ウ" << "⠁⠰⠀⠃⠲⠀⠀⠉";
    QTest::newRow("。 ends the line") << "あ。" << "⠁⠲";
    QTest::newRow("？ and ！ ending a sentence") << "はい？いいえ！" << "⠥⠃⠢⠀⠀⠃⠃⠋⠖";
    QTest::newRow("中点") << "パン・ミルク" << "⠠⠥⠴⠐⠀⠷⠙⠩";
    QTest::newRow("typed space counts") << "はい！　そう" << "⠥⠃⠖⠀⠀⠺⠉";
    QTest::newRow("typed space after 。") << "あ。　い" << "⠁⠲⠀⠀⠃";
    QTest::newRow("more typed spaces kept") << "あ。　　　い" << "⠁⠲⠀⠀⠀⠃";
    QTest::newRow("before a closing bracket") << "「はい。」と" << "⠤⠥⠃⠲⠤⠞";
    QTest::newRow("before a closing double bracket") << "『え？』" << "⠰⠤⠋⠢⠤⠆";
    QTest::newRow("before a closing parenthesis") << "（あ、）" << "⠶⠁⠰⠶";
    QTest::newRow("before more punctuation") << "ほんと？！うん" << "⠮⠴⠞⠢⠖⠀⠀⠉⠴";
    QTest::newRow("geminate before 。") << "あっ。" << "⠁⠂⠲";
    QTest::newRow("geminate before 、") << "あっ、うん" << "⠁⠂⠰⠀⠉⠴";
    QTest::newRow("geminate before ！") << "あっ！" << "⠁⠂⠖";
}

void TestBrailleRules::punctuationBlanks()
{
    checkBraille();
}

void TestBrailleRules::bracketsAndMarks_data()
{
    addBrailleColumns();
    QTest::newRow("「」") << "「ア」" << "⠤⠁⠤";
    QTest::newRow("『』") << "『ア』" << "⠰⠤⠁⠤⠆";
    QTest::newRow("（）") << "（ア）" << "⠶⠁⠶";
    for (const QString pair : {"［］", "〔〕", "【】", "《》", "〈〉", "｛｝", "“”", "‘’", "〝〟"})
        QTest::addRow("%s", qPrintable(pair)) << pair[0] + QString("ア") + pair[1] << "⠐⠶⠁⠶⠂";
    QTest::newRow("％") << "５０％" << "⠼⠑⠚⠰⠏";
    QTest::newRow("＆") << "ジャム＆パン" << "⠘⠱⠽⠰⠯⠠⠥⠴";
    QTest::newRow("＃") << "＃３" << "⠰⠩⠼⠉";
    QTest::newRow("＊") << "＊しるし" << "⠰⠡⠳⠙⠳";
    QTest::newRow("＠") << "＠" << "⠰⠪";
    QTest::newRow("※") << "※ちゅうい" << "⠔⠔⠀⠈⠝⠉⠃";
    QTest::newRow("※ with a typed space") << "※　ちゅうい" << "⠔⠔⠀⠈⠝⠉⠃";
    QTest::newRow("→") << "いえ→えき" << "⠃⠋⠀⠒⠒⠕⠀⠋⠣";
    QTest::newRow("→ first") << "→あ" << "⠒⠒⠕⠀⠁";
    QTest::newRow("→ last") << "あ→" << "⠁⠀⠒⠒⠕";
    QTest::newRow("→ between typed spaces") << "あ　→　い" << "⠁⠀⠒⠒⠕⠀⠃";
    QTest::newRow("→ inside brackets") << "「→」" << "⠤⠒⠒⠕⠤";
    QTest::newRow("←") << "ひだり←みぎ" << "⠧⠐⠕⠓⠀⠪⠒⠒⠀⠷⠐⠣";
    QTest::newRow("⇔") << "あ⇔い" << "⠁⠀⠪⠒⠒⠕⠀⠃";
    QTest::newRow("棒線") << "あ―い" << "⠁⠀⠒⠒⠀⠃";
    QTest::newRow("点線 before 。") << "あ…。" << "⠁⠀⠂⠂⠂⠲";
    QTest::newRow("波線 between numbers") << "３～５" << "⠼⠉⠤⠤⠼⠑";
}

void TestBrailleRules::bracketsAndMarks()
{
    checkBraille();
}

void TestBrailleRules::numbers_data()
{
    addBrailleColumns();
    QTest::newRow("numeral sign once") << "１２３" << "⠼⠁⠃⠉";
    QTest::newRow("digit-group point") << "１，０００" << "⠼⠁⠄⠚⠚⠚";
    QTest::newRow("decimal point") << "３．１４" << "⠼⠉⠂⠁⠙";
    QTest::newRow("connector before ら row") << "５れつ" << "⠼⠑⠤⠛⠝";
    QTest::newRow("connector before katakana vowel") << "３エン" << "⠼⠉⠤⠋⠴";
    QTest::newRow("no connector before か") << "３かい" << "⠼⠉⠡⠃";
    QTest::newRow("no connector after a space") << "１　あ" << "⠼⠁⠀⠁";
    QTest::newRow("colon") << "２１：４６" << "⠼⠃⠁⠐⠂⠼⠙⠋";
    QTest::newRow("hyphen") << "１２３－４５" << "⠼⠁⠃⠉⠤⠼⠙⠑";
    QTest::newRow("half-width colon") << "21:46" << "⠼⠃⠁⠐⠂⠼⠙⠋";
    QTest::newRow("half-width hyphen") << "03-1234" << "⠼⠚⠉⠤⠼⠁⠃⠉⠙";
    QTest::newRow("date") << "２０２６ねん１２がつ" << "⠼⠃⠚⠃⠋⠏⠴⠼⠁⠃⠐⠡⠝";
}

void TestBrailleRules::numbers()
{
    checkBraille();
}

void TestBrailleRules::latinLetters_data()
{
    addBrailleColumns();
    QTest::newRow("hyphen in capitals") << "ＭＳ－ＤＯＳ" << "⠰⠠⠠⠍⠎⠤⠰⠠⠠⠙⠕⠎";
    QTest::newRow("half-width hyphen in capitals") << "MS-DOS" << "⠰⠠⠠⠍⠎⠤⠰⠠⠠⠙⠕⠎";
    QTest::newRow("hyphen in small letters") << "ｅ－ｍａｉｌ" << "⠰⠑⠤⠰⠍⠁⠊⠇";
    QTest::newRow("hyphen between a letter and a digit") << "Ａ－１" << "⠰⠠⠁⠤⠼⠁";
    QTest::newRow("hyphen with nothing to join") << "あ－い" << "⠁⠀⠃";
    QTest::newRow("kana after a capital") << "Ａア" << "⠰⠠⠁⠤⠁";
    QTest::newRow("kana after a capital, not ア row") << "Ｃプラス" << "⠰⠠⠉⠤⠠⠭⠑⠹";
    QTest::newRow("kana after capitals") << "ＯＫです" << "⠰⠠⠠⠕⠅⠤⠐⠟⠹";
    QTest::newRow("kana before letters") << "アカｗｉｎｅ" << "⠁⠡⠰⠺⠊⠝⠑";
    QTest::newRow("space before kana") << "ｐｃ　を" << "⠰⠏⠉⠀⠔";
    QTest::newRow("punctuation after letters") << "ＯＫ。" << "⠰⠠⠠⠕⠅⠲";
    QTest::newRow("digits after letters") << "ＡＢ１２" << "⠰⠠⠠⠁⠃⠼⠁⠃";
    QTest::newRow("capital then small") << "Ｔｏｋｙｏ" << "⠰⠠⠞⠕⠅⠽⠕";
    QTest::newRow("small letters") << "ａｂ" << "⠰⠁⠃";
}

void TestBrailleRules::latinLetters()
{
    checkBraille();
}

void TestBrailleRules::inputForms_data()
{
    addBrailleColumns();
    QTest::newRow("half-width letters and digits") << "abc 123" << "⠰⠁⠃⠉⠀⠼⠁⠃⠉";
    QTest::newRow("half-width katakana") << "ﾃｽﾄ" << "⠟⠹⠞";
    QTest::newRow("half-width voiced katakana") << "ｶﾞｯｺｳ" << "⠐⠡⠂⠪⠉";
    QTest::newRow("half-width special sound") << "ﾌｧｲﾙ" << "⠢⠥⠃⠙";
    QTest::newRow("half-width contracted") << "ｷｬﾍﾞﾂ" << "⠈⠡⠐⠯⠝";
    QTest::newRow("half-width question mark") << "え?" << "⠋⠢";
    QTest::newRow("combining voiced mark") << "か\u3099き" << "⠐⠡⠣";
    QTest::newRow("braille passes through") << "あ⠿い" << "⠁⠿⠃";
    QTest::newRow("braille only") << "⠼⠁⠀⠃" << "⠼⠁⠀⠃";
    QTest::newRow("kanji keeps its place") << "山へ" << "⠀⠯";
    QTest::newRow("emoji keeps its place") << "あ😀い" << "⠁⠀⠃";
    QTest::newRow("character outside the BMP") << "𠮷の" << "⠀⠎";
    QTest::newRow("Greek") << "αあ" << "⠀⠁";
}

void TestBrailleRules::inputForms()
{
    checkBraille();
}

void TestBrailleRules::textRowsOverAddedCells_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("punctuation blanks") << "ア、イ。ウ" << "ア、　イ。　　ウ";
    QTest::newRow("arrow between blanks") << "あ→い" << "あ　→　　　い";
    QTest::newRow("hyphen in a number") << "１－２" << "　１－　２";
    QTest::newRow("connector after a letter") << "Ａア" << "　　Ａ　ア";
    QTest::newRow("half-width forms widened") << "ab ｶﾞｲ" << "　ａｂ　ガ　イ";
    QTest::newRow("hiragana ゔ") << "ゔ" << "ゔ";
    QTest::newRow("emoji") << "あ😀" << "あ😀";
}

void TestBrailleRules::textRowsOverAddedCells()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QCOMPARE(translate(line).text, text);
}

// The help's table of rules shows an example of each rule: each must come
// out as the help says.
void TestBrailleRules::helpExamples_data()
{
    addBrailleColumns();
    QFile help(QStringLiteral(MIRABO_BUILD_DATA_DIR "/tenhelp.html"));
    QVERIFY(help.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(help.readAll());
    const QString rules = html.mid(html.indexOf(QStringLiteral("id=\"rules\"")));
    static const QRegularExpression example(QStringLiteral("(?:<td>|<br>)([^<]+?) → ([\\x{2800}-\\x{28FF}]+)(?=<)"));
    int examples = 0;
    for (const QRegularExpressionMatch &match : example.globalMatch(rules)) {
        QTest::addRow("%s", qPrintable(match.captured(1))) << match.captured(1) << match.captured(2);
        ++examples;
    }
    QVERIFY(examples >= 25);
}

void TestBrailleRules::helpExamples()
{
    checkBraille();
}

QTEST_APPLESS_MAIN(TestBrailleRules)
#include "tst_braillerules.moc"
