#include "platform/settings.h"
#include "kana/kanaconverter.h"
#include "kana/kananumbers.h"
#include "usermessages/usermessages.h"

#include <QSettings>
#include <QTemporaryDir>
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
    void standardRules_data();
    void standardRules();
    void counterSoundFollowsTheLastSpokenElement_data();
    void counterSoundFollowsTheLastSpokenElement();
    void signsWithoutBrailleAreReadOrReported();
    void lexiconNeverCutsADictionaryWord();
    void userEntriesComeBeforeTheLexicon();
    void unknownWordsAreKeptAndReported();
    void blanksAndLineEndsOfTheSourceStay();
    void userEntriesComeBeforeTheDictionary();
    void fixedWordAfterBlanks_data();
    void fixedWordAfterBlanks();
    void missingDictionaryNamesThePackage();
    void dictionaryFolderChosenInOrder();

private:
    std::unique_ptr<KanaConverter> converter_;
};

void TestKanaConverter::initTestCase()
{
    converter_ = std::make_unique<KanaConverter>();
    QVERIFY2(converter_->isReady(), qPrintable(UserMessages::kanaMessage(converter_->error())));
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
    // Corrected: days of a month and one or two people are native numbers,
    // written in kana (はつか, ふたり), not digits with か and り.
    row("months, days and people", "十二月二十日に二人と五人で", "１２がつ はつかに ふたりと ５にんで");
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
    // Corrected: a title after a person's name is a word of its own.
    row("suffix joins the word before, a title after a name does not", "山田さんが来た。お母さんが来た。",
        "やまだ さんが きた。おかあさんが きた。");
    row("family and given name apart", "山田太郎と申します。", "やまだ たろーと もーします。");
    row("compound split between long elements", "国際連合安全保障理事会",
        "こくさい れんごー あんぜん ほしょー りじかい");
    row("short element joins", "会議室を予約", "かいぎしつを よやく");
    row("a two-mora left element of one kanji joins", "町役場に行く", "まちやくばに いく");
    row("する after two kanji is a word", "毎日運動する。", "まいにち うんどー する。");
    row("する after one kanji is joined", "人を愛する。", "ひとを あいする。");
    row("brackets stay where they are", "「はい」と答えた。", "「はい」と こたえた。");
    row("an opening bracket begins a word", "彼は「行く」と言った。", "かれわ 「いく」と いった。");
    row("half-width marks are punctuation too", "1,000円を(全部)払う。", "1,000えんを (ぜんぶ) はらう。");
    row("a closing bracket before a word", "（注）本文", "（ちゅー） ほんぶん");
    row("no blank inside a syllable of an unknown kana run", "きゃきゅきょ、ひぇ、てぃ", "きゃきゅきょ、ひぇ、てぃ");
    row("a layout marker stays as written", "［ミダシ2］市場の話", "［ミダシ2］しじょーの はなし");
    row("a half-width layout marker stays as written", "[ゲンポン12]本文", "[ゲンポン12]ほんぶん");
    row("brackets with kanji are text, not a marker", "［注1］本文", "［ちゅー1］ ほんぶん");
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
    QTest::newRow("large units in kana, a blank after 億") << u"一億二千万"_s << u"１おく ２０００まん"_s;
    QTest::newRow("no blank after 万") << u"一万二千"_s << u"１まん２０００"_s;
    QTest::newRow("万 alone is never 1まん") << u"万"_s << u"まん"_s;
    QTest::newRow("零 is 0") << u"零"_s << u"０"_s;
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

// Rules after the dictionary, each with rows where it fires and where it
// must not.
void TestKanaConverter::standardRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kana");
    auto row = [](const char *name, const char *text, const char *kana) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(kana);
    };
    // Numbers.
    row("digits and 万 are one number", "人口は8000万人だ。", "じんこーわ 8000まんにんだ。");
    row("a blank after 億 when digits follow", "予算は3億5000万円", "よさんわ 3おく 5000まんえん");
    row("万 with no number is a word", "万年筆を買う", "まんねんひつを かう");
    row("digits and 月 are a month", "7月に会う。何月ですか", "7がつに あう。なんがつですか");
    row("days of a month in kana", "3月3日と4月10日", "3がつ みっかと 4がつ とおか");
    row("the first of a month", "6月1日から", "6がつ ついたちから");
    row("14 and 24 take か", "8月14日と24日", "8がつ 14かと 24か");
    row("one day as a length of time", "1日中歩いて1日おきに休む", "1にちじゅー あるいて 1にち おきに やすむ");
    row("one or two people, not three", "二人で三人に会う", "ふたりで ３にんに あう");
    row("twenty years old, not twenty-one", "二十歳の春と二十一歳", "はたちの はると ２１さい");
    row("数 and 何 with a unit", "数百人、何千本、三十数年", "すーひゃくにん、なんぜんぼん、３０すーねん");
    row("day of the week in brackets", "10月5日（土）", "10がつ いつか（ど）");
    row("numerals inside a word as the lexicon has them", "三原色と一緒に", "３げんしょくと いっしょに");
    row("an approximate number in braille cells", "四、五人", "⠼⠙⠼⠑にん");
    row("a list of numbers keeps its commas", "一、二、三と数える", "１、２、３と かぞえる");
    // 分かち書き.
    row("two-kanji element of two morae", "地図記号を覚える", "ちず きごーを おぼえる");
    row("one-kanji suffix stays", "会議室で", "かいぎしつで");
    row("titles after a name", "佐藤様より鈴木君へ、お客様", "さとー さまより すずき くんえ、おきゃくさま");
    row("a work after a name", "夏目漱石著", "なつめ そーせき ちょ");
    row("prefixes apart before a long word or a number", "元首相の新記録、全10巻",
        "もと しゅしょーの しん きろく、ぜん 10かん");
    row("prefixes joined before a short word, 再 and 第", "新型の再開、第3回", "しんがたの さいかい、だい3かい");
    row("no blank inside a run of digits and letters", "A4の紙とB5用紙", "A4の かみと B5 よーし");
    row("a particle after an abbreviation", "etc.を", "etc. を");
    row("a repeated run of unknown kana", "めえめえと鳴く", "めえめえと なく");
    row("いう is a word", "そういう人とかいう話", "そー いう ひととか いう はなし");
    row("ござる and ください are words", "おはようございます。お待ちください", "おはよー ございます。おまち ください");
    row("literary して, として, して as する", "一瞬にして、代表として、彼にしてもらう",
        "いっしゅんにして、だいひょーと して、かれに して もらう");
    row("ない after て", "知ってない", "しって ない");
    row("a note in brackets after a word", "会議室（仮）", "かいぎしつ（かり）");
    row("a cape apart from its place", "足摺岬", "あしずり みさき");
    // Kana.
    row("iteration marks", "いすゞとこゝろとバナヽ", "いすずと こころと バナナ");
    row("a voiced mark written after its kana", "か゛ん、ウ゛ァイオリン", "がん、ヴァイオリン");
    row("a run of 々", "部分々々", "ぶぶん ぶぶん");
    row("an adjective's ウ音便", "お早うございます", "おはよー ございます");
    row("onomatopoeia's long sound", "ひゅうひゅう吹く", "ひゅーひゅー ふく");
    row("a name in kana stays as it is", "みすずさん", "みすず さん");
    // The lexicon.
    row("discriminatory readings replaced", "盲聾の人と盲の人", "もーろーの ひとと もーの ひと");
    row("a compound the dictionary keeps whole", "電光石火", "でんこー せっか");
}

void TestKanaConverter::standardRules()
{
    QFETCH(QString, text);
    QFETCH(QString, kana);
    QCOMPARE(converter_->convertLine(text).text, kana);
}

// A counter after digits, 何 or a kanji number: the sound change is the
// same however the number is written, decided by its last spoken element.
void TestKanaConverter::counterSoundFollowsTheLastSpokenElement_data()
{
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("plain");   // after 2 and 5, which never change it
    QTest::addColumn<QString>("numbers"); // numbers that change it, and how
    QTest::addColumn<QString>("changed");
    auto row = [](const char *counter, const char *plain, const char *numbers, const char *changed) {
        QTest::newRow(counter) << QString::fromUtf8(counter) << QString::fromUtf8(plain) << QString::fromUtf8(numbers)
                               << QString::fromUtf8(changed);
    };
    row("分", "ふん", "1 3 4 6 8 10 300", "ぷん ぷん ぷん ぷん ぷん ぷん ぷん");
    row("本", "ほん", "1 6 8 10 100 3 何 3000 20", "ぽん ぽん ぽん ぽん ぽん ぼん ぼん ぼん ぽん");
    row("杯", "はい", "1 3 600", "ぱい ばい ぱい");
    row("匹", "ひき", "8 何", "ぴき びき");
    row("発", "はつ", "1 3 6", "ぱつ ぱつ ぱつ");
    row("泊", "はく", "1 3 8 10", "ぱく ぱく ぱく ぱく");
    row("階", "かい", "3 何 1", "がい がい かい");
    row("軒", "けん", "3 何 6", "げん げん けん");
    row("足", "そく", "3 1000 8", "ぞく ぞく そく");
}

void TestKanaConverter::counterSoundFollowsTheLastSpokenElement()
{
    QFETCH(QString, counter);
    QFETCH(QString, plain);
    QFETCH(QString, numbers);
    QFETCH(QString, changed);
    for (const QString &n : {u"2"_s, u"5"_s})
        QCOMPARE(converter_->convertLine(n + counter).text, n + plain);
    const QStringList values = numbers.split(u' ');
    const QStringList kana = changed.split(u' ');
    QCOMPARE(values.size(), kana.size());
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QString expected = (values[i] == u"何" ? u"なん"_s : values[i]) + kana[i];
        QCOMPARE(converter_->convertLine(values[i] + counter).text, expected);
    }
}

void TestKanaConverter::signsWithoutBrailleAreReadOrReported()
{
    const KanaConversion result = converter_->convertLine(u"＄5と￥300、20℃、②、〒、5㎝、♨と☎"_s);
    QCOMPARE(result.text, u"5どると 300えん、20ど、(2)、ゆーびん ばんごー、5cm、♨と☎"_s);
    // Signs left as written are listed, not dropped in silence.
    QCOMPARE(result.unknownWords, QStringList({u"♨"_s, u"☎"_s}));
    // Signs that braille has, and the percent sign in either width, are kept
    // and not reported.
    const KanaConversion percent = converter_->convertLine(u"50％と50%、※"_s);
    QCOMPARE(percent.text, u"50％と 50%、※"_s);
    QVERIFY(percent.unknownWords.isEmpty());
}

void TestKanaConverter::lexiconNeverCutsADictionaryWord()
{
    // 盲 is in the lexicon; 盲目 is the dictionary's word and keeps its
    // reading, where a fixed span would have cut it (もー め).
    QCOMPARE(converter_->convertLine(u"盲目の人"_s).text, u"もーもくの ひと"_s);
}

void TestKanaConverter::userEntriesComeBeforeTheLexicon()
{
    KanaConverter converter;
    converter.setUserEntries({{u"電光石火"_s, u"でんこーせっか"_s}});
    QCOMPARE(converter.convertLine(u"電光石火の速さ"_s).text, u"でんこーせっかの はやさ"_s);
}

void TestKanaConverter::unknownWordsAreKeptAndReported()
{
    const KanaConversion result = converter_->convertText(u"龘が来た。\n龘と𪚲。"_s);
    QCOMPARE(result.text, u"龘が きた。\n龘と 𪚲。"_s);
    QCOMPARE(result.unknownWords, QStringList({u"龘"_s, u"𪚲"_s}));
    // Within one line too, each once, in the order first met.
    const KanaConversion line = converter_->convertLine(u"𪚲と龘と𪚲。"_s);
    QCOMPARE(line.unknownWords, QStringList({u"𪚲"_s, u"龘"_s}));
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

void TestKanaConverter::fixedWordAfterBlanks_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("kana");
    // MeCab reads half-width blanks into the word after them; a word it
    // had to keep whole there once stopped the whole program.
    QTest::newRow("after a blank") << u"2 行目"_s << u"2 ぎょーめ"_s;
    QTest::newRow("after two blanks") << u"2  行目"_s << u"2  ぎょーめ"_s;
    QTest::newRow("after a tab") << u"2\t行目"_s << u"2\tぎょーめ"_s;
    QTest::newRow("at the start, after a blank") << u" 行目"_s << u" ぎょーめ"_s;
    QTest::newRow("after another entry and a blank") << u"行目 行目"_s << u"ぎょーめ ぎょーめ"_s;
    QTest::newRow("after a full-width blank") << u"2　行目"_s << u"2　ぎょーめ"_s;
    QTest::newRow("no blank") << u"2行目"_s << u"2 ぎょーめ"_s;
    // A repeated run of kana is kept whole the same way, with no entry at all.
    QTest::newRow("repeated kana after a blank") << u"羊が めえめえ鳴く"_s << u"ひつじが めえめえ なく"_s;
}

void TestKanaConverter::fixedWordAfterBlanks()
{
    QFETCH(QString, line);
    QFETCH(QString, kana);
    KanaConverter converter;
    converter.setUserEntries({{u"行目"_s, u"ぎょーめ"_s}});
    QCOMPARE(converter.convertLine(line).text, kana);
}

void TestKanaConverter::missingDictionaryNamesThePackage()
{
    KanaConverter converter(u"/nonexistent/dictionary"_s);
    QVERIFY(!converter.isReady());
    QCOMPARE(converter.error().error, KanaError::DictionaryMissing);
    QVERIFY(UserMessages::kanaMessage(converter.error()).contains(u"mecab-ipadic-utf8"_s));
    QVERIFY(converter.convertLine(u"本"_s).text.isEmpty());
}

void TestKanaConverter::dictionaryFolderChosenInOrder()
{
    QTemporaryDir config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    qunsetenv("MIRABO_MECAB_DICDIR");
    // Nothing chosen: a folder that holds a UTF-8 dictionary.
    QVERIFY(MorphemeAnalyzer::isUtf8Dictionary(MorphemeAnalyzer::locateDictionaryDir()));
    Settings::instance().setValue(MorphemeAnalyzer::settingsKey(), u"/from/settings"_s);
    QCOMPARE(MorphemeAnalyzer::locateDictionaryDir(), u"/from/settings"_s);
    qputenv("MIRABO_MECAB_DICDIR", "/from/environment");
    QCOMPARE(MorphemeAnalyzer::locateDictionaryDir(), u"/from/environment"_s);
    QCOMPARE(MorphemeAnalyzer::locateDictionaryDir(u"/from/command/line"_s), u"/from/command/line"_s);
    qunsetenv("MIRABO_MECAB_DICDIR");
    Settings::instance().remove(MorphemeAnalyzer::settingsKey());
}

QTEST_GUILESS_MAIN(TestKanaConverter)
#include "tst_kanaconverter.moc"
