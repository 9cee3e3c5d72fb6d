#include "mainwindow/braillerowpainter.h"
#include "platform/gui/japanesefonts.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

// The rows of the list and the printout are drawn fast (their glyphs placed
// at once), and must look as they would with every character drawn in its
// slot by the text engine, centred, one at a time.
class TestRowPainting : public QObject
{
    Q_OBJECT

private slots:
    void looksLikeCharactersDrawnOneByOne_data();
    void looksLikeCharactersDrawnOneByOne();
};

namespace {

constexpr double kPointSize = 20;

QImage blankImage(const BrailleRowPainter &rows, qsizetype slotCount)
{
    QImage image(int(rows.slotWidth() * slotCount), rows.rowHeight(), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    return image;
}

QImage painted(const BrailleRowPainter &rows, const QString &row)
{
    QImage image = blankImage(rows, BrailleRowPainter::slotCount(row));
    QPainter painter(&image);
    painter.setPen(Qt::black);
    rows.paintRow(painter, QRectF(0, 0, image.width(), image.height()), row, BrailleRowPainter::Braille::Skipped);
    return image;
}

// Every character by itself, centred in its slot by the text engine.
QImage drawnOneByOne(const BrailleRowPainter &rows, const QString &row)
{
    QImage image = blankImage(rows, BrailleRowPainter::slotCount(row));
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setFont(rows.font());
    const QRectF rowRect(0, 0, image.width(), image.height());
    qsizetype index = 0;
    for (const char32_t character : row.toUcs4()) {
        if (!BrailleRowPainter::isBraille(character))
            painter.drawText(rows.slotRect(rowRect, index), Qt::AlignCenter, QString::fromUcs4(&character, 1));
        ++index;
    }
    return image;
}

// The share of ink that differs: pixels darker in one image than the other
// by more than a quarter of the range, over the pixels inked in either.
double inkDifference(const QImage &a, const QImage &b)
{
    qsizetype differ = 0;
    qsizetype inked = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *lineA = a.constScanLine(y);
        const uchar *lineB = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x) {
            if (lineA[x] < 192 || lineB[x] < 192)
                ++inked;
            if (std::abs(int(lineA[x]) - int(lineB[x])) > 64)
                ++differ;
        }
    }
    return inked == 0 ? 0 : double(differ) / double(inked);
}

} // namespace

void TestRowPainting::looksLikeCharactersDrawnOneByOne_data()
{
    QTest::addColumn<QString>("row");
    QTest::newRow("kana and long vowel") << QStringLiteral("きょーわ　よい　てんきです。");
    QTest::newRow("katakana and small kana") << QStringLiteral("コンピューター　ヴァイオリン");
    QTest::newRow("full-width digits and letters") << QStringLiteral("１２３　ＡＢｃ　＃４５");
    QTest::newRow("half-width letters and signs") << QStringLiteral("abc XYZ 3.14 (a+b)");
    QTest::newRow("kanji") << QStringLiteral("点字図書館の本");
    QTest::newRow("braille between text") << QStringLiteral("あ⠁い⠃う");
    QTest::newRow("outside the basic plane") << QStringLiteral("𠮷野家の𩸽");
}

void TestRowPainting::looksLikeCharactersDrawnOneByOne()
{
    QFETCH(QString, row);
    QImage device(1, 1, QImage::Format_Grayscale8);
    const BrailleRowPainter rows(JapaneseFonts::gothic(kPointSize), &device);
    const QImage fast = painted(rows, row);
    const QImage reference = drawnOneByOne(rows, row);
    QCOMPARE(fast.size(), reference.size());
    const double difference = inkDifference(fast, reference);
    QVERIFY2(difference < 0.05, qPrintable(QStringLiteral("%1 of the ink differs").arg(difference)));

    // The measure tells rows apart: the same row a slot further on differs.
    const QImage shifted = drawnOneByOne(rows, QStringLiteral("　") + row).copy(0, 0, fast.width(), fast.height());
    QVERIFY(inkDifference(fast, shifted) > 0.3);
}

QTEST_MAIN(TestRowPainting)
#include "tst_rowpainting.moc"
