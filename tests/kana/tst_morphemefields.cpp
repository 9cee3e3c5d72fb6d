#include "kana/kanaconverter.h"
#include "kana/kanawords.h"
#include "kana/morphemeanalyzer.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The fields of a word's feature text, split once when the text is set:
// each field between its commas, empty fields kept, nothing past the last.
// And the list of unknown words, each once in the order first met, for a
// few words as for many.
class TestMorphemeFields : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void uniqueWords_data();
    void uniqueWords();
    void unknownWordsOfALongText_data();
    void unknownWordsOfALongText();
    void entriesMetAgainAnswerAlike_data();
    void entriesMetAgainAnswerAlike();
    void numberDecidedWithFields_data();
    void numberDecidedWithFields();
    void endsWithText_data();
    void endsWithText();
};

void TestMorphemeFields::fields_data()
{
    QTest::addColumn<QString>("featureText");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("exists");

    const QString known = u"名詞,普通,*,*,*,*,窓,マド,マド"_s;
    QTest::newRow("first field") << known << 0 << u"名詞"_s << true;
    QTest::newRow("base form") << known << 6 << u"窓"_s << true;
    QTest::newRow("last field, no comma after it") << known << 8 << u"マド"_s << true;
    QTest::newRow("past the last") << known << 9 << QString() << false;
    const QString unknown = u"名詞,固有,*,*,*,*,*"_s;
    QTest::newRow("unknown word: no reading") << unknown << 7 << QString() << false;
    QTest::newRow("unknown word: its base form") << unknown << 6 << u"*"_s << true;
    QTest::newRow("empty field between commas") << u"動詞,,自立"_s << 1 << QString() << true;
    QTest::newRow("empty field at the end") << u"動詞,自立,"_s << 2 << QString() << true;
    QTest::newRow("empty text: nothing after it") << QString() << 1 << QString() << false;
    const QString many = u"a,b,c,d,e,f,g,h,i,jj,kk"_s;
    QTest::newRow("tenth field of a longer text") << many << 9 << u"jj"_s << true;
    QTest::newRow("eleventh field") << many << 10 << u"kk"_s << true;
    QTest::newRow("past the eleventh") << many << 11 << QString() << false;
    QTest::newRow("ninth field of a longer text") << many << 8 << u"i"_s << true;
}

void TestMorphemeFields::fields()
{
    QFETCH(QString, featureText);
    QFETCH(int, index);
    QFETCH(QString, field);
    QFETCH(bool, exists);

    Morpheme m;
    m.setFeatureText(featureText);
    const QStringView found = m.feature(index);
    QCOMPARE(found.toString(), field);
    // A missing field is no field at all, unlike an empty one.
    QCOMPARE(!found.isNull(), exists);
    // A copy answers alike.
    const Morpheme copy = m;
    QCOMPARE(copy.feature(index).toString(), field);
}

void TestMorphemeFields::uniqueWords_data()
{
    QTest::addColumn<int>("distinct");
    for (const int distinct : {1, 15, 16, 17, 200})
        QTest::addRow("%d words", distinct) << distinct;
}

void TestMorphemeFields::uniqueWords()
{
    QFETCH(int, distinct);
    QStringList expected;
    for (int i = 0; i < distinct; ++i)
        expected.append(u"語%1"_s.arg(i));
    UniqueWords words;
    // Each word, then each again, interleaved and in reverse.
    for (int i = 0; i < distinct; ++i) {
        words.add(expected[i]);
        words.add(expected[i / 2]);
    }
    QStringList reversed(expected.crbegin(), expected.crend());
    words.add(reversed);
    QCOMPARE(words.words(), expected);
}

void TestMorphemeFields::unknownWordsOfALongText_data()
{
    QTest::addColumn<int>("distinct");
    QTest::newRow("just past the few kept in a list") << 17;
    QTest::newRow("enough for the table to grow many times") << 3000;
}

// A text of many lines reports each unknown word once, in the order first
// met, however often and wherever it comes again.
void TestMorphemeFields::unknownWordsOfALongText()
{
    QFETCH(int, distinct);
    // Pairs of ideographs of the supplementary plane, which the dictionary
    // does not hold, each followed by a particle.
    QStringList expected;
    for (int i = 0; i < distinct; ++i) {
        const char32_t pair[] = {char32_t(0x20000 + i / 400), char32_t(0x21000 + i % 400)};
        expected.append(QString::fromUcs4(pair, 2));
    }
    QString text;
    for (int i = 0; i < distinct; ++i)
        text += expected[i] + (i % 10 == 9 ? u"。\n"_s : u"と"_s);
    for (int i = distinct - 1; i >= 0; --i)
        text += expected[i] + u"と"_s + expected[i / 2] + u"。\n"_s;
    KanaConverter converter;
    QVERIFY(converter.isReady());
    QCOMPARE(converter.convertText(text).unknownWords, expected);
}

void TestMorphemeFields::entriesMetAgainAnswerAlike_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("known words, twice") << u"雨が降る。雨が降る。"_s;
    // Unknown words of one kind share the dictionary's entry, not their kana.
    QTest::newRow("two unknown words") << u"龘と𪚲と龘。"_s;
    QTest::newRow("katakana and digits") << u"コーヒーを3杯、コーヒーを2杯"_s;
    QTest::newRow("a blank before a word") << u"本 を 読む"_s;
}

// The analyzer keeps each dictionary entry's fields and kana once: a word
// met again reads exactly as one whose fields are split afresh.
void TestMorphemeFields::entriesMetAgainAnswerAlike()
{
    QFETCH(QString, line);
    MorphemeAnalyzer analyzer;
    QVERIFY(analyzer.isOpen());
    const QList<Morpheme> first = analyzer.analyze(line);
    const QList<Morpheme> again = analyzer.analyze(line);
    QVERIFY(!first.isEmpty());
    QCOMPARE(again.size(), first.size());
    QString surfaces;
    for (qsizetype i = 0; i < first.size(); ++i) {
        // Every word has its fields, a word of the dictionary its reading too.
        QVERIFY(!first[i].partOfSpeech().isEmpty());
        QCOMPARE(!first[i].reading().isEmpty(), first[i].known);
        Morpheme fresh;
        fresh.setSurface(first[i].surface());
        fresh.setFeatureText(first[i].featureText());
        QCOMPARE(KanaWords::kanaOf(first[i]), KanaWords::kanaOf(fresh));
        QCOMPARE(again[i].surface(), first[i].surface());
        QCOMPARE(again[i].featureText(), first[i].featureText());
        QCOMPARE(KanaWords::kanaOf(again[i]), KanaWords::kanaOf(fresh));
        surfaces += first[i].spaceBefore + first[i].surface();
        // A word moved takes its written form along; the one moved from
        // reads as an empty word.
        Morpheme from = first[i];
        const Morpheme to = std::move(from);
        QCOMPARE(to.surface(), first[i].surface());
        QVERIFY(from.surface().isEmpty());
        QVERIFY(!from.isNumber());
    }
    QCOMPARE(surfaces, line);
}

void TestMorphemeFields::numberDecidedWithFields_data()
{
    QTest::addColumn<QString>("featureText");
    QTest::addColumn<bool>("number");
    QTest::newRow("a numeral") << u"名詞,数,*,*,*,*,七,ナナ,ナナ"_s << true;
    QTest::newRow("only the two fields") << u"名詞,数"_s << true;
    QTest::newRow("another noun") << u"名詞,一般,*,*,*,*,机,ツクエ,ツクエ"_s << false;
    QTest::newRow("a counter") << u"名詞,接尾,助数詞,*,*,*,枚,マイ,マイ"_s << false;
    QTest::newRow("the fields the other way round") << u"数,名詞"_s << false;
    QTest::newRow("a longer subdivision") << u"名詞,数詞"_s << false;
    QTest::newRow("part of speech alone") << u"名詞"_s << false;
    QTest::newRow("no fields") << QString() << false;
}

// Whether a word is a number is decided once, when its fields are split,
// and must agree with the fields themselves.
void TestMorphemeFields::numberDecidedWithFields()
{
    QFETCH(QString, featureText);
    QFETCH(bool, number);
    Morpheme m;
    QVERIFY(!m.isNumber());
    m.setFeatureText(featureText);
    QCOMPARE(m.isNumber(), number);
    const Morpheme copy = m;
    QCOMPARE(copy.isNumber(), number);
}

void TestMorphemeFields::endsWithText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("endsWithIu");
    QTest::newRow("the word itself") << u"いう"_s << true;
    QTest::newRow("after more") << u"こういう"_s << true;
    QTest::newRow("its last letter only") << u"う"_s << false;
    QTest::newRow("the word, not at the end") << u"いうと"_s << false;
    QTest::newRow("its letters the other way round") << u"うい"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestMorphemeFields::endsWithText()
{
    QFETCH(QString, text);
    QFETCH(bool, endsWithIu);
    QCOMPARE(KanaWords::endsWithText(text, u"いう"), endsWithIu);
}

QTEST_GUILESS_MAIN(TestMorphemeFields)
#include "tst_morphemefields.moc"
