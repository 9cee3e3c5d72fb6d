#include "mainwindow/resizerule.h"

#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<float>)

class TestResizeRule : public QObject
{
    Q_OBJECT

private slots:
    void compute_data();
    void compute();
};

void TestResizeRule::compute_data()
{
    using F = std::optional<float>;
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<F>("controlWidth");
    QTest::addColumn<F>("textHeight");
    QTest::addColumn<F>("listTop");
    QTest::addColumn<F>("listHeight");

    QTest::newRow("design size") << 9555.f << 7335.f << F(8955.f) << F(3067.5f) << F(3867.5f) << F(2767.5f);
    QTest::newRow("odd height halves exactly")
        << 9000.f << 7201.f << F(8400.f) << F(3000.5f) << F(3800.5f) << F(2700.5f);
    QTest::newRow("height 1800: list height 0 is kept")
        << 9000.f << 1800.f << F(8400.f) << F(300.f) << F(1100.f) << F();
    QTest::newRow("height 1200: only the list top moves")
        << 9000.f << 1200.f << F(8400.f) << F() << F(800.f) << F();
    QTest::newRow("height just over 1200") << 9000.f << 1202.f << F(8400.f) << F(1.f) << F(801.f) << F();
    QTest::newRow("width 600 keeps widths") << 600.f << 7200.f << F() << F(3000.f) << F(3800.f) << F(2700.f);
    QTest::newRow("width 601") << 601.f << 7200.f << F(1.f) << F(3000.f) << F(3800.f) << F(2700.f);
    QTest::newRow("zero size") << 0.f << 0.f << F() << F() << F(200.f) << F();
}

void TestResizeRule::compute()
{
    using F = std::optional<float>;
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(F, controlWidth);
    QFETCH(F, textHeight);
    QFETCH(F, listTop);
    QFETCH(F, listHeight);

    const ResizeRule rule = ResizeRule::compute(width, height);
    QCOMPARE(rule.listWidth, controlWidth);
    QCOMPARE(rule.textWidth, controlWidth);
    QCOMPARE(rule.textHeight, textHeight);
    QCOMPARE(rule.textTop, 600.f);
    QCOMPARE(rule.listTop, listTop);
    QCOMPARE(rule.listHeight, listHeight);
}

QTEST_APPLESS_MAIN(TestResizeRule)
#include "tst_resizerule.moc"
