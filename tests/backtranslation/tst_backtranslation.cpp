#include "backtranslation/backtranslation.h"
#include "backtranslation/braillecell.h"
#include "engine/translation.h"
#include "tables/codetableloader.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Braille read back into kana. Every braille line here is worked out by hand
// from the rules of Japanese braille: kana cells are the vowel dots (あ 1,
// い 12, う 14, え 124, お 24) with the row's dots (か 6, さ 56, た 35, な 3,
// は 36, ま 356, ら 5); ⠐ voiced, ⠠ semi-voiced, ⠈ ⠘ ⠨ yōon, ⠢ ⠲ ⠸ further
// 特殊音; ⠼ numeral sign, ⠰ letter sign, ⠠ capital; 。⠲ 、⠰ ？⠢ ！⠖ ・⠐.
class TestBackTranslation : public QObject
{
    Q_OBJECT

private slots:
    void hiragana_data();
    void hiragana();
    void katakana_data();
    void katakana();
    void bracketsSpanLines();
    void cellOfEveryCharacter();
    void mixedText_data();
    void mixedText();
    void charactersThatAreNoCellsKeepTheirPlace_data();
    void charactersThatAreNoCellsKeepTheirPlace();
    void roundTrip_data();
    void roundTrip();
};

void TestBackTranslation::hiragana_data()
{
    QTest::addColumn<QString>("braille");
    QTest::addColumn<QString>("kana");

    QTest::newRow("plain kana") << "⠱⠩⠑⠀⠿⠚⠴"
                                << "さくら　めろん";
    QTest::newRow("わ を ん っ ー") << "⠄⠔⠴⠂⠒"
                                    << "わをんっー";
    QTest::newRow("ゐ, and ゑ before kana") << "⠆⠀⠖⠧"
                                            << "ゐ　ゑひ";
    QTest::newRow("voiced, semi-voiced") << "⠐⠭⠐⠞⠉⠀⠠⠮⠹⠞"
                                         << "ぶどう　ぽすと";
    QTest::newRow("yōon") << "⠈⠪⠉⠀⠈⠱⠳⠴⠀⠘⠩⠉⠈⠍⠉"
                          << "きょう　しゃしん　ぎゅうにゅう";
    QTest::newRow("semi-voiced yōon") << "⠨⠮⠴⠨⠥"
                                      << "ぴょんぴゃ";
    QTest::newRow("ヴ stays katakana") << "⠐⠉⠀⠲⠥"
                                       << "ヴ　ヴぁ";

    QTest::newRow("number") << "⠼⠁⠃⠉"
                            << "１２３";
    QTest::newRow("digit-group point") << "⠼⠁⠄⠚⠚⠚"
                                       << "１，０００";
    QTest::newRow("decimal point") << "⠼⠉⠂⠁⠙"
                                   << "３．１４";
    QTest::newRow("kana after a number") << "⠼⠉⠡⠃"
                                         << "３かい";
    QTest::newRow("connector dropped") << "⠼⠁⠤⠓⠴"
                                       << "１りん";
    QTest::newRow("number ends at a blank") << "⠼⠁⠀⠁"
                                            << "１　あ";
    QTest::newRow("わ after a number") << "⠼⠉⠄"
                                       << "３わ";
    QTest::newRow("colon between numbers") << "⠼⠃⠁⠐⠂⠼⠙⠋"
                                           << "２１：４６";
    QTest::newRow("hyphen between numbers") << "⠼⠁⠃⠉⠤⠼⠙⠑"
                                            << "１２３－４５";
    QTest::newRow("percent") << "⠼⠑⠚⠰⠏"
                             << "５０％";

    QTest::newRow("small letters") << "⠰⠁⠃⠉"
                                   << "ａｂｃ";
    QTest::newRow("one capital") << "⠰⠠⠞⠕⠅⠽⠕"
                                 << "Ｔｏｋｙｏ";
    QTest::newRow("capital inside a word") << "⠰⠊⠠⠏⠓⠕⠝⠑"
                                           << "ｉＰｈｏｎｅ";
    QTest::newRow("capital run") << "⠰⠠⠠⠝⠓⠅"
                                 << "ＮＨＫ";
    QTest::newRow("hyphen in letters") << "⠰⠠⠠⠍⠎⠤⠰⠠⠠⠙⠕⠎"
                                       << "ＭＳ－ＤＯＳ";
    QTest::newRow("kana after letters") << "⠰⠠⠁⠤⠁⠀⠰⠠⠉⠤⠠⠭⠑⠹"
                                        << "Ａあ　Ｃぷらす";
    QTest::newRow("letters after kana") << "⠁⠡⠰⠺⠊⠝⠑"
                                        << "あかｗｉｎｅ";
    QTest::newRow("letters end at a blank") << "⠰⠁⠀⠁"
                                            << "ａ　あ";

    QTest::newRow("punctuation drops its blanks") << "⠁⠰⠀⠃⠲⠀⠀⠉⠢⠀⠋⠖⠀⠊⠐⠀⠡"
                                                  << "あ、い。う？え！お・か";
    QTest::newRow("a blank of the text stays") << "⠁⠰⠀⠀⠃"
                                               << "あ、　い";
    QTest::newRow("at the end of a line") << "⠁⠲"
                                          << "あ。";
    QTest::newRow("sokuon before punctuation") << "⠁⠂⠖"
                                               << "あっ！";
    QTest::newRow("ASCII and full-width spaces are blanks") << "⠁ ⠃　⠉"
                                                            << "あ　い　う";

    QTest::newRow("かぎ") << "⠤⠁⠲⠤"
                          << "「あ。」";
    QTest::newRow("二重かぎ in かぎ") << "⠤⠰⠤⠁⠤⠆⠤"
                                      << "「『あ』」";
    QTest::newRow("parentheses") << "⠶⠁⠶"
                                 << "（あ）";
    QTest::newRow("square brackets") << "⠐⠶⠁⠶⠂"
                                     << "［あ］";
    QTest::newRow("bracket after letters") << "⠤⠰⠠⠠⠕⠅⠤⠐⠟⠹"
                                           << "「ＯＫ」です";
    QTest::newRow("bracket after a number") << "⠤⠼⠉⠤⠁"
                                            << "「３」あ";
    QTest::newRow("signs") << "⠰⠯⠰⠩⠰⠡⠰⠪"
                           << "＆＃＊＠";
    QTest::newRow("reference mark") << "⠔⠔⠀⠁"
                                    << "※あ";
    QTest::newRow("arrow") << "⠁⠀⠒⠒⠕⠀⠃"
                           << "あ→い";

    QTest::newRow("lone prefixes are kept") << "⠈⠀⠼⠀⠠"
                                            << "⠈　⠼　⠠";
    QTest::newRow("prefix that cannot join") << "⠈⠣⠠⠁"
                                             << "⠈き⠠あ";
    QTest::newRow("cell with no reading") << "⠦⠁"
                                          << "⠦あ";
    QTest::newRow("other characters") << "abc⣿漢⠁"
                                      << "abc⣿漢あ";
    QTest::newRow("empty") << ""
                           << "";
}

void TestBackTranslation::hiragana()
{
    QFETCH(QString, braille);
    QFETCH(QString, kana);
    QCOMPARE(BackTranslator().line(braille), kana);
}

void TestBackTranslation::katakana_data()
{
    QTest::addColumn<QString>("braille");
    QTest::addColumn<QString>("kana");

    QTest::newRow("plain") << "⠿⠚⠴⠀⠄⠔⠆⠖⠁"
                           << "メロン　ワヲヰヱア";
    QTest::newRow("words with 特殊音") << "⠠⠥⠒⠈⠗⠒⠀⠢⠮⠒⠩⠀⠢⠃⠹⠣⠒⠀⠈⠟⠂⠩"
                                       << "パーティー　フォーク　ウィスキー　チェック";
    QTest::newRow("more words") << "⠲⠥⠃⠊⠓⠴⠀⠸⠝⠋⠂⠞⠀⠘⠻⠂⠞⠀⠕⠢⠝⠒"
                                << "ヴァイオリン　デュエット　ジェット　タトゥー";
    QTest::newRow("and more") << "⠨⠬⠒⠘⠺⠴⠀⠘⠗⠹⠩⠀⠲⠡⠽"
                              << "フュージョン　ディスク　グァム";
    QTest::newRow("イェ キェ ニェ ヒェ ミェ リェ") << "⠈⠋⠈⠫⠈⠏⠈⠯⠈⠿⠈⠛"
                                                   << "イェキェニェヒェミェリェ";
    QTest::newRow("ギェ ヂェ ビェ ピェ") << "⠘⠫⠘⠟⠘⠯⠨⠯"
                                         << "ギェヂェビェピェ";
    QTest::newRow("スィ ズィ テュ フョ") << "⠈⠳⠘⠳⠨⠝⠨⠜"
                                         << "スィズィテュフョ";
    QTest::newRow("ドゥ ヴュ ヴョ") << "⠲⠝⠸⠬⠸⠜"
                                    << "ドゥヴュヴョ";
    QTest::newRow("ウァ ウェ ウォ クァ ツァ ツィ ツェ ツォ ファ") << "⠢⠁⠢⠋⠢⠊⠢⠡⠢⠕⠢⠗⠢⠟⠢⠞⠢⠥"
                                                                  << "ウァウェウォクァツァツィツェツォファ";
    QTest::newRow("letters and digits keep their form") << "⠰⠠⠁⠤⠁⠀⠼⠁⠤⠁"
                                                        << "Ａア　１ア";
}

void TestBackTranslation::katakana()
{
    QFETCH(QString, braille);
    QFETCH(QString, kana);
    QCOMPARE(BackTranslator(KanaScript::Katakana).line(braille), kana);
}

void TestBackTranslation::bracketsSpanLines()
{
    QCOMPARE(backTranslateLines({u"⠤⠁"_s, u"⠃⠤"_s, u"⠤⠉"_s}), QStringList({u"「あ"_s, u"い」"_s, u"「う"_s}));
    // A new text starts with no bracket open.
    QCOMPARE(backTranslateLines({u"⠃⠤"_s}), QStringList({u"い「"_s}));
}

void TestBackTranslation::cellOfEveryCharacter()
{
    QList<qsizetype> cells;
    QCOMPARE(BackTranslator().line(u"⠈⠪⠉⠀⠼⠁⠃⠲⠀⠀⠁"_s, &cells), u"きょう　１２。あ"_s);
    QCOMPARE(cells, QList<qsizetype>({0, 0, 2, 3, 5, 6, 7, 10}));
}

// Text → braille with the translation as it stands → text again, for text
// whose braille reads back one way only.
// English, addresses, numbers and signs of mixed text; English comes back
// full-width as the editor holds it, an address as ASCII.
void TestBackTranslation::mixedText_data()
{
    QTest::addColumn<QString>("braille");
    QTest::addColumn<QString>("text");
    QTest::newRow("English, uncontracted") << "⠦⠠⠓⠑⠀⠗⠁⠝⠲⠴" << "Ｈｅ　ｒａｎ．";
    QTest::newRow("English before a particle") << "⠦⠠⠠⠕⠅⠀⠠⠚⠕⠑⠴⠀⠞" << "ＯＫ　Ｊｏｅと";
    QTest::newRow("English with a number") << "⠦⠠⠗⠕⠕⠍⠀⠼⠁⠚⠰⠃⠴" << "Ｒｏｏｍ　１０ｂ";
    QTest::newRow("address") << "⠠⠦⠁⠪⠃⠲⠉⠠⠴" << "a@b.c";
    QTest::newRow("address among kana") << "⠁⠀⠠⠦⠧⠼⠃⠰⠁⠲⠚⠏⠠⠴⠀⠃" << "あv2a.jpい";
    QTest::newRow("range") << "⠼⠉⠤⠤⠼⠋" << "３～６";
    QTest::newRow("点線") << "⠋⠀⠂⠂⠂⠀⠅⠇" << "え…なに";
    QTest::newRow("two numbers of one word") << "⠼⠑⠼⠋⠡⠃" << "５、６かい";
    QTest::newRow("slash between numbers") << "⠼⠁⠌⠼⠉" << "１／３";
    QTest::newRow("slash between abbreviations") << "⠰⠠⠠⠁⠉⠌⠠⠠⠙⠉" << "ＡＣ／ＤＣ";
    QTest::newRow("斜線") << "⠁⠸⠌⠃" << "あ／い";
    QTest::newRow("year") << "⠼⠄⠚⠑" << "’０５";
    QTest::newRow("formula") << "⠼⠉⠢⠼⠑⠀⠒⠒⠀⠼⠓" << "３＋５＝８";
    QTest::newRow("minus") << "⠔⠼⠑" << "－５";
    QTest::newRow("abbreviation") << "⠰⠏⠲⠀⠼⠃" << "ｐ．２";
    QTest::newRow("connector before わ") << "⠼⠓⠤⠄⠓" << "８わり";
    QTest::newRow("mark") << "⠁⠘⠷⠃" << "あ☆い";
    QTest::newRow("を before a number stays without one") << "⠔⠀⠼⠁" << "を　１";
}

void TestBackTranslation::mixedText()
{
    QFETCH(QString, braille);
    QFETCH(QString, text);
    QCOMPARE(BackTranslator().line(braille), text);
}

// A character that is no cell (a letter typed among the cells, a byte that
// was no character) stays where it stood, also between quotation signs.
void TestBackTranslation::charactersThatAreNoCellsKeepTheirPlace_data()
{
    QTest::addColumn<QString>("braille");
    QTest::newRow("among kana") << QStringLiteral("⠁x⠃");
    QTest::newRow("inside 外国語引用符") << QStringLiteral("⠦⠓⠊x⠴");
    QTest::newRow("inside 情報処理用点字") << u"⠠⠦⠁\ufffd⠃⠠⠴"_s;
}

void TestBackTranslation::charactersThatAreNoCellsKeepTheirPlace()
{
    QFETCH(QString, braille);
    for (const bool contracted : {false, true}) {
        BackTranslator translator;
        translator.setContractedEnglish(contracted);
        QList<qsizetype> cellOfChar;
        const QString text = translator.line(braille, &cellOfChar);
        QCOMPARE(cellOfChar.size(), text.size());
        for (qsizetype j = 0; j < braille.size(); ++j) {
            if (BrailleCell::dotsOf(braille[j]) != BrailleCell::kNoCell)
                continue;
            const qsizetype k = cellOfChar.indexOf(j);
            QVERIFY2(k >= 0 && text[k] == braille[j], qPrintable(text));
        }
    }
}

void TestBackTranslation::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("katakana");

    const bool hira = false;
    QTest::newRow("plain") << "さくらがさいた" << hira;
    QTest::newRow("geminate, long vowel") << "がっこう　ぱーてぃー" << hira;
    QTest::newRow("yōon") << "きょうはぎゅうにゅうとぴょんとびゃく" << hira;
    QTest::newRow("katakana") << "ファンタジー　チョコ" << true;
    QTest::newRow("digits") << "１２３" << hira;
    QTest::newRow("digits and ア") << "３あ" << hira;
    QTest::newRow("capitals") << "ＮＨＫ　Ｔｏｋｙｏ" << hira;
    QTest::newRow("punctuation takes blanks") << "はい、そうです。ほんとう？ええ！いぬ・ねこ" << hira;
    QTest::newRow("punctuation before a closing bracket") << "「はい。」と　いった　「まて！」" << hira;
    QTest::newRow("brackets") << "『ほん』を　よむ（あめ）" << hira;
    QTest::newRow("square brackets") << "［ちゅう］の　ほん" << hira;
    QTest::newRow("nested brackets") << "「『あ』」" << hira;
    // ⠤ after a number inside 「」 is the connector or the closing bracket; a
    // line with both readings is left out.
    QTest::newRow("number in brackets, kana after") << "「３」あ　（１）あ" << hira;
    QTest::newRow("number and kana in brackets") << "「３あ」" << hira;
    QTest::newRow("ゐ ゑ") << "ゐど　ゑがお" << hira;
    QTest::newRow("time and number ranges") << "２１：４６に　でる　１２３－４５６７" << hira;
    QTest::newRow("decimal and digit-group points") << "３．１４と　１，２３４．５" << hira;
    QTest::newRow("kana after numbers") << "５０えん　４ばん　９じ５ふん" << hira;
    QTest::newRow("capital runs with a hyphen") << "ＭＳ－ＤＯＳ　ＣＤを　かう" << hira;
    QTest::newRow("letters and numbers joined by a hyphen") << "Ａ－１　１－ａ　ｂ５　ＪＲ１０" << hira;
    QTest::newRow("letter before kana") << "Ａア　Ｅメール　ＵＳＢケーブル" << true;
    QTest::newRow("特殊音") << "キェ　ティー　ウォーター　ディスク　トゥ　フィルム　シェフ　チェック　ツァー" << true;
    QTest::newRow("more 特殊音") << "クォーツ　グァム　デュエット　フュージョン　テューバ　イェ　スィ　ズィ" << true;
    QTest::newRow("ヴ") << "ヴァイオリン　ヴィーナス　ヴェール　ヴォーカル　ヴ" << true;
    QTest::newRow("English among kana") << "かれは　Ｉ　ｓｅｅ．と　いった" << hira;
    QTest::newRow("numbers and signs") << "３＋５＝８　１／３　’０５ねん　ｐ．２" << hira;
    QTest::newRow("ellipsis, marks, nested quotes") << "「え…『あ』」　○×" << hira;
    QTest::newRow("nested parentheses") << "（あ（い）う）え" << hira;
    QTest::newRow("quotations side by side") << "「はい」「いいえ」（あ）（い）" << hira;
    // Left out: hiragana ゔ, whose ⠐⠉ reads back as ヴ, the form the editor keeps;
    // 、 before 」, which is ⠰⠤ like an opening 『; and a blank typed after 。,
    // which merges with the two blanks 。 takes.
}

void TestBackTranslation::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(bool, katakana);

    const CodeTableLoad load = loadCodeTable(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt"));
    QVERIFY2(load.ok, qPrintable(load.file.detail));
    // The whole braille line, as mirabo-cli braille writes it: no blanks at
    // its end to trim.
    LineTranslator translator(load.table);
    TranslatedLine line;
    translator.translate(text, line);
    QString braille;
    translator.appendWholeBraille(braille);
    QCOMPARE(BackTranslator(katakana ? KanaScript::Katakana : KanaScript::Hiragana).line(braille), text);
}

QTEST_GUILESS_MAIN(TestBackTranslation)
#include "tst_backtranslation.moc"
