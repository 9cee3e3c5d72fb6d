#include "kana/kanaconverter.h"
#include "kana/kananumbers.h"

#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

// Sentences of our own with the braille kana a transcriber writes for them,
// worked out from the rules of 分かち書き and kana spelling.
class TestKanaConverter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rules_data();
    void rules();
    void numbers_data();
    void numbers();
    void unknownWordsAreKeptAndReported();
    void blanksAndLineEndsOfTheSourceStay();
    void userEntriesComeBeforeTheDictionary();
    void missingDictionaryNamesThePackage();

private:
    std::unique_ptr<KanaConverter> converter_;
};

void TestKanaConverter::initTestCase()
{
    converter_ = std::make_unique<KanaConverter>();
    QVERIFY2(converter_->isReady(), qPrintable(converter_->error()));
}

void TestKanaConverter::rules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kana");

    auto row = [](const char *name, const char *text, const char *kana) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(kana);
    };
    // Kana spelling.
    row("particles は and へ are read わ and え", "東京へ行って、先生に会いました。",
        "とーきょーえ いって、せんせいに あいました。");
    row("は after 今日", "今日は良い天気です。", "きょーわ よい てんきです。");
    row("を stays", "机に本を置く。", "つくえに ほんを おく。");
    row("は inside では", "ここではない。", "ここでわ ない。");
    row("ない after a verb joins, else is a word", "行かない、見られない、高くない、食べたくない。",
        "いかない、みられない、たかく ない、たべたく ない。");
    row("greeting こんにちは", "こんにちは。", "こんにちわ。");
    row("ウ after ウ-row and オ-row is ー", "勇気を出して登校した。", "ゆーきを だして とーこー した。");
    row("おとうさん", "お父さんが来た。", "おとーさんが きた。");
    row("おお, ああ, ええ stay", "大きい声でお母さんと姉さんを呼ぶ。",
        "おおきい こえで おかあさんと ねえさんを よぶ。");
    row("エ-row + い stays", "先生と映画を見る。", "せんせいと えいがを みる。");
    row("a verb's closing う stays", "布を縫う。服を買う。思うことを言う。",
        "ぬのを ぬう。ふくを かう。おもう ことを いう。");
    row("volitional う after オ-row", "一緒に帰ろう。", "いっしょに かえろー。");
    row("ぢ and づ as spelt", "鼻血が止まらず、雨が続く。", "はなぢが とまらず、あめが つづく。");
    row("katakana stays katakana", "テレビのニュースを見る。", "テレビの ニュースを みる。");
    // Digits, letters, numbers.
    row("digits as written", "３００円です。", "３００えんです。");
    row("Latin letters as written, a blank before kana", "ＣＤを買う。", "ＣＤ を かう。");
    row("kanji numerals become digits", "三百円の本", "３００えんの ほん");
    row("a counter joins its number", "紙を三枚ください。", "かみを ３まい ください。");
    row("months, days and people", "十二月二十日に二人と五人で", "１２がつ ２０かに ２りと ５にんで");
    row("numerals inside words stay words", "一つずつ一般の人に配る。",
        "ひとつずつ いっぱんの ひとに くばる。");
    // 分かち書き.
    row("auxiliary verb いる is a word", "雨が降っている。", "あめが ふって いる。");
    row("compound verb is one word", "歌い始めて食べ過ぎた。", "うたいはじめて たべすぎた。");
    row("formal nouns are words", "本を読むことが好きだ。家に帰った時、",
        "ほんを よむ ことが すきだ。いえに かえった とき、");
    row("compound particle on a verb", "予算について彼に対して話す。",
        "よさんに ついて かれに たいして はなす。");
    row("という", "花という名前", "はなと いう なまえ");
    row("prefix joins the word after", "今日は第三回の会議", "きょーわ だい３かいの かいぎ");
    row("auxiliary adjective after a stem or after て", "読みやすい本を送ってほしい。",
        "よみやすい ほんを おくって ほしい。");
    row("suffix joins the word before", "山田さんが来た。", "やまださんが きた。");
    row("family and given name apart", "山田太郎と申します。", "やまだ たろーと もーします。");
    row("compound split between long elements", "国際連合安全保障理事会",
        "こくさい れんごー あんぜん ほしょー りじかい");
    row("short element joins", "会議室を予約", "かいぎしつを よやく");
    row("a two-mora left element joins", "理科教室に行く", "りかきょーしつに いく");
    row("する after two kanji is a word", "毎日運動する。", "まいにち うんどー する。");
    row("する after one kanji is joined", "人を愛する。", "ひとを あいする。");
    row("brackets stay where they are", "「はい」と答えた。", "「はい」と こたえた。");
    row("an opening bracket begins a word", "彼は「行く」と言った。", "かれわ 「いく」と いった。");
    row("half-width marks are punctuation too", "1,000円を(全部)払う。", "1,000えんを (ぜんぶ) はらう。");
    row("a closing bracket before a word", "（注）本文", "（ちゅー） ほんぶん");
    row("no blank inside a syllable of an unknown kana run", "きゃきゅきょ、ひぇ、てぃ", "きゃきゅきょ、ひぇ、てぃ");
}

void TestKanaConverter::rules()
{
    QFETCH(QString, text);
    QFETCH(QString, kana);
    QCOMPARE(converter_->convertLine(text).text, kana);
}

void TestKanaConverter::numbers_data()
{
    QTest::addColumn<QString>("kanji");
    QTest::addColumn<QString>("digits");
    QTest::newRow("units") << u"三百"_s << u"３００"_s;
    QTest::newRow("ten alone") << u"十"_s << u"１０"_s;
    QTest::newRow("mixed") << u"二千二十六"_s << u"２０２６"_s;
    QTest::newRow("digit by digit") << u"二〇二六"_s << u"２０２６"_s;
    QTest::newRow("large units stay words") << u"一億二千万"_s << u"１おく２０００まん"_s;
    QTest::newRow("万 alone is one 万") << u"万"_s << u"１まん"_s;
    QTest::newRow("units out of order") << u"百千"_s << QString();
    QTest::newRow("万 twice") << u"一万二万"_s << QString();
    QTest::newRow("not a numeral") << u"一つ"_s << QString();
}

void TestKanaConverter::numbers()
{
    QFETCH(QString, kanji);
    QFETCH(QString, digits);
    QCOMPARE(KanaNumbers::toDigits(kanji), digits);
}

void TestKanaConverter::unknownWordsAreKeptAndReported()
{
    const KanaConversion result = converter_->convertText(u"龘が来た。\n龘と𪚲。"_s);
    QCOMPARE(result.text, u"龘が きた。\n龘と 𪚲。"_s);
    QCOMPARE(result.unknownWords, QStringList({u"龘"_s, u"𪚲"_s}));
}

void TestKanaConverter::blanksAndLineEndsOfTheSourceStay()
{
    const KanaConversion result = converter_->convertText(u"　雨が降る。\r\n\r\n風 が吹く。 \n"_s);
    QCOMPARE(result.text, u"　あめが ふる。\r\n\r\nかぜ が ふく。 \n"_s);
    QVERIFY(result.unknownWords.isEmpty());
}

void TestKanaConverter::userEntriesComeBeforeTheDictionary()
{
    KanaConverter converter;
    converter.setUserEntries(
        {{u"長田"_s, u"おさだ"_s}, {u"長田川"_s, u"ながたがわ"_s}, {u"理事会"_s, u"りじかい"_s}});
    QCOMPARE(converter.convertLine(u"長田さんは長田川で理事会に出た。"_s).text,
             u"おさださんわ ながたがわで りじかいに でた。"_s);
    // The converter given no entries reads the name as the dictionary does.
    QVERIFY(!converter_->convertLine(u"長田さん"_s).text.startsWith(u"おさだ"_s));
}

void TestKanaConverter::missingDictionaryNamesThePackage()
{
    KanaConverter converter(u"/nonexistent/dictionary"_s);
    QVERIFY(!converter.isReady());
    QVERIFY(converter.error().contains(u"mecab-ipadic-utf8"_s));
    QVERIFY(converter.convertLine(u"本"_s).text.isEmpty());
}

QTEST_GUILESS_MAIN(TestKanaConverter)
#include "tst_kanaconverter.moc"
