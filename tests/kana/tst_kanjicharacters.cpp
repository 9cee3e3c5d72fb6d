#include "kana/kanawords.h"

#include <QTest>

// Whether a text holds a kanji, which decides whether 点字翻訳 offers
// 点訳かな変換 first: the edges of every block of kanji, and the characters
// just beside them that are none.
class TestKanjiCharacters : public QObject
{
    Q_OBJECT

private slots:
    void kanjiAreFoundAnywhereInAText_data();
    void kanjiAreFoundAnywhereInAText();
};

void TestKanjiCharacters::kanjiAreFoundAnywhereInAText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("kanji");

    QTest::newRow("kana, letters and digits") << QStringLiteral("ひらがなカタカナＡｂ１2。") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("iteration mark") << QStringLiteral("あ々") << true;
    QTest::newRow("shime") << QStringLiteral("〆きり") << true;
    QTest::newRow("ideographic zero") << QStringLiteral("〇ばん") << true;
    QTest::newRow("mark before the iteration mark") << QStringLiteral("〄") << false;
    QTest::newRow("bracket after the ideographic zero") << QStringLiteral("〈あ〉") << false;
    QTest::newRow("first of extension A") << QString(QChar(0x3400)) << true;
    QTest::newRow("last of extension A") << QString(QChar(0x4DBF)) << true;
    QTest::newRow("hexagram after extension A") << QString(QChar(0x4DC0)) << false;
    QTest::newRow("first unified") << QStringLiteral("一") << true;
    QTest::newRow("last unified") << QString(QChar(0x9FFF)) << true;
    QTest::newRow("yi after the unified") << QString(QChar(0xA000)) << false;
    QTest::newRow("compatibility") << QString(QChar(0xF900)) << true;
    QTest::newRow("ligature after compatibility") << QString(QChar(0xFB00)) << false;
    QTest::newRow("outside the BMP, last of a text") << QStringLiteral("かな𠮷") << true;
    QTest::newRow("emoji outside the BMP") << QStringLiteral("😀") << false;
    QTest::newRow("lone high surrogate") << QString(QChar(0xD840)) << false;
    // A long text is looked at a stretch of characters at a time.
    const QString kana(200, QChar(u'あ'));
    QTest::newRow("kanji after long kana") << kana + QStringLiteral("字") << true;
    QTest::newRow("long kana only") << kana << false;
    QTest::newRow("kanji beyond the BMP across a stretch's end")
        << QString(63, QChar(u'あ')) + QStringLiteral("𠮷") + kana << true;
    QTest::newRow("lone high surrogate in long kana") << kana + QChar(0xD840) + kana << false;
}

void TestKanjiCharacters::kanjiAreFoundAnywhereInAText()
{
    QFETCH(QString, text);
    QFETCH(bool, kanji);
    QCOMPARE(KanaWords::containsKanji(text), kanji);
}

QTEST_GUILESS_MAIN(TestKanjiCharacters)
#include "tst_kanjicharacters.moc"
