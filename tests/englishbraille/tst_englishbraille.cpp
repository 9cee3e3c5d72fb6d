#include "englishbraille/computerbraille.h"
#include "englishbraille/englishbraille.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// English braille and computer braille read back what they wrote: every
// sign, numbers running on over points, a..j after numbers, capitals.
class TestEnglishBraille : public QObject
{
    Q_OBJECT

private slots:
    void computerBrailleReadsBack_data();
    void computerBrailleReadsBack();
    void everyComputerSignIsItsOwn();
    void grade1ReadsBack_data();
    void grade1ReadsBack();
    void grade2ReadsBack_data();
    void grade2ReadsBack();
    void unknownCellsAreNotRead();
};

void TestEnglishBraille::computerBrailleReadsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("signs") << u"_~?&#+%=\\$*;,!'<>{}[]|^.:/@-"_s;
    QTest::newRow("numbers over points") << u"10.0.0.255,7"_s;
    QTest::newRow("a..j after a number, then k..z") << u"2a3k9j0z"_s;
    QTest::newRow("a..j after a point in a number") << u"v1.2.beta"_s;
    QTest::newRow("capitals") << u"C:\\Users\\Ken\\A1.TXT"_s;
    QTest::newRow("query") << u"https://ex.jp/a?b=1&c=d#e"_s;
}

void TestEnglishBraille::computerBrailleReadsBack()
{
    QFETCH(QString, text);
    QVERIFY(ComputerBraille::canEncode(text));
    const QString braille = ComputerBraille::encode(text);
    for (const QChar cell : braille)
        QVERIFY(cell.unicode() > 0x2800 && cell.unicode() <= 0x283F);
    bool ok = false;
    QCOMPARE(ComputerBraille::decode(braille, &ok), text);
    QVERIFY(ok);
}

// No two signs share cells, and none is a letter or a digit.
void TestEnglishBraille::everyComputerSignIsItsOwn()
{
    const QString signs = u"_~?&#+%=\\$*;,!'<>{}[]|^.:/@-"_s;
    QStringList seen;
    for (const QChar sign : signs) {
        const QString cells = ComputerBraille::encode(QString(sign));
        QVERIFY2(!cells.isEmpty() && !seen.contains(cells), qPrintable(QString(sign)));
        QVERIFY(ComputerBraille::decode(cells) == QString(sign));
        seen.append(cells);
    }
    QVERIFY(!ComputerBraille::canEncode(u"a b"_s));
    QVERIFY(ComputerBraille::encode(u"é"_s).isEmpty());
}

void TestEnglishBraille::grade1ReadsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("sentence") << u"Yes, she can; it's 3:15!"_s;
    QTest::newRow("capital words") << u"The USA and UK-based NGO"_s;
    QTest::newRow("numbers, letters after them") << u"Gate 12b, 1,000.5 and 4k"_s;
    QTest::newRow("question") << u"Why?"_s;
}

void TestEnglishBraille::grade1ReadsBack()
{
    QFETCH(QString, text);
    bool ok = false;
    QCOMPARE(EnglishBraille::backGrade1(EnglishBraille::grade1(text), &ok), text);
    QVERIFY(ok);
}

void TestEnglishBraille::grade2ReadsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("word signs") << u"you and the people"_s;
    QTest::newRow("group signs") << u"ShoutING"_s.toLower();
}

// liblouis both ways: contracted, shorter, and read back the same.
void TestEnglishBraille::grade2ReadsBack()
{
    QFETCH(QString, text);
    bool failed = true;
    const QString braille = EnglishBraille::grade2(text, &failed);
    QVERIFY(!failed);
    QVERIFY(braille.size() < EnglishBraille::grade1(text).size());
    bool ok = false;
    QCOMPARE(EnglishBraille::backGrade2(braille, &ok), text);
    QVERIFY(ok);
}

void TestEnglishBraille::unknownCellsAreNotRead()
{
    bool ok = true;
    EnglishBraille::backGrade1(u"⠁⠿"_s, &ok);
    QVERIFY(!ok);
    ok = true;
    ComputerBraille::decode(u"⠁⠿"_s, &ok);
    QVERIFY(!ok);
}

QTEST_APPLESS_MAIN(TestEnglishBraille)
#include "tst_englishbraille.moc"
