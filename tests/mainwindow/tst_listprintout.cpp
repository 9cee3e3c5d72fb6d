#include "mainwindow/listprintout.h"

#include <QPageLayout>
#include <QPrinter>
#include <QTest>

// Where the rows of a printout go on the page.
class TestListPrintout : public QObject
{
    Q_OBJECT

private slots:
    void fullRowFitsThePageWidth_data();
    void fullRowFitsThePageWidth();
    void oneScaleForTheWholeJob();
    void rowsOfALineShareTheirScale();
    void overlongRowIsScaledNotOverflowed();
    void rowsFollowEachOtherAndFillPages();
    void noRowsNoPlaces();
};

namespace {

const QString kPad = QStringLiteral("　");

// A printer for a PDF file, so the page sizes are the same on every machine.
std::unique_ptr<QPrinter> pdfPrinter(QPageSize::PageSizeId size, QPageLayout::Orientation orientation)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(size));
    printer->setPageOrientation(orientation);
    return printer;
}

QStringList line(const QString &text, const QString &braille)
{
    return {text, braille};
}

} // namespace

void TestListPrintout::fullRowFitsThePageWidth_data()
{
    QTest::addColumn<QPageSize::PageSizeId>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("braille");
    const QString text = QStringLiteral("あ").repeated(30);
    const QString braille = QStringLiteral("⠿").repeated(30);
    // A numeral sign and capital-letter prefixes make a braille row longer
    // than its 30 columns.
    const QString longBraille = QStringLiteral("⠠⠠⠁").repeated(15);
    QTest::newRow("A4") << QPageSize::A4 << text << braille;
    QTest::newRow("Letter") << QPageSize::Letter << text << braille;
    QTest::newRow("A4, 45 cells") << QPageSize::A4 << QStringLiteral("Ａ　　").repeated(15) << longBraille;
    QTest::newRow("Letter, 45 cells")
        << QPageSize::Letter << QStringLiteral("Ａ　　").repeated(15) << longBraille;
}

void TestListPrintout::fullRowFitsThePageWidth()
{
    QFETCH(QPageSize::PageSizeId, size);
    QFETCH(QString, text);
    QFETCH(QString, braille);
    const auto printer = pdfPrinter(size, QPageLayout::Portrait);
    const ListPrintout printout(printer.get());
    QCOMPARE(printout.rowPainter().font().pointSizeF(), ListPrintout::kPointSize);

    const QRect printable = printer->pageRect(QPrinter::DevicePixel).toRect();
    const QList<ListPrintout::PlacedRow> placed = printout.layout(line(text, braille));
    QCOMPARE(placed.size(), 2);
    for (const ListPrintout::PlacedRow &row : placed) {
        // 30 full-width cells at 20 points are wider than the page: scaled
        // down, every slot still on the paper.
        QVERIFY(row.scale < 1);
        const int cells = BrailleRowPainter::slotCount(row.row);
        QCOMPARE(row.rect.width(), cells * printout.rowPainter().slotWidth() * row.scale);
        QVERIFY(row.rect.left() >= 0);
        QVERIFY2(row.rect.right() <= printable.width(),
                 qPrintable(QStringLiteral("%1 > %2").arg(row.rect.right()).arg(printable.width())));
    }
    // The widest row uses the page width: nothing is shrunk more than needed.
    QVERIFY(std::max(placed[0].rect.width(), placed[1].rect.width()) > printable.width() - 1);
}

void TestListPrintout::oneScaleForTheWholeJob()
{
    const QStringList rows =
        line(QStringLiteral("あいう") + kPad.repeated(27), QStringLiteral("⠁⠃⠉") + kPad.repeated(27)) +
        line(QStringLiteral("あいう"), QStringLiteral("⠁⠃⠉"));
    // A full row fits across a landscape A4 page; a short one fits anywhere.
    const auto landscape = pdfPrinter(QPageSize::A4, QPageLayout::Landscape);
    for (const ListPrintout::PlacedRow &row : ListPrintout(landscape.get()).layout(rows))
        QCOMPARE(row.scale, 1.0);
    const auto portrait = pdfPrinter(QPageSize::A4, QPageLayout::Portrait);
    const ListPrintout printout(portrait.get());
    const QList<ListPrintout::PlacedRow> placed = printout.layout(rows);
    // The widest row decides for every row, so the print has one size.
    QVERIFY(placed[0].scale < 1);
    for (const ListPrintout::PlacedRow &row : placed) {
        QCOMPARE(row.scale, placed[0].scale);
        QCOMPARE(row.rect.height(), printout.rowPainter().rowHeight() * placed[0].scale);
    }
    // Without the wide line, the short one keeps its 20 points.
    for (const ListPrintout::PlacedRow &row : printout.layout(rows.mid(2)))
        QCOMPARE(row.scale, 1.0);
}

void TestListPrintout::rowsOfALineShareTheirScale()
{
    const auto printer = pdfPrinter(QPageSize::A4, QPageLayout::Portrait);
    const ListPrintout printout(printer.get());
    // The text row is short, its braille row too wide: both shrink alike, so
    // each character stays above its braille.
    const QList<ListPrintout::PlacedRow> placed =
        printout.layout(line(QStringLiteral("Ａ"), QStringLiteral("⠠⠠⠁").repeated(15)));
    QVERIFY(placed[1].scale < 1);
    QCOMPARE(placed[0].scale, placed[1].scale);
    QCOMPARE(placed[0].rect.width(), printout.rowPainter().slotWidth() * placed[0].scale);
    QCOMPARE(placed[0].rect.left(), placed[1].rect.left());
}

void TestListPrintout::overlongRowIsScaledNotOverflowed()
{
    // Seven million slots at 20 points are more device pixels than an int
    // counts: the row still lands on the page, scaled, with a positive width.
    const auto printer = pdfPrinter(QPageSize::A4, QPageLayout::Portrait);
    const ListPrintout printout(printer.get());
    const qreal printable = printer->pageRect(QPrinter::DevicePixel).width();
    const QList<ListPrintout::PlacedRow> placed =
        printout.layout(line(QStringLiteral("あ"), QStringLiteral("⠿").repeated(7'000'000)));
    QCOMPARE(placed.size(), 2);
    QVERIFY(placed[1].scale > 0 && placed[1].scale < 1e-3);
    QVERIFY(placed[1].rect.width() > printable * 0.99);
    QVERIFY(placed[1].rect.width() <= printable * 1.0001);
    QVERIFY(placed[0].rect.width() > 0);
    QVERIFY(placed[0].rect.height() > 0);
}

void TestListPrintout::rowsFollowEachOtherAndFillPages()
{
    const auto printer = pdfPrinter(QPageSize::A5, QPageLayout::Portrait);
    const ListPrintout printout(printer.get());
    QStringList rows;
    for (int k = 0; k < 40; ++k)
        rows += line(QStringLiteral("かな%1").arg(k), QStringLiteral("⠡⠅%1").arg(k));
    const QList<ListPrintout::PlacedRow> placed = printout.layout(rows);
    QCOMPARE(placed.size(), rows.size());

    const qreal pageHeight = printer->pageRect(QPrinter::DevicePixel).height();
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const ListPrintout::PlacedRow &row = placed[i];
        QCOMPARE(row.row, rows[i]);
        QCOMPARE(row.rect.left(), 0.0);
        QVERIFY(row.rect.bottom() <= pageHeight);
        if (i == 0) {
            QCOMPARE(row.page, 0);
            QCOMPARE(row.rect.top(), 0.0);
        } else if (i % 2 == 1) {
            // A braille row stays on the page of its text row, right under it.
            QCOMPARE(row.page, placed[i - 1].page);
            QCOMPARE(row.rect.top(), placed[i - 1].rect.bottom());
        } else if (row.page == placed[i - 1].page) {
            QCOMPARE(row.rect.top(), placed[i - 1].rect.bottom());
        } else {
            // A new page only when the next line does not fit on this one.
            QCOMPARE(row.page, placed[i - 1].page + 1);
            QCOMPARE(row.rect.top(), 0.0);
            QVERIFY(placed[i - 1].rect.bottom() + 2 * row.rect.height() > pageHeight);
        }
    }
    QVERIFY(placed.last().page >= 2);
}

void TestListPrintout::noRowsNoPlaces()
{
    const auto printer = pdfPrinter(QPageSize::A4, QPageLayout::Portrait);
    QVERIFY(ListPrintout(printer.get()).layout({}).isEmpty());
}

QTEST_MAIN(TestListPrintout)
#include "tst_listprintout.moc"
