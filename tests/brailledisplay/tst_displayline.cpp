#include "brailledisplay/displayline.h"

#include <QTest>

#include <algorithm>

namespace {

QString cells(int count)
{
    QString line;
    for (int i = 0; i < count; ++i)
        line.append(QChar(char16_t(0x2801 + i % 0x3F)));
    return line;
}

int caretCells(const std::vector<unsigned char> &dots)
{
    return int(std::count_if(dots.begin(), dots.end(),
                             [](unsigned char d) { return (d & DisplayLine::kCaretDots) == DisplayLine::kCaretDots; }));
}

} // namespace

// The part of a long line that a display shows, and its caret.
class TestDisplayLine : public QObject
{
    Q_OBJECT

private slots:
    void caretIsAlwaysInView_data();
    void caretIsAlwaysInView();
    void panningCoversTheLineOnce_data();
    void panningCoversTheLineOnce();
    void redrawKeepsThePartPannedTo();
    void routingKeysPastTheLineAreNothing();
    void onlyBrailleCharactersHaveDots();
};

void TestDisplayLine::caretIsAlwaysInView_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("caret");
    QTest::newRow("first cell") << 20 << 50 << 0;
    QTest::newRow("last cell of a part") << 20 << 50 << 19;
    QTest::newRow("first cell of the next part") << 20 << 50 << 20;
    QTest::newRow("past the end, line filling the part") << 20 << 40 << 40;
    QTest::newRow("past the end of an empty line") << 14 << 0 << 0;
    QTest::newRow("one-cell display") << 1 << 5 << 3;
}

void TestDisplayLine::caretIsAlwaysInView()
{
    QFETCH(int, width);
    QFETCH(int, length);
    QFETCH(int, caret);
    DisplayLine line;
    line.setWidth(width);
    line.setLine(cells(length), caret);
    QCOMPARE(line.offset() % width, 0);
    QVERIFY(line.offset() <= caret && caret < line.offset() + width);
    const std::vector<unsigned char> dots = line.dots();
    QCOMPARE(int(dots.size()), width);
    QCOMPARE(caretCells(dots), 1);
    QVERIFY((dots[std::size_t(caret - line.offset())] & DisplayLine::kCaretDots) != 0);
    // The routing key over the caret's cell names the caret's cell.
    QCOMPARE(line.cellAtKey(caret - line.offset()), caret);
}

void TestDisplayLine::panningCoversTheLineOnce_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("parts");
    QTest::newRow("shorter than the display") << 40 << 12 << 1;
    QTest::newRow("exactly two parts") << 20 << 40 << 2;
    QTest::newRow("a cell into a third part") << 20 << 41 << 3;
}

void TestDisplayLine::panningCoversTheLineOnce()
{
    QFETCH(int, width);
    QFETCH(int, length);
    QFETCH(int, parts);
    DisplayLine line;
    line.setWidth(width);
    line.setLine(cells(length), -1);
    QVERIFY(!line.panLeft());
    int shown = 1;
    while (line.panRight())
        ++shown;
    QCOMPARE(shown, parts);
    QVERIFY(line.offset() < std::max(length, 1));
    while (line.panLeft())
        --shown;
    QCOMPARE(shown, 1);
    QCOMPARE(line.offset(), 0);
}

void TestDisplayLine::redrawKeepsThePartPannedTo()
{
    DisplayLine line;
    line.setWidth(10);
    line.setLine(cells(35), 2);
    QVERIFY(line.panRight());
    QVERIFY(line.panRight());
    // The same caret, the line drawn again (a timer, another key): stay.
    line.setLine(cells(35), 2);
    QCOMPARE(line.offset(), 20);
    QCOMPARE(caretCells(line.dots()), 0);
    // A caret that moves brings its part back.
    line.setLine(cells(35), 3);
    QCOMPARE(line.offset(), 0);
    // A line that became shorter than the part shown shows its last part.
    line.setLine(cells(35), -1);
    QVERIFY(line.panRight());
    QVERIFY(line.panRight());
    line.setLine(cells(12), -1);
    QCOMPARE(line.offset(), 10);
}

void TestDisplayLine::routingKeysPastTheLineAreNothing()
{
    DisplayLine line;
    line.setWidth(10);
    line.setLine(cells(4), 0);
    QCOMPARE(line.cellAtKey(3), 3);
    QCOMPARE(line.cellAtKey(4), 4); // just past the last cell: the line's end
    QCOMPARE(line.cellAtKey(5), -1);
    QCOMPARE(line.cellAtKey(-1), -1);
    QCOMPARE(line.cellAtKey(10), -1);
}

void TestDisplayLine::onlyBrailleCharactersHaveDots()
{
    QCOMPARE(dotsOfCell(QChar(u'⠀')), 0);
    QCOMPARE(dotsOfCell(QChar(u'⠋')), 0x0B); // dots 1, 2, 4
    QCOMPARE(dotsOfCell(QChar(u'⣿')), 0xFF);
    QCOMPARE(dotsOfCell(QChar(u'　')), 0);
    QCOMPARE(dotsOfCell(QChar(u'a')), 0);
    QCOMPARE(dotsOfCell(QChar(u'⤀')), 0); // just past the braille block
}

QTEST_GUILESS_MAIN(TestDisplayLine)
#include "tst_displayline.moc"
