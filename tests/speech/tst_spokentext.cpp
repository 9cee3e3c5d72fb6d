#include "speech/spokentext.h"

#include <QTest>

// What is read aloud: the dots of a cell by their numbers, and kana in a
// form a voice cannot read as another word.
class TestSpokenText : public QObject
{
    Q_OBJECT

private slots:
    void namesTheMarkedDotsInOrder_data();
    void namesTheMarkedDotsInOrder();
    void onlySixDotCellsHaveDots();
    void kanaAreReadSoundBySound_data();
    void kanaAreReadSoundBySound();
};

void TestSpokenText::namesTheMarkedDotsInOrder_data()
{
    QTest::addColumn<QChar>("cell");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("dots 1 4") << QChar(0x2809) << QStringLiteral("いち の てん、よん の てん");
    QTest::newRow("dot 6 alone") << QChar(0x2820) << QStringLiteral("ろく の てん");
    QTest::newRow("dots 2 3 5") << QChar(0x2816) << QStringLiteral("に の てん、さん の てん、ご の てん");
    QTest::newRow("blank") << QChar(0x2800) << QStringLiteral("あき");
}

void TestSpokenText::namesTheMarkedDotsInOrder()
{
    QFETCH(QChar, cell);
    QFETCH(QString, spoken);
    QCOMPARE(SpokenText::brailleCellDots(cell), spoken);
    QCOMPARE(SpokenText::cellDots(cell.unicode() - 0x2800), spoken);
}

void TestSpokenText::onlySixDotCellsHaveDots()
{
    // Dots 7 and 8 are no six-dot braille; a letter is no cell.
    QVERIFY(SpokenText::brailleCellDots(QChar(0x2840)).isEmpty());
    QVERIFY(SpokenText::brailleCellDots(QChar(0x28FF)).isEmpty());
    QVERIFY(SpokenText::brailleCellDots(QChar(u'あ')).isEmpty());
}

void TestSpokenText::kanaAreReadSoundBySound_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("spoken");
    // A particle written as pronounced and one written as in print stay
    // apart, and a missing ー is not made up for.
    QTest::newRow("particle わ") << QStringLiteral("ぼくわ いく") << QStringLiteral("ボクワ イク");
    QTest::newRow("particle は") << QStringLiteral("ぼくは いく") << QStringLiteral("ボクハ イク");
    QTest::newRow("long vowel sign") << QStringLiteral("おとーさん") << QStringLiteral("オトーサン");
    QTest::newRow("vowel written out") << QStringLiteral("おとうさん") << QStringLiteral("オトウサン");
    QTest::newRow("small kana, iteration") << QStringLiteral("ぁゕゝ") << QStringLiteral("ァヵヽ");
    // What is no hiragana is left as written.
    QTest::newRow("katakana, digits, kanji")
        << QStringLiteral("パン ３こ、1 本。") << QStringLiteral("パン ３コ、1 本。");
}

void TestSpokenText::kanaAreReadSoundBySound()
{
    QFETCH(QString, line);
    QFETCH(QString, spoken);
    QCOMPARE(SpokenText::literalKana(line), spoken);
}

QTEST_GUILESS_MAIN(TestSpokenText)
#include "tst_spokentext.moc"
