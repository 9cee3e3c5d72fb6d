#include "braillepages/braillecells.h"
#include "braillepages/pagelayout.h"
#include "braillepages/pageplaces.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Braille lines of words of cells, one blank between words; ⠿ marks no
// sign, it only makes cells that are easy to count.
QString words(const QList<int> &lengths)
{
    QStringList parts;
    QChar cell(0x2801);
    for (int length : lengths) {
        QString word;
        for (int i = 0; i < length; ++i) {
            word += cell;
            cell = QChar(cell.unicode() == 0x283F ? 0x2801 : cell.unicode() + 1);
        }
        parts.append(word);
    }
    return parts.join(QChar(BrailleCells::kBlank));
}

} // namespace

// Where the cells of braille lines stand on the pages laid out from them.
class TestPagePlaces : public QObject
{
    Q_OBJECT

private slots:
    void everyCellIsFoundWhereItStands_data();
    void everyCellIsFoundWhereItStands();
    void linesOfTheLayoutsOwnHoldNoCell();
};

void TestPagePlaces::everyCellIsFoundWhereItStands_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("pageNumbers");
    QTest::newRow("short lines") << QStringList{words({3, 2}), QString(), words({4})} << false;
    // Wrapped at blanks, over several pages of ten lines, with page numbers.
    QStringList many;
    for (int i = 0; i < 30; ++i)
        many.append(words({4, 3, 5, 2, 6}));
    QTest::newRow("wrapped, many pages") << many << true;
    QTest::newRow("a word longer than a line") << QStringList{words({25, 2})} << true;
    // The same cells on the next line must be found there, not again in
    // the line before.
    QTest::newRow("lines alike") << QStringList{words({2}), words({2}), words({2})} << false;
}

void TestPagePlaces::everyCellIsFoundWhereItStands()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, pageNumbers);
    PageSettings settings;
    settings.cells = 10;
    settings.lines = 10;
    settings.pageNumbers = pageNumbers;
    const BraillePages pages = PageLayout::layout(lines, settings);
    const PagePlaces places(lines, pages);
    int lastPage = 0;
    for (int line = 0; line < lines.size(); ++line) {
        for (qsizetype cell = 0; cell < lines[line].size(); ++cell) {
            if (lines[line][cell].unicode() == BrailleCells::kBlank)
                continue;
            const PagePlaces::Place place = places.placeOf(line, cell);
            QVERIFY2(place.page >= 0, qPrintable(u"line %1 cell %2"_s.arg(line).arg(cell)));
            QCOMPARE(pages.pages[place.page][place.line][place.cell], lines[line][cell]);
            QVERIFY(place.page >= lastPage);
            lastPage = place.page;
            QCOMPARE(places.cellAt(place.page, place.line, place.cell), std::make_pair(line, cell));
        }
    }
}

void TestPagePlaces::linesOfTheLayoutsOwnHoldNoCell()
{
    PageSettings settings;
    settings.cells = 10;
    settings.lines = 10;
    settings.pageNumbers = true;
    const QStringList lines{words({3})};
    const PagePlaces places(lines, PageLayout::layout(lines, settings));
    // The page number stands at the end of the first line.
    QCOMPARE(places.cellAt(0, 0, 9), std::make_pair(-1, qsizetype(-1)));
    QCOMPARE(places.cellAt(0, 1, 0), std::make_pair(0, qsizetype(0)));
    QCOMPARE(places.cellAt(0, 1, 3), std::make_pair(-1, qsizetype(-1)));
    QCOMPARE(places.placeOf(1, 0).page, -1);
}

QTEST_MAIN(TestPagePlaces)
#include "tst_pageplaces.moc"
