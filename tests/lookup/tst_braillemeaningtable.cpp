#include "lookup/braillemeaningtable.h"

#include <QSet>
#include <QTest>

#include <array>

namespace {

QString text(const char16_t *caption)
{
    return caption ? QString::fromUtf16(caption) : QString();
}

// The number of cells a pattern uses; -1 unless its cells start at the first
// and follow one another (a used cell after an empty one, or an empty sign).
int usedCells(QLatin1StringView pattern)
{
    int cells = 0;
    for (int cell = 0; cell < 4; ++cell) {
        const bool used = pattern.sliced(6 * cell, 6) != QLatin1StringView("000000");
        if (used && cells != cell)
            return -1;
        if (used)
            ++cells;
    }
    return cells == 0 ? -1 : cells;
}

} // namespace

class TestBrailleMeaningTable : public QObject
{
    Q_OBJECT

private slots:
    void patternsAreWellFormedAndUnique();
    void signsPerCellCount();
    void labelsFilled();
    void fontSizes();
    void meanings_data();
    void meanings();
    void signsNotInTable_data();
    void signsNotInTable();
};

void TestBrailleMeaningTable::patternsAreWellFormedAndUnique()
{
    QSet<QLatin1StringView> seen;
    for (const BrailleMeaning &entry : BrailleMeaningTable) {
        const QLatin1StringView pattern(entry.pattern);
        QCOMPARE(pattern.size(), 24);
        for (QChar dot : pattern)
            QVERIFY2(dot == u'0' || dot == u'1', entry.pattern);
        QVERIFY2(usedCells(pattern) > 0, entry.pattern);
        QVERIFY2(!seen.contains(pattern), entry.pattern);
        seen.insert(pattern);
    }
}

void TestBrailleMeaningTable::signsPerCellCount()
{
    std::array<int, 5> signs{};
    for (const BrailleMeaning &entry : BrailleMeaningTable)
        ++signs[static_cast<size_t>(usedCells(QLatin1StringView(entry.pattern)))];
    QCOMPARE(signs[1], 63);
    QCOMPARE(signs[2], 141);
    QCOMPARE(signs[3], 8);
    QCOMPARE(signs[4], 3);
}

void TestBrailleMeaningTable::labelsFilled()
{
    int withLabel2 = 0;
    int withLabel4 = 0;
    for (const BrailleMeaning &entry : BrailleMeaningTable) {
        QVERIFY(!text(entry.label1Text).isEmpty());
        QCOMPARE(entry.label2Text == nullptr, entry.label2Size == 0);
        QCOMPARE(entry.label4Text == nullptr, entry.label4Size == 0);
        if (entry.label4Text)
            QVERIFY2(entry.label2Text, entry.pattern);
        withLabel2 += entry.label2Text ? 1 : 0;
        withLabel4 += entry.label4Text ? 1 : 0;
    }
    QCOMPARE(withLabel2, 48);
    QCOMPARE(withLabel4, 18);
}

void TestBrailleMeaningTable::fontSizes()
{
    const QSet<int> sizes = {13, 15, 16, 17, 18, 19, 20, 25, 30};
    for (const BrailleMeaning &entry : BrailleMeaningTable) {
        QVERIFY2(sizes.contains(entry.label1Size), entry.pattern);
        if (entry.label2Text)
            QVERIFY2(sizes.contains(entry.label2Size), entry.pattern);
        if (entry.label4Text)
            QVERIFY2(sizes.contains(entry.label4Size), entry.pattern);
    }
}

void TestBrailleMeaningTable::meanings_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<int>("size1");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<int>("size2");
    QTest::addColumn<QString>("label4");
    QTest::addColumn<int>("size4");

    QTest::newRow("あ, a, 1") << "100000000000000000000000" << u"あ"_qs << 30 << "a(A)" << 30 << "1" << 30;
    QTest::newRow("か and the multiplication sign")
        << "100001000000000000000000" << u"か"_qs << 30 << u"乗号(×)"_qs << 18 << QString() << 0;
    QTest::newRow("わ with half-width katakana and spaces")
        << "001000000000000000000000" << u"わ"_qs << 30 << u"位取り点"_qs << 17 << u"ｱﾎﾟｽﾄﾛ ﾌｨ  (')   "_qs
        << 17;
    QTest::newRow("や with trailing spaces") << "001100000000000000000000" << u"や"_qs << 30
                                             << u"英文で斜線(/)      "_qs << 18 << u"分数線"_qs << 18;
    QTest::newRow("ん, caption ending in a double quote")
        << "001011000000000000000000" << u"ん"_qs << 30 << u"ｸｫｰﾃｰｼｮﾝ ﾏｰｸ閉じ(\")"_qs << 15
        << u"外国語引用符 閉じ"_qs << 16;
    QTest::newRow("opening quotation mark")
        << "011001000000000000000000" << u"英文で(?)"_qs << 18 << u"ｸｫｰﾃｰｼｮﾝ ﾏｰｸ始め\""_qs << 15
        << u"外国語引用符 始め"_qs << 16;
    QTest::newRow("読点, leading and ideographic spaces")
        << "000011000000000000000000" << u" 読　点 （、）"_qs << 19 << u"外字符"_qs << 20 << u"ﾚﾀｰｻｲﾝ"_qs
        << 17;
    QTest::newRow("うぇ is 2-6 then え")
        << "010001110100000000000000" << u"うぇ"_qs << 30 << QString() << 0 << QString() << 0;
    QTest::newRow("long-vowel mark spelt 長音符") << "010010000000000000000000" << u"長音符 （ー）"_qs << 18
                                                  << u"英 文 で（：）"_qs << 18 << QString() << 0;
    QTest::newRow("four cells, two-way arrow")
        << "010101010010010010101010" << u"両向き矢印(⇔)"_qs << 18 << QString() << 0 << QString() << 0;
    QTest::newRow("four cells, long dash")
        << "001001001001001001001001" << u"英文でﾛﾝｸﾞﾀﾞｯｼｭ (―)"_qs << 13 << QString() << 0 << QString() << 0;
}

void TestBrailleMeaningTable::meanings()
{
    QFETCH(QString, pattern);
    const BrailleMeaning *meaning = findBrailleMeaning(pattern);
    QVERIFY(meaning);
    QTEST(text(meaning->label1Text), "label1");
    QTEST(meaning->label1Size, "size1");
    QTEST(text(meaning->label2Text), "label2");
    QTEST(meaning->label2Size, "size2");
    QTEST(text(meaning->label4Text), "label4");
    QTEST(meaning->label4Size, "size4");
}

void TestBrailleMeaningTable::signsNotInTable_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("no dot") << "000000000000000000000000";
    QTest::newRow("か entered in cell 2") << "000000100001000000000000";
    QTest::newRow("2-6 then せ") << "010001110111000000000000";
    QTest::newRow("trailing space") << "100000000000000000000000 ";
    QTest::newRow("cells cut short") << "100000";
    QTest::newRow("empty") << "";
}

void TestBrailleMeaningTable::signsNotInTable()
{
    QFETCH(QString, pattern);
    QCOMPARE(findBrailleMeaning(pattern), nullptr);
}

QTEST_APPLESS_MAIN(TestBrailleMeaningTable)
#include "tst_braillemeaningtable.moc"
