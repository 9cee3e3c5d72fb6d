#include "engine/translation.h"
#include "lookup/braillemeaningtable.h"
#include "tables/codetableloader.h"

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

// The look-up's pattern of a sign written in Unicode braille, cell for cell.
QString patternOf(QStringView braille)
{
    QString pattern;
    for (const QChar cell : braille) {
        for (int dot = 0; dot < 6; ++dot)
            pattern += (cell.unicode() - 0x2800) & (1 << dot) ? u'1' : u'0';
    }
    return pattern.leftJustified(24, u'0');
}

QString shownText(const BrailleLookUp &shown)
{
    return QStringList{shown.label1Text, shown.label2Text, shown.label4Text}.join(u'|');
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
    void addedMeanings_data();
    void addedMeanings();
    void everySignOfTheTranslationIsFound_data();
    void everySignOfTheTranslationIsFound();
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

// After the table's own captions come the meanings it lacks; a sign the
// table has keeps its captions first.
void TestBrailleMeaningTable::addedMeanings_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("added"); // "" where nothing is shown
    QTest::addColumn<QString>("kept");
    QTest::newRow("numeral sign and a digit") << "⠼⠁" << u"１"_qs << QString();
    QTest::newRow("numeral sign and three digits") << "⠼⠁⠃⠚" << u"１２０"_qs << QString();
    QTest::newRow("semi-voiced and capital sign") << "⠠" << u"半濁音"_qs << u"大文字符"_qs;
    QTest::newRow("voiced sign and middle dot") << "⠐" << u"濁音"_qs << u"中  点"_qs;
    QTest::newRow("yōon sign") << "⠈" << u"拗音"_qs << u"ｱｸｾﾝﾄ"_qs;
    QTest::newRow("special-sound sign and question mark") << "⠢" << u"特殊音"_qs << u"疑問符"_qs;
    QTest::newRow("at sign") << "⠰⠪" << u"＠"_qs << QString();
    QTest::newRow("numeral sign before a kana") << "⠼⠡" << QString() << QString();
    QTest::newRow("digit after a blank cell") << "⠼⠁⠀⠁" << QString() << QString();
}

void TestBrailleMeaningTable::addedMeanings()
{
    QFETCH(QString, sign);
    QFETCH(QString, added);
    QFETCH(QString, kept);
    const std::optional<BrailleLookUp> shown = lookUpBrailleSign(patternOf(sign));
    QCOMPARE(shown.has_value(), !added.isEmpty());
    if (!shown)
        return;
    QVERIFY2(shownText(*shown).contains(added), qPrintable(shownText(*shown)));
    if (!kept.isEmpty())
        QVERIFY2(shown->label1Text.contains(kept), qPrintable(shown->label1Text));
}

// Whatever sign the translation writes for a symbol, the look-up can read.
void TestBrailleMeaningTable::everySignOfTheTranslationIsFound_data()
{
    QTest::addColumn<QString>("symbol");
    const CodeTableLoad load = loadCodeTable(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt"));
    QVERIFY2(load.ok, qPrintable(load.file.detail));
    for (const QChar symbol : u"、。？！・ー「」『』（）【】［］％＆＃＊＠※→←⇔―…～"_qs)
        QTest::addRow("%s", qPrintable(QString(symbol))) << QString(symbol);
}

void TestBrailleMeaningTable::everySignOfTheTranslationIsFound()
{
    QFETCH(QString, symbol);
    static const CodeTable table = loadCodeTable(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt")).table;
    const Translation translation = translateText(table, symbol);
    QCOMPARE(translation.size(), 1);
    QString braille = translation.first().braille;
    while (braille.endsWith(u'⠀') || braille.endsWith(u'　'))
        braille.chop(1);
    QVERIFY2(!braille.isEmpty() && braille.size() <= 4, qPrintable(translation.first().braille));
    QVERIFY2(lookUpBrailleSign(patternOf(braille)), qPrintable(braille));
}

QTEST_APPLESS_MAIN(TestBrailleMeaningTable)
#include "tst_braillemeaningtable.moc"
