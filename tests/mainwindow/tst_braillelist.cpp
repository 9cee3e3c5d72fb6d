#include "mainwindow/braillelistview.h"
#include "mainwindow/braillerowpainter.h"
#include "platform/gui/clipboard.h"
#include "platform/gui/japanesefonts.h"

#include <QImage>
#include <QPainter>
#include <QStringListModel>
#include <QTest>

namespace {

QFont listFont()
{
    return JapaneseFonts::gothic(16);
}

bool isDark(const QImage &image, QPointF point)
{
    return qGray(image.pixel(point.toPoint())) < 128;
}

// Dark pixels inside rect.
int inkIn(const QImage &image, const QRect &rect)
{
    int count = 0;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}

QImage paintRow(const BrailleRowPainter &painter, const QString &row, const QRect &rowRect)
{
    QImage image(rowRect.right() + 20, rowRect.bottom() + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    painter.paintRow(p, rowRect, row);
    return image;
}

} // namespace

class TestBrailleList : public QObject
{
    Q_OBJECT

private slots:
    void slotCount_data();
    void slotCount();
    void slotsAreEqualAndAdjacent();
    void slotHoldsFullWidthCharacters();
    void dotsFollowTheBrailleCell();
    void inkOfColumnsAndRows();
    void brailleIsDrawnAsDots_data();
    void brailleIsDrawnAsDots();
    void charactersStayInTheirSlots();
    void narrowCharactersDoNotShiftBraille();
    void listDrawsEntriesThroughThePainter();
    void listCopiesSelectedEntries();
};

void TestBrailleList::slotCount_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("kana") << QStringLiteral("が　い") << 3;
    QTest::newRow("braille") << QStringLiteral("⠐⠡⠃") << 3;
    QTest::newRow("character outside the BMP is one slot") << QStringLiteral("a😀b") << 3;
}

void TestBrailleList::slotCount()
{
    QFETCH(QString, row);
    QFETCH(int, count);
    QCOMPARE(BrailleRowPainter::slotCount(row), count);
    const BrailleRowPainter painter(listFont());
    QCOMPARE(painter.rowSize(row), QSize(count * painter.slotWidth(), painter.rowHeight()));
}

void TestBrailleList::slotsAreEqualAndAdjacent()
{
    const BrailleRowPainter painter(listFont());
    const QRect row(13, 7, 900, painter.rowHeight());
    for (int k = 0; k < 30; ++k) {
        const QRect slot = painter.slotRect(row, k).toRect();
        QCOMPARE(slot.left(), 13 + k * painter.slotWidth());
        QCOMPARE(slot.width(), painter.slotWidth());
        QCOMPARE(slot.top(), row.top());
        QCOMPARE(slot.height(), row.height());
    }
}

void TestBrailleList::slotHoldsFullWidthCharacters()
{
    const BrailleRowPainter painter(listFont());
    const QFontMetrics metrics(listFont());
    for (const QString &character : {QStringLiteral("あ"), QStringLiteral("　"), QStringLiteral("Ｍ")})
        QVERIFY2(painter.slotWidth() >= metrics.horizontalAdvance(character), qPrintable(character));
}

void TestBrailleList::dotsFollowTheBrailleCell()
{
    // Dots 1, 2, 3 down the left column, 4, 5, 6 down the right; 7 and 8 below.
    const BrailleRowPainter painter(listFont());
    const QRect slot = painter.slotRect(QRect(0, 0, 500, painter.rowHeight()), 2).toRect();
    auto at = [&](int dot) { return painter.dotCentre(slot, dot); };
    for (int dot = 1; dot <= 8; ++dot)
        QVERIFY(QRectF(slot).contains(at(dot)));
    for (const int dot : {1, 2, 3}) {
        QCOMPARE(at(dot).x(), at(1).x());
        QCOMPARE(at(dot + 3).x(), at(4).x());
        QCOMPARE(at(dot + 3).y(), at(dot).y());
    }
    QVERIFY(at(1).x() < at(4).x());
    QVERIFY(at(1).y() < at(2).y() && at(2).y() < at(3).y() && at(3).y() < at(7).y());
    QCOMPARE(at(7).x(), at(1).x());
    QCOMPARE(at(8).x(), at(4).x());
    QCOMPARE(at(8).y(), at(7).y());
    // Neighbouring dots do not touch.
    QVERIFY(at(4).x() - at(1).x() > 2 * painter.dotRadius());
    QVERIFY(at(2).y() - at(1).y() > 2 * painter.dotRadius());
}

void TestBrailleList::inkOfColumnsAndRows()
{
    const BrailleRowPainter painter(listFont());
    const QRect row(0, 0, painter.slotWidth(), painter.rowHeight());
    const QRect slot = painter.slotRect(row, 0).toRect();
    const QRect left(slot.left(), slot.top(), slot.width() / 2, slot.height());
    const QRect right(slot.left() + slot.width() / 2, slot.top(), slot.width() - slot.width() / 2,
                      slot.height());
    const QRect top(slot.left(), slot.top(), slot.width(), slot.height() * 3 / 8);

    const QImage leftColumn = paintRow(painter, QStringLiteral("⠇"), row); // dots 1-2-3
    QVERIFY(inkIn(leftColumn, left) > 0);
    QCOMPARE(inkIn(leftColumn, right), 0);
    const QImage rightColumn = paintRow(painter, QStringLiteral("⠸"), row); // dots 4-5-6
    QCOMPARE(inkIn(rightColumn, left), 0);
    QVERIFY(inkIn(rightColumn, right) > 0);
    const QImage topRow = paintRow(painter, QStringLiteral("⠉"), row); // dots 1-4
    QCOMPARE(inkIn(topRow, top), inkIn(topRow, topRow.rect()));
    QVERIFY(inkIn(topRow, left) > 0 && inkIn(topRow, right) > 0);
}

void TestBrailleList::brailleIsDrawnAsDots_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("dots"); // bit d-1 set: dot d raised
    QTest::newRow("blank cell") << QStringLiteral("⠀") << 0;
    QTest::newRow("dot 1 (a)") << QStringLiteral("⠁") << 0x01;
    QTest::newRow("dot 4") << QStringLiteral("⠈") << 0x08;
    QTest::newRow("dots 3-4-5-6 (numeral sign)") << QStringLiteral("⠼") << 0x3C;
    QTest::newRow("all six") << QStringLiteral("⠿") << 0x3F;
    QTest::newRow("dots 7 and 8") << QStringLiteral("⣀") << 0xC0;
}

void TestBrailleList::brailleIsDrawnAsDots()
{
    QFETCH(QString, cell);
    QFETCH(int, dots);
    const BrailleRowPainter painter(listFont());
    const QRect row(10, 10, painter.slotWidth() * 2, painter.rowHeight());
    const QImage image = paintRow(painter, QStringLiteral("あ") + cell, row);
    const QRect slot = painter.slotRect(row, 1).toRect();
    for (int dot = 1; dot <= 8; ++dot) {
        const bool raised = dots & (1 << (dot - 1));
        QVERIFY2(isDark(image, painter.dotCentre(slot, dot)) == raised,
                 qPrintable(QStringLiteral("dot %1").arg(dot)));
    }
    if (dots == 0)
        QCOMPARE(inkIn(image, slot), 0);
}

void TestBrailleList::charactersStayInTheirSlots()
{
    const BrailleRowPainter painter(listFont());
    const QRect row(10, 10, painter.slotWidth() * 3, painter.rowHeight());
    const QImage image = paintRow(painter, QStringLiteral("　あ　"), row);
    QCOMPARE(inkIn(image, painter.slotRect(row, 0).toRect()), 0);
    QVERIFY(inkIn(image, painter.slotRect(row, 1).toRect()) > 0);
    QCOMPARE(inkIn(image, painter.slotRect(row, 2).toRect()), 0);
    QCOMPARE(inkIn(image, image.rect()), inkIn(image, painter.slotRect(row, 1).toRect()));
}

void TestBrailleList::narrowCharactersDoNotShiftBraille()
{
    // Whatever the width of a glyph, character k of one row stands above
    // character k of the next.
    const BrailleRowPainter painter(listFont());
    const QRect row(0, 0, painter.slotWidth() * 4, painter.rowHeight());
    const QImage narrow = paintRow(painter, QStringLiteral("ii⠁"), row);
    const QImage wide = paintRow(painter, QStringLiteral("ＷＷ⠁"), row);
    const QPointF dot1 = painter.dotCentre(painter.slotRect(row, 2).toRect(), 1);
    QVERIFY(isDark(narrow, dot1));
    QVERIFY(isDark(wide, dot1));
}

void TestBrailleList::listDrawsEntriesThroughThePainter()
{
    BrailleListView list;
    QStringListModel rows({QStringLiteral("あ　い"), QStringLiteral("⠁⠀⠃")});
    list.setModel(&rows);
    list.setFont(listFont());
    list.resize(600, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    const BrailleRowPainter painter(list.font());
    const QModelIndex braille = list.model()->index(1, 0);
    QStyleOptionViewItem option;
    option.font = list.font();
    QCOMPARE(list.itemDelegate()->sizeHint(option, braille).width(),
             painter.rowSize(QStringLiteral("⠁⠀⠃")).width() + 4);

    const QImage image = list.viewport()->grab().toImage();
    const QRect item = list.visualRect(braille);
    // The delegate keeps a margin of 2 pixels left of the row.
    const QRect row = item.adjusted(2, 0, -2, 0);
    QVERIFY(isDark(image, painter.dotCentre(painter.slotRect(row, 0).toRect(), 1)));
    QVERIFY(!isDark(image, painter.dotCentre(painter.slotRect(row, 0).toRect(), 4)));
    QVERIFY(!isDark(image, painter.dotCentre(painter.slotRect(row, 1).toRect(), 1)));
    QVERIFY(isDark(image, painter.dotCentre(painter.slotRect(row, 2).toRect(), 2)));
}

void TestBrailleList::listCopiesSelectedEntries()
{
    BrailleListView list;
    QStringListModel rows({QStringLiteral("か　"), QStringLiteral("⠐⠡"), QStringLiteral("い")});
    list.setModel(&rows);
    list.show();
    QVERIFY(QTest::qWaitForWindowActive(&list));
    Clipboard::setText(QStringLiteral("before"));

    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard::text(), QStringLiteral("before")); // nothing selected

    list.selectionModel()->select(rows.index(1), QItemSelectionModel::Select);
    list.selectionModel()->select(rows.index(0), QItemSelectionModel::Select);
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard::text(), QStringLiteral("か　\n⠐⠡"));

    list.clearSelection();
    list.selectionModel()->select(rows.index(2), QItemSelectionModel::Select);
    QCOMPARE(list.actions().size(), 1); // the context menu's copy
    list.actions().constFirst()->trigger();
    QCOMPARE(Clipboard::text(), QStringLiteral("い"));
}

QTEST_MAIN(TestBrailleList)
#include "tst_braillelist.moc"
