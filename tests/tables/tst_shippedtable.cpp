#include "lookup/braillemeaningtable.h"
#include "tables/codetableloader.h"
#include "tables/keytables.h"
#include "usermessages/usermessages.h"

#include <QHash>
#include <QTest>

#include <algorithm>

// The shipped code table must be real, standard Japanese braille. Its kana
// rows are checked against the look-up window's meaning table, which is
// independent data.
class TestShippedTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyCellIsBraille();
    void kanaRowsAgreeWithMeaningTable_data();
    void kanaRowsAgreeWithMeaningTable();
    void signsNamedInBothTablesAgree_data();
    void signsNamedInBothTablesAgree();
    void signRows_data();
    void signRows();
    void punctuationRows_data();
    void punctuationRows();

private:
    static QString dotsToCells(QLatin1StringView pattern);
    static QString cells(std::initializer_list<std::initializer_list<int>> dots);
    static QStringList namedCharacters(const char16_t *label);
    CodeTableLoad load_;
    KeyTables keys_;
};

QString TestShippedTable::dotsToCells(QLatin1StringView pattern)
{
    QString out;
    for (int c = 0; c < 4; ++c) {
        int bits = 0;
        for (int d = 0; d < 6; ++d)
            bits |= pattern[6 * c + d] == u'1' ? (1 << d) : 0;
        if (bits)
            out += QChar(0x2800 + bits);
    }
    return out;
}

QString TestShippedTable::cells(std::initializer_list<std::initializer_list<int>> dots)
{
    QString out;
    for (const auto &cell : dots) {
        int bits = 0;
        for (int d : cell)
            bits |= 1 << (d - 1);
        out += QChar(0x2800 + bits);
    }
    return out;
}

void TestShippedTable::initTestCase()
{
    load_ = loadCodeTable(QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt"));
    QVERIFY2(load_.ok, qPrintable(UserMessages::codeTableError(load_)));
    QVERIFY2(load_.problems.isEmpty(), qPrintable(UserMessages::codeTableReport(load_)));
    QVERIFY(load_.rows > CodeTable::kLookupRows);
    CodeTable copy = load_.table;
    BuildTables(copy, keys_);
}

void TestShippedTable::everyCellIsBraille()
{
    for (int row = 1; row <= load_.rows; ++row) {
        const QString &cellString = load_.table.CodePatterns[row];
        QVERIFY2(!cellString.isEmpty(), qPrintable(QString::number(row)));
        for (QChar c : cellString)
            QVERIFY2(c.unicode() >= 0x2800 && c.unicode() <= 0x283F, qPrintable(QString::number(row)));
    }
}

void TestShippedTable::kanaRowsAgreeWithMeaningTable_data()
{
    QTest::addColumn<int>("row");
    for (int row = CodeRow::FirstSyllable; row <= CodeRow::LastSyllable; ++row) {
        if (!keys_.KatakanaKeys[row].isEmpty())
            QTest::addRow("%d %s", row, qPrintable(keys_.KatakanaKeys[row])) << row;
    }
}

void TestShippedTable::kanaRowsAgreeWithMeaningTable()
{
    QFETCH(int, row);
    const QString key = load_.table.CodeKeys[row];
    const QString katakana = keys_.KatakanaKeys[row];

    // The key is the hiragana spelling of the row's katakana (ヴ stays ヴ:
    // that is how the meaning table and most texts write it).
    QCOMPARE(key.size(), katakana.size());
    for (qsizetype i = 0; i < key.size(); ++i) {
        if (katakana[i] == u'ヴ')
            QCOMPARE(key[i], QChar(u'ヴ'));
        else
            QCOMPARE(key[i].unicode(), char16_t(katakana[i].unicode() - 0x60));
    }

    const QString label = key == QStringLiteral("っ") ? QStringLiteral("促音(っ)") : key;
    const BrailleMeaning *meaning = nullptr;
    for (const BrailleMeaning &entry : BrailleMeaningTable) {
        if (QString::fromUtf16(entry.label1Text) == label) {
            meaning = &entry;
            break;
        }
    }
    QVERIFY2(meaning, qPrintable(label));
    QCOMPARE(load_.table.CodePatterns[row], dotsToCells(QLatin1StringView(meaning->pattern)));
}

// The characters a caption of the meaning table names: a kana reading or a
// sign standing alone, the sign shown in parentheses (in its full-width form,
// as the translation reads it), or the brackets a composition sign's name
// stands for. Signs of English text are left out: the code table is for
// Japanese text.
QStringList TestShippedTable::namedCharacters(const char16_t *label)
{
    if (!label)
        return {};
    QString text = QString::fromUtf16(label);
    text.remove(u' ');
    text.remove(u'　');
    if (text.startsWith(QStringLiteral("英文で")))
        return {};

    static const QHash<QString, QStringList> bracketNames = {
        {QStringLiteral("第１カギ始め,閉じ"), {QStringLiteral("「"), QStringLiteral("」")}},
        {QStringLiteral("ふたえカギ始め"), {QStringLiteral("『")}},
        {QStringLiteral("ふたえカギ閉じ"), {QStringLiteral("』")}},
        {QStringLiteral("第１カッコ始め,閉じ"), {QStringLiteral("（"), QStringLiteral("）")}},
        {QStringLiteral("第2カッコ始め"), QStringLiteral("［ 〔 【 《 〈 ｛ “ ‘ 〝").split(u' ')},
        {QStringLiteral("第2カッコ閉じ"), QStringLiteral("］ 〕 】 》 〉 ｝ ” ’ 〟").split(u' ')},
    };
    if (bracketNames.contains(text))
        return bracketNames.value(text);

    const bool kana = std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'ぁ' && c <= u'ゖ') || (c >= u'ァ' && c <= u'ヺ');
    });
    if (kana || text.size() == 1)
        return {text};

    const qsizetype open = std::max(text.lastIndexOf(u'('), text.lastIndexOf(u'（'));
    if (open < 0 || open + 2 >= text.size() || (text[open + 2] != u')' && text[open + 2] != u'）'))
        return {};
    QChar sign = text[open + 1];
    if (sign.unicode() >= 0x21 && sign.unicode() <= 0x7E)
        sign = QChar(sign.unicode() + 0xFEE0);
    return {QString(sign)};
}

void TestShippedTable::signsNamedInBothTablesAgree_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("pattern");
    int compared = 0;
    for (std::size_t entry = 0; entry < BrailleMeaningTable.size(); ++entry) {
        const BrailleMeaning &meaning = BrailleMeaningTable[entry];
        for (const char16_t *label : {meaning.label1Text, meaning.label2Text, meaning.label4Text}) {
            for (const QString &name : namedCharacters(label)) {
                // Row 10's key is the decimal point, a number sign: the
                // meaning table's "．" is the period of English text.
                for (int row = 2; row <= load_.rows; ++row) {
                    if (row == CodeRow::NumberContinuation || load_.table.CodeKeys[row] != name)
                        continue;
                    QTest::addRow("entry %d, row %d %s", int(entry) + 1, row, qPrintable(name))
                        << row << QString::fromLatin1(meaning.pattern);
                    ++compared;
                }
            }
        }
    }
    // Nearly every kana and sign of the code table has a meaning entry.
    QVERIFY(compared > 180);
}

void TestShippedTable::signsNamedInBothTablesAgree()
{
    QFETCH(int, row);
    QFETCH(QString, pattern);
    QCOMPARE(load_.table.CodePatterns[row], dotsToCells(QLatin1StringView(pattern.toLatin1())));
}

void TestShippedTable::signRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1 digit-group point") << 1 << cells({{3}});
    QTest::newRow("10 decimal point") << 10 << cells({{2}});
    QTest::newRow("28 single capital") << 28 << cells({{5, 6}, {6}});
    QTest::newRow("31 letter prefix") << 31 << cells({{5, 6}});
    QTest::newRow("68 numeral sign") << 68 << cells({{3, 4, 5, 6}});
    QTest::newRow("104 capital run") << 104 << cells({{5, 6}, {6}, {6}});
    QTest::newRow("171 connector") << 171 << cells({{3, 6}});
    QTest::newRow("24 うぇ") << 24 << cells({{2, 6}, {1, 2, 4}});
}

void TestShippedTable::signRows()
{
    QFETCH(int, row);
    QFETCH(QString, expected);
    QCOMPARE(load_.table.CodePatterns[row], expected);
}

void TestShippedTable::punctuationRows_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("full-width space") << QStringLiteral("　") << cells({{}});
    QTest::newRow("half-width space") << QStringLiteral(" ") << cells({{}});
    QTest::newRow("、") << QStringLiteral("、") << cells({{5, 6}});
    QTest::newRow("。") << QStringLiteral("。") << cells({{2, 5, 6}});
    QTest::newRow("？") << QStringLiteral("？") << cells({{2, 6}});
    QTest::newRow("！") << QStringLiteral("！") << cells({{2, 3, 5}});
    QTest::newRow("・") << QStringLiteral("・") << cells({{5}});
    QTest::newRow("ー") << QStringLiteral("ー") << cells({{2, 5}});
    QTest::newRow("「") << QStringLiteral("「") << cells({{3, 6}});
    QTest::newRow("」") << QStringLiteral("」") << cells({{3, 6}});
    // A small vowel that forms no syllable with the kana before it is read as
    // the full-size vowel.
    QTest::newRow("ぁ") << QStringLiteral("ぁ") << cells({{1}});
    QTest::newRow("ぃ") << QStringLiteral("ぃ") << cells({{1, 2}});
    QTest::newRow("ぅ") << QStringLiteral("ぅ") << cells({{1, 4}});
    QTest::newRow("ぇ") << QStringLiteral("ぇ") << cells({{1, 2, 4}});
    QTest::newRow("ぉ") << QStringLiteral("ぉ") << cells({{2, 4}});
}

void TestShippedTable::punctuationRows()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    // The translation takes the last row whose key matches.
    int found = -1;
    for (int row = 2; row <= CodeTable::kLookupRows; ++row) {
        if (load_.table.CodeKeys[row] == key)
            found = row;
    }
    QVERIFY2(found > 0, "the table must carry the key");
    QCOMPARE(load_.table.CodePatterns[found], expected);
}

QTEST_APPLESS_MAIN(TestShippedTable)
#include "tst_shippedtable.moc"
