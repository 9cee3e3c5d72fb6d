#include "kana/kanaconverter.h"
#include "kana/rubyreading.h"
#include "usermessages/usermessages.h"

#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

// Readings a document prints beside its words (ruby) in 点訳かな変換: each
// is the braille kana of that one occurrence.
class TestRubyReadings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printedReadingAsBrailleKana_data();
    void printedReadingAsBrailleKana();
    void readingsGiveTheirWords_data();
    void readingsGiveTheirWords();
    void aReadingHoldsOnlyWhereItStands();
    void aRegisteredWordIsNoUnknownWord();

private:
    std::unique_ptr<KanaConverter> converter_;
};

void TestRubyReadings::initTestCase()
{
    converter_ = std::make_unique<KanaConverter>();
    QVERIFY2(converter_->isReady(), qPrintable(UserMessages::kanaMessage(converter_->error())));
}

void TestRubyReadings::printedReadingAsBrailleKana_data()
{
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("kana");
    QTest::newRow("う after オ-row") << u"たろう"_s << u"たろー"_s;
    QTest::newRow("う after small ょ") << u"きょうこ"_s << u"きょーこ"_s;
    QTest::newRow("う after ウ-row") << u"ゆうき"_s << u"ゆーき"_s;
    QTest::newRow("う after イ-row stays") << u"いう"_s << u"いう"_s;
    QTest::newRow("おお stays") << u"とおる"_s << u"とおる"_s;
    QTest::newRow("えい stays") << u"えいじ"_s << u"えいじ"_s;
    QTest::newRow("katakana") << u"サトウ"_s << u"さとー"_s;
    QTest::newRow("blanks between names") << u" やまだ　 たろう "_s << u"やまだ たろー"_s;
}

void TestRubyReadings::printedReadingAsBrailleKana()
{
    QFETCH(QString, reading);
    QFETCH(QString, kana);
    QCOMPARE(KanaWords::kanaOfPrintedReading(reading), kana);
}

void TestRubyReadings::readingsGiveTheirWords_data()
{
    QTest::addColumn<QString>("text");
    // base=reading, each placed at the base's next occurrence in the text.
    QTest::addColumn<QStringList>("ruby");
    QTest::addColumn<QString>("kana");
    QTest::newRow("family and given name") << u"山田太郎は来た。"_s << QStringList{u"山田=やまだ"_s, u"太郎=たろう"_s}
                                           << u"やまだ たろーわ きた。"_s;
    QTest::newRow("one ruby over the whole name")
        << u"山田太郎は来た。"_s << QStringList{u"山田太郎=やまだ たろう"_s} << u"やまだ たろーわ きた。"_s;
    QTest::newRow("a rare name") << u"月見里さんに会う。"_s << QStringList{u"月見里=やまなし"_s}
                                 << u"やまなしさんに あう。"_s;
    QTest::newRow("on the second line, CR LF")
        << u"本\r\n山田は"_s << QStringList{u"山田=さんだ"_s} << u"ほん\r\nさんだわ"_s;
}

void TestRubyReadings::readingsGiveTheirWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, ruby);
    QFETCH(QString, kana);
    QList<FixedWord> readings;
    qsizetype from = 0;
    for (const QString &pair : ruby) {
        const QString base = pair.section(u'=', 0, 0);
        const qsizetype at = text.indexOf(base, from);
        QVERIFY(at >= 0);
        readings.append(KanaWords::fixedWordOfRuby(at, base.size(), pair.section(u'=', 1)));
        from = at + base.size();
    }
    const KanaConversion converted = converter_->convertText(text, readings);
    QCOMPARE(converted.text, kana);
    QVERIFY2(converted.unknownWords.isEmpty(), qPrintable(converted.unknownWords.join(u' ')));
}

void TestRubyReadings::aReadingHoldsOnlyWhereItStands()
{
    // The second 月見里 has no ruby: the dictionary reads it its own way.
    const QString converted =
        converter_->convertLine(u"月見里と月見里"_s, {KanaWords::fixedWordOfRuby(0, 3, u"やまなし")}).text;
    QVERIFY2(converted.startsWith(u"やまなしと "_s), qPrintable(converted));
    QCOMPARE(converted.count(u"やまなし"_s), 1);

    // The document's reading wins over the user's entry there, and the
    // entry still holds elsewhere.
    KanaConverter converter;
    converter.setUserEntries({{u"山田"_s, u"さんだ"_s}});
    QCOMPARE(converter.convertLine(u"山田と山田"_s, {KanaWords::fixedWordOfRuby(0, 2, u"やまだ")}).text,
             u"やまだと さんだ"_s);
}

void TestRubyReadings::aRegisteredWordIsNoUnknownWord()
{
    // The dictionary has no reading for 小鳥遊; the user's entry gives one.
    KanaConverter converter;
    converter.setUserEntries({{u"小鳥遊"_s, u"たかなし"_s}});
    const KanaConversion converted = converter.convertLine(u"小鳥遊さん"_s);
    QCOMPARE(converted.text, u"たかなしさん"_s);
    QVERIFY2(converted.unknownWords.isEmpty(), qPrintable(converted.unknownWords.join(u' ')));
}

QTEST_GUILESS_MAIN(TestRubyReadings)
#include "tst_rubyreadings.moc"
