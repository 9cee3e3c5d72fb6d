#include "braillepages/braillecells.h"
#include "braillepages/pagelayout.h"
#include "brailletext.h"

#include <QTest>

// Page layout: wrapping at blanks, the cells that lead a word, blanks at
// line ends, page breaks and page numbers; the mirror of a line.
class TestPageLayout : public QObject
{
    Q_OBJECT

private slots:
    void wrapsLines_data();
    void wrapsLines();
    void pageNumberLine_data();
    void pageNumberLine();
    void cutsPages_data();
    void cutsPages();
    void mirrorsLines_data();
    void mirrorsLines();
    void settingsAreKeptAndBounded();
};

void TestPageLayout::wrapsLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected");
    // Lines of five cells.
    QTest::newRow("fits") << b(u"⠁⠃⠉") << QStringList{b(u"⠁⠃⠉")};
    QTest::newRow("exactly full") << b(u"⠁⠃⠉⠙⠑") << QStringList{b(u"⠁⠃⠉⠙⠑")};
    QTest::newRow("at the blank") << b(u"⠁⠃_⠉⠙⠑") << QStringList{b(u"⠁⠃"), b(u"⠉⠙⠑")};
    QTest::newRow("blank just past the line") << b(u"⠁⠃⠉⠙⠑_⠋") << QStringList{b(u"⠁⠃⠉⠙⠑"), b(u"⠋")};
    QTest::newRow("blanks not carried over") << b(u"⠁⠃__⠉⠙⠑⠋") << QStringList{b(u"⠁⠃"), b(u"⠉⠙⠑⠋")};
    QTest::newRow("blanks at the end dropped") << b(u"⠁⠃__") << QStringList{b(u"⠁⠃")};
    QTest::newRow("a full line ending in a blank") << b(u"⠁⠃⠉⠙⠑_") << QStringList{b(u"⠁⠃⠉⠙⠑")};
    QTest::newRow("punctuation blanks inside") << b(u"⠁⠲__⠃") << QStringList{b(u"⠁⠲__⠃")};
    QTest::newRow("indent kept") << b(u"__⠁⠃") << QStringList{b(u"__⠁⠃")};
    QTest::newRow("long word split at the end") << b(u"⠁⠃⠉⠙⠑⠋⠛") << QStringList{b(u"⠁⠃⠉⠙⠑"), b(u"⠋⠛")};
    QTest::newRow("short word then long word")
        << b(u"⠁_⠃⠉⠙⠑⠋⠛⠓") << QStringList{b(u"⠁"), b(u"⠃⠉⠙⠑⠋"), b(u"⠛⠓")};
    QTest::newRow("numeral sign stays with its digit") << b(u"⠁⠃⠉⠙⠼⠁⠃") << QStringList{b(u"⠁⠃⠉⠙"), b(u"⠼⠁⠃")};
    QTest::newRow("letter and capital signs together") << b(u"⠁⠃⠉⠰⠠⠁") << QStringList{b(u"⠁⠃⠉"), b(u"⠰⠠⠁")};
    QTest::newRow("yōon prefix") << b(u"⠁⠃⠉⠙⠈⠡") << QStringList{b(u"⠁⠃⠉⠙"), b(u"⠈⠡")};
    QTest::newRow("voiced yōon prefix") << b(u"⠁⠃⠉⠙⠘⠡") << QStringList{b(u"⠁⠃⠉⠙"), b(u"⠘⠡")};
    QTest::newRow("voiced sign") << b(u"⠁⠃⠉⠙⠐⠡") << QStringList{b(u"⠁⠃⠉⠙"), b(u"⠐⠡")};
    QTest::newRow("only leading cells") << b(u"⠼⠼⠼⠼⠼⠼") << QStringList{b(u"⠼⠼⠼⠼⠼"), b(u"⠼")};
    QTest::newRow("empty") << QString() << QStringList{QString()};
    QTest::newRow("all blank") << b(u"___") << QStringList{QString()};
    QTest::newRow("two full lines") << b(u"⠁⠃_⠉⠙_⠑⠋_⠛⠓") << QStringList{b(u"⠁⠃_⠉⠙"), b(u"⠑⠋_⠛⠓")};
    QTest::newRow("three lines") << b(u"⠁⠃⠉_⠙⠑⠋_⠛⠓⠊") << QStringList{b(u"⠁⠃⠉"), b(u"⠙⠑⠋"), b(u"⠛⠓⠊")};
}

void TestPageLayout::wrapsLines()
{
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    QCOMPARE(PageLayout::wrapLine(line, 5), expected);
}

void TestPageLayout::pageNumberLine_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1") << 1 << b(u"________⠼⠁");
    QTest::newRow("10") << 10 << b(u"_______⠼⠁⠚");
    QTest::newRow("29") << 29 << b(u"_______⠼⠃⠊");
    QTest::newRow("305") << 305 << b(u"______⠼⠉⠚⠑");
}

void TestPageLayout::pageNumberLine()
{
    QFETCH(int, number);
    QFETCH(QString, expected);
    QCOMPARE(PageLayout::pageNumberLine(number, 10), expected);
}

void TestPageLayout::cutsPages_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("pageNumbers");
    QTest::addColumn<QList<int>>("pageSizes");
    QTest::addColumn<QStringList>("lastPage");

    const QStringList twentyFive(25, b(u"⠁"));
    QTest::newRow("full pages and a rest")
        << twentyFive << false << QList<int>{10, 10, 5} << QStringList(5, b(u"⠁"));
    QTest::newRow("exactly one page")
        << QStringList(10, b(u"⠁")) << false << QList<int>{10} << QStringList(10, b(u"⠁"));
    QTest::newRow("empty lines kept") << QStringList{b(u"⠁"), QString(), b(u"⠃")} << false << QList<int>{3}
                                      << QStringList{b(u"⠁"), QString(), b(u"⠃")};
    QTest::newRow("nothing gives one empty page") << QStringList() << false << QList<int>{0} << QStringList();
    QStringList wrapsOver(9, b(u"⠁"));
    wrapsOver.append(b(u"⠃⠃⠃⠃⠃⠃_⠉⠉⠉⠉⠉"));
    QTest::newRow("wrapped line goes on over the page break")
        << wrapsOver << false << QList<int>{10, 1} << QStringList{b(u"⠉⠉⠉⠉⠉")};
    QTest::newRow("page numbers take the first line")
        << QStringList(20, b(u"⠁")) << true << QList<int>{10, 10, 3}
        << QStringList{b(u"________⠼⠉"), b(u"⠁"), b(u"⠁")};
}

void TestPageLayout::cutsPages()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, pageNumbers);
    QFETCH(QList<int>, pageSizes);
    QFETCH(QStringList, lastPage);

    PageSettings settings;
    settings.cells = 10;
    settings.lines = 10;
    settings.pageNumbers = pageNumbers;
    const BraillePages pages = PageLayout::layout(lines, settings);
    QList<int> sizes;
    for (const QStringList &page : pages.pages)
        sizes.append(int(page.size()));
    QCOMPARE(sizes, pageSizes);
    QCOMPARE(pages.pages.last(), lastPage);
    QCOMPARE(pages.cells, 10);
    QCOMPARE(pages.lines, 10);
    if (pageNumbers)
        QCOMPARE(pages.pages.first().first(), b(u"________⠼⠁"));
}

void TestPageLayout::mirrorsLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    // Dots 1 2 3 become 4 5 6 and the other way round; the line reads from
    // the right edge of a page four cells wide.
    QTest::newRow("a b") << b(u"⠁⠃") << b(u"__⠘⠈");
    QTest::newRow("numeral sign") << b(u"⠼") << b(u"___⠧");
    QTest::newRow("full and blank") << b(u"⠿_⠤⠒") << b(u"⠒⠤_⠿");
    QTest::newRow("empty") << QString() << b(u"____");
}

void TestPageLayout::mirrorsLines()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(BrailleCells::mirroredLine(line, 4), expected);
}

void TestPageLayout::settingsAreKeptAndBounded()
{
    PageSettings settings;
    settings.cells = 40;
    settings.lines = 25;
    settings.pageNumbers = true;
    settings.save();
    QCOMPARE(PageSettings::load(), settings);

    settings.cells = 99;
    settings.lines = 3;
    settings.save();
    const PageSettings loaded = PageSettings::load();
    QCOMPARE(loaded.cells, PageSettings::kMaxCells);
    QCOMPARE(loaded.lines, PageSettings::kMinLines);
}

QTEST_GUILESS_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
