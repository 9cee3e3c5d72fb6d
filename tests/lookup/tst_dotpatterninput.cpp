#include "lookup/dotpatterninput.h"

#include <QTest>

class TestDotPatternInput : public QObject
{
    Q_OBJECT

private slots:
    void readsSigns_data();
    void readsSigns();
    void rejectsOtherText_data();
    void rejectsOtherText();
};

void TestDotPatternInput::readsSigns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("dot digits") << "010101010010010010101010"
                                << "010101010010010010101010";
    QTest::newRow("no dot as digits") << "000000000000000000000000"
                                      << "000000000000000000000000";
    QTest::newRow("braille dot 1") << u"⠁"_qs << "100000000000000000000000";
    QTest::newRow("braille dots 1 and 6") << u"⠡"_qs << "100001000000000000000000";
    QTest::newRow("braille all six dots") << u"⠿"_qs << "111111000000000000000000";
    QTest::newRow("blank braille cell first") << u"⠀⠡"_qs << "000000100001000000000000";
    QTest::newRow("two cells") << u"⠌⠌"_qs << "001100001100000000000000";
    QTest::newRow("four cells") << u"⠪⠒⠒⠕"_qs << "010101010010010010101010";
}

void TestDotPatternInput::readsSigns()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QCOMPARE(parseDotPattern(text), std::optional<QString>(pattern));
}

void TestDotPatternInput::rejectsOtherText_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("23 digits") << "10000000000000000000000";
    QTest::newRow("25 digits") << "1000000000000000000000000";
    QTest::newRow("digit 2") << "200000000000000000000000";
    QTest::newRow("full-width digits") << u"１００００００００００００００００００００００"_qs;
    QTest::newRow("digits with a space") << "100000 000000000000000000";
    QTest::newRow("five braille cells") << u"⠁⠁⠁⠁⠁"_qs;
    QTest::newRow("eight-dot braille") << u"⡁"_qs;
    QTest::newRow("braille and a letter") << u"⠁a"_qs;
    QTest::newRow("braille and a space") << u"⠁ "_qs;
    QTest::newRow("kana") << u"あ"_qs;
}

void TestDotPatternInput::rejectsOtherText()
{
    QFETCH(QString, text);
    QCOMPARE(parseDotPattern(text), std::nullopt);
}

QTEST_APPLESS_MAIN(TestDotPatternInput)
#include "tst_dotpatterninput.moc"
