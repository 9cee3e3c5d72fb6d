#include "lookupwindow/dotimage.h"
#include "lookupwindow/tenkensakuf.h"
#include "platform/gui/japanesefonts.h"
#include "platform/gui/twips.h"
#include "dotkeys.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class TestTenkensakuf : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void dotPositions_data();
    void dotPositions();
    void pictures();
    void opensWithEveryDotUnmarked();
    void clickTogglesDotAndClearsResults();
    void search_data();
    void search();
    void signNotInTableIsSaid_data();
    void signNotInTableIsSaid();
    void longMeaningsAreShownWhole_data();
    void longMeaningsAreShownWhole();
    void clearAllUnmarksEveryDot();
    void searchRightAfterOpeningKeepsPrompt();
    void dotClickKeepsFontSizes();
    void label2TurnsBlueWhenClicked();
    void openingAgainKeepsDots();
    void quitAndCloseBoxDestroyTheWindow_data();
    void quitAndCloseBoxDestroyTheWindow();
    void tabReachesEveryDotPosition();
    void keysMarkAndUnmarkDots_data();
    void keysMarkAndUnmarkDots();
    void arrowKeysMoveBetweenPositions_data();
    void arrowKeysMoveBetweenPositions();
    void accessibleNames();
    void chordsMarkCells_data();
    void chordsMarkCells();
    void chordIsDroppedWhenTheWindowIsLeft();

private:
    QWidget *image(int n) const { return window_->findChild<QWidget *>(QStringLiteral("Image%1").arg(n)); }
    QLabel *label(int n) const { return window_->findChild<QLabel *>(QStringLiteral("Label%1").arg(n)); }
    QPushButton *button(const QString &name) const { return window_->findChild<QPushButton *>(name); }
    void clickDot(int p);
    void markSign(const QString &pattern);
    void pressSearch();
    void verifyDotsMatchFlags();
    void typeSteps(const QString &steps);

    QPointer<tenkensakuf> window_;
};

// Clicks whatever lies in view at the dot position, as a user does.
void TestTenkensakuf::clickDot(int p)
{
    const QPoint centre = image(2 * p)->geometry().center();
    QWidget *target = window_->childAt(centre);
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window_.data(), centre));
}

void TestTenkensakuf::markSign(const QString &pattern)
{
    for (int p = 1; p <= pattern.size(); ++p) {
        if (pattern[p - 1] == u'1')
            clickDot(p);
    }
}

void TestTenkensakuf::pressSearch()
{
    QTest::mouseClick(button(QStringLiteral("検索")), Qt::LeftButton);
}

void TestTenkensakuf::verifyDotsMatchFlags()
{
    const QString flags = window_->dotFlags();
    QCOMPARE(flags.size(), 24);
    for (int p = 1; p <= 24; ++p) {
        QCOMPARE(flags[p - 1] == u'1', image(2 * p)->isHidden());
        QVERIFY(!image(2 * p - 1)->isHidden());
    }
}

void TestTenkensakuf::init()
{
    window_ = tenkensakuf::open();
    QVERIFY(window_);
    QVERIFY(QTest::qWaitForWindowExposed(window_));
}

void TestTenkensakuf::cleanup()
{
    delete window_.data();
}

void TestTenkensakuf::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");

    QTest::newRow("検索") << u"検索"_qs << QRect(120, 2400, 1215, 375) << u"検索"_qs;
    QTest::newRow("終了") << u"終了"_qs << QRect(120, 3000, 1215, 375) << u"終了"_qs;
    QTest::newRow("全消去") << u"全消去"_qs << QRect(120, 3600, 1215, 375) << u"全消去"_qs;
    QTest::newRow("Label1") << "Label1" << QRect(1560, 2640, 1335, 765) << u"印をしてください"_qs;
    QTest::newRow("Label2") << "Label2" << QRect(3120, 2640, 1455, 795) << QString();
    QTest::newRow("Label3") << "Label3" << QRect(3120, 2400, 1455, 255) << u"その他"_qs;
    QTest::newRow("Label4") << "Label4" << QRect(4800, 2640, 1335, 765) << QString();
}

void TestTenkensakuf::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);

    QCOMPARE(window_->parentWidget(), nullptr);
    QCOMPARE(window_->windowTitle(), u"点字検索"_qs);
    QVERIFY(window_->testAttribute(Qt::WA_DeleteOnClose));
    // Room under 終了 for 全消去.
    QCOMPARE(window_->size(), Twips::toPixels(QSize(6270, 4095), window_));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(!(window_->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(window_->font().family(), JapaneseFonts::gothic(9).family());
    QCOMPARE(window_->font().pointSize(), 9);

    QWidget *control = window_->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), Twips::toPixels(twips, window_));
    QCOMPARE(control->property("text").toString(), caption);
    QCOMPARE(control->font().family(), JapaneseFonts::proportionalGothic(9).family());
    QCOMPARE(control->font().pointSize(), 9);
}

void TestTenkensakuf::dotPositions_data()
{
    QTest::addColumn<int>("p");
    QTest::addColumn<QPoint>("twips");

    QTest::newRow("cell 1 dot 1") << 1 << QPoint(240, 240);
    QTest::newRow("cell 1 dot 3") << 3 << QPoint(240, 1680);
    QTest::newRow("cell 1 dot 5") << 5 << QPoint(840, 960);
    QTest::newRow("cell 2 dot 1") << 7 << QPoint(1680, 240);
    QTest::newRow("cell 2 dot 6") << 12 << QPoint(2280, 1680);
    QTest::newRow("cell 3 dot 4") << 16 << QPoint(3720, 240);
    QTest::newRow("cell 4 dot 2") << 20 << QPoint(4560, 960);
    QTest::newRow("cell 4 dot 6") << 24 << QPoint(5160, 1680);
}

void TestTenkensakuf::dotPositions()
{
    QFETCH(int, p);
    QFETCH(QPoint, twips);
    const QRect place = Twips::toPixels(QRect(twips, QSize(420, 420)), window_);
    QCOMPARE(image(2 * p - 1)->geometry(), place);
    QCOMPARE(image(2 * p)->geometry(), place);
    // The unmarked picture lies in front and so takes the clicks.
    QCOMPARE(window_->childAt(place.center()), image(2 * p));
}

void TestTenkensakuf::pictures()
{
    const QImage marked = qobject_cast<DotImage *>(image(1))->picture().toImage();
    const QImage unmarked = qobject_cast<DotImage *>(image(2))->picture().toImage();
    QCOMPARE(marked.size(), QSize(28, 28));
    QCOMPARE(unmarked.size(), QSize(28, 28));
    QVERIFY(marked != unmarked);
    for (int n = 1; n <= 48; ++n)
        QCOMPARE(qobject_cast<DotImage *>(image(n))->picture().toImage(), n % 2 ? marked : unmarked);
}

void TestTenkensakuf::opensWithEveryDotUnmarked()
{
    QCOMPARE(window_->dotFlags(), QString(24, u'0'));
    verifyDotsMatchFlags();
}

void TestTenkensakuf::clickTogglesDotAndClearsResults()
{
    clickDot(9);
    QCOMPARE(window_->dotFlags(), "000000001000000000000000");
    QVERIFY(image(18)->isHidden());
    QCOMPARE(window_->childAt(image(17)->geometry().center()), image(17));
    verifyDotsMatchFlags();
    QCOMPARE(label(1)->text(), QString());

    clickDot(9);
    QCOMPARE(window_->dotFlags(), QString(24, u'0'));
    QCOMPARE(window_->childAt(image(18)->geometry().center()), image(18));
    verifyDotsMatchFlags();

    clickDot(1);
    pressSearch();
    QCOMPARE(label(4)->text(), "1");
    clickDot(9);
    for (int n : {1, 2, 4})
        QCOMPARE(label(n)->text(), QString());
    QCOMPARE(label(3)->text(), u"その他"_qs);
}

void TestTenkensakuf::search_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<int>>("sizes");

    QTest::newRow("あ") << "100000000000000000000000" << QStringList{u"あ"_qs, "a(A)", "1"}
                        << QList<int>{30, 30, 30};
    QTest::newRow("か, Label4 left alone")
        << "100001000000000000000000" << QStringList{u"か"_qs, u"乗号(×)"_qs, QString()}
        << QList<int>{30, 18, 9};
    QTest::newRow("four cells") << "010101010010010010101010"
                                << QStringList{u"両向き矢印(⇔)"_qs, QString(), QString()}
                                << QList<int>{18, 9, 9};
}

void TestTenkensakuf::search()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, captions);
    QFETCH(QList<int>, sizes);

    markSign(pattern);
    pressSearch();
    const int labels[] = {1, 2, 4};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(label(labels[i])->text(), captions[i]);
        QCOMPARE(label(labels[i])->font().pointSize(), sizes[i]);
        QCOMPARE(label(labels[i])->font().family(), JapaneseFonts::proportionalGothic(9).family());
    }
    QCOMPARE(window_->dotFlags(), pattern);
}

void TestTenkensakuf::signNotInTableIsSaid_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("か in cell 2") << "000000100001000000000000";
    QTest::newRow("2-6 then せ") << "010001110111000000000000";
}

void TestTenkensakuf::signNotInTableIsSaid()
{
    QFETCH(QString, pattern);
    markSign("100001000000000000000000");
    pressSearch();
    clickDot(1);
    clickDot(6);
    markSign(pattern);
    pressSearch();
    QCOMPARE(label(1)->text(), u"見つかりません"_qs);
    QCOMPARE(label(2)->text(), QString());
    QCOMPARE(label(2)->font().pointSize(), 18);
    QCOMPARE(window_->dotFlags(), pattern);
}

void TestTenkensakuf::longMeaningsAreShownWhole_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("英文で(?)") << "011001000000000000000000";
    QTest::newRow("読点") << "000011000000000000000000";
    QTest::newRow("四マスの記号") << "010101010010010010101010";
}

void TestTenkensakuf::longMeaningsAreShownWhole()
{
    QFETCH(QString, pattern);
    markSign(pattern);
    pressSearch();
    for (int n : {1, 2, 4}) {
        QLabel *shown = label(n);
        if (shown->text().isEmpty())
            continue;
        // Measured in the label's own font, the wrapped text fits its label,
        // and the label fits the window.
        const QRect needed = shown->fontMetrics().boundingRect(QRect(0, 0, shown->width(), 10000),
                                                               Qt::TextWordWrap, shown->text());
        QVERIFY2(needed.height() <= shown->height(), qPrintable(shown->text()));
        QVERIFY(needed.width() <= shown->width());
        QVERIFY(window_->rect().contains(shown->geometry()));
    }
}

void TestTenkensakuf::clearAllUnmarksEveryDot()
{
    markSign("110000100001000000000001");
    pressSearch();
    QTest::mouseClick(button(u"全消去"_qs), Qt::LeftButton);
    QCOMPARE(window_->dotFlags(), QString(24, u'0'));
    verifyDotsMatchFlags();
    QCOMPARE(label(1)->text(), u"印をしてください"_qs);
    QCOMPARE(label(2)->text(), QString());
}

void TestTenkensakuf::searchRightAfterOpeningKeepsPrompt()
{
    pressSearch();
    QCOMPARE(label(1)->text(), u"印をしてください"_qs);
    QCOMPARE(label(1)->font().pointSize(), 9);
}

void TestTenkensakuf::dotClickKeepsFontSizes()
{
    markSign("100001000000000000000000");
    pressSearch();
    clickDot(24);
    QCOMPARE(label(2)->text(), QString());
    QCOMPARE(label(1)->font().pointSize(), 30);
    QCOMPARE(label(2)->font().pointSize(), 18);
}

void TestTenkensakuf::label2TurnsBlueWhenClicked()
{
    const QColor blue(0, 0, 255);
    QVERIFY(label(2)->palette().color(QPalette::WindowText) != blue);
    QTest::mouseClick(label(2), Qt::LeftButton);
    QCOMPARE(label(2)->palette().color(QPalette::WindowText), blue);
    markSign("010010000000000000000000");
    pressSearch();
    QCOMPARE(label(2)->text(), u"英 文 で（：）"_qs);
    QCOMPARE(label(2)->palette().color(QPalette::WindowText), blue);
    QVERIFY(label(1)->palette().color(QPalette::WindowText) != blue);
}

void TestTenkensakuf::openingAgainKeepsDots()
{
    markSign("100001000000000000000000");
    pressSearch();
    QCOMPARE(tenkensakuf::open(), window_.data());
    QCOMPARE(window_->dotFlags(), "100001000000000000000000");
    verifyDotsMatchFlags();
    QCOMPARE(label(1)->text(), u"か"_qs);
}

void TestTenkensakuf::quitAndCloseBoxDestroyTheWindow_data()
{
    QTest::addColumn<bool>("byQuitButton");
    QTest::newRow("終了") << true;
    QTest::newRow("close box") << false;
}

void TestTenkensakuf::quitAndCloseBoxDestroyTheWindow()
{
    QFETCH(bool, byQuitButton);
    markSign("100001000000000000000000");
    pressSearch();
    QTest::mouseClick(label(2), Qt::LeftButton);
    if (byQuitButton)
        QTest::mouseClick(button(u"終了"_qs), Qt::LeftButton);
    else
        QVERIFY(window_->close());
    QTRY_VERIFY(window_.isNull());

    window_ = tenkensakuf::open();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    QCOMPARE(window_->dotFlags(), QString(24, u'0'));
    verifyDotsMatchFlags();
    QCOMPARE(label(1)->text(), u"印をしてください"_qs);
    QCOMPARE(label(1)->font().pointSize(), 9);
    QCOMPARE(label(2)->font().pointSize(), 9);
    QVERIFY(label(2)->palette().color(QPalette::WindowText) != QColor(0, 0, 255));
}

void TestTenkensakuf::tabReachesEveryDotPosition()
{
    QVERIFY(QTest::qWaitForWindowActive(window_));
    markSign("010000000000000000000001");
    button(u"全消去"_qs)->setFocus(Qt::TabFocusReason);
    QStringList reached;
    for (int i = 0; i < 25; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    QStringList expected;
    for (int p = 1; p <= 24; ++p)
        expected << QStringLiteral("Image%1").arg(p == 2 || p == 24 ? 2 * p - 1 : 2 * p);
    expected << u"検索"_qs;
    QCOMPARE(reached, expected);
}

void TestTenkensakuf::keysMarkAndUnmarkDots_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Enter") << Qt::Key_Return;
}

void TestTenkensakuf::keysMarkAndUnmarkDots()
{
    QFETCH(Qt::Key, key);
    QVERIFY(QTest::qWaitForWindowActive(window_));
    image(10)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(image(10), key);
    QCOMPARE(window_->dotFlags(), "000010000000000000000000");
    QCOMPARE(QApplication::focusWidget(), image(9));
    verifyDotsMatchFlags();

    QTest::keyClick(image(9), key);
    QCOMPARE(window_->dotFlags(), QString(24, u'0'));
    QCOMPARE(QApplication::focusWidget(), image(10));
    verifyDotsMatchFlags();
}

void TestTenkensakuf::arrowKeysMoveBetweenPositions_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("to");

    QTest::newRow("down a column") << 1 << Qt::Key_Down << 2;
    QTest::newRow("right within a cell") << 2 << Qt::Key_Right << 5;
    QTest::newRow("right into the next cell") << 6 << Qt::Key_Right << 9;
    QTest::newRow("left into the previous cell") << 19 << Qt::Key_Left << 16;
    QTest::newRow("up a column") << 24 << Qt::Key_Up << 23;
    QTest::newRow("no further left") << 2 << Qt::Key_Left << 2;
    QTest::newRow("no further right") << 22 << Qt::Key_Right << 22;
    QTest::newRow("no further down") << 12 << Qt::Key_Down << 12;
}

void TestTenkensakuf::arrowKeysMoveBetweenPositions()
{
    QFETCH(int, from);
    QFETCH(Qt::Key, key);
    QFETCH(int, to);
    QVERIFY(QTest::qWaitForWindowActive(window_));
    clickDot(9); // a marked target takes the focus on its marked picture
    image(2 * from)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(QApplication::focusWidget(), image(to == 9 ? 17 : 2 * to));
}

void TestTenkensakuf::accessibleNames()
{
    for (int p = 1; p <= 24; ++p) {
        const QString name = QStringLiteral("マス%1 の 点%2").arg((p - 1) / 6 + 1).arg((p - 1) % 6 + 1);
        for (int n : {2 * p - 1, 2 * p}) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(image(n));
            QVERIFY(accessible);
            QCOMPARE(accessible->text(QAccessible::Name), name);
            QCOMPARE(accessible->text(QAccessible::Description), n % 2 ? u"印あり"_qs : u"印なし"_qs);
            QCOMPARE(accessible->role(), QAccessible::CheckBox);
            QCOMPARE(bool(accessible->state().checked), n % 2 == 1);
        }
    }
}

// Steps separated by spaces: a chord of F D S J K L, "Space", "Enter", or
// "click1" for a click on dot 1 of cell 1. The keys go where the focus is.
void TestTenkensakuf::typeSteps(const QString &steps)
{
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : window_.data();
        if (step == u"Space")
            QTest::keyClick(focus, Qt::Key_Space);
        else if (step == u"Enter")
            QTest::keyClick(focus, Qt::Key_Return);
        else if (step == u"click1")
            clickDot(1);
        else
            DotKeys::chord(focus, step);
    }
}

void TestTenkensakuf::chordsMarkCells_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("label1");

    const QString prompt = QStringLiteral("印をしてください");
    QTest::newRow("one cell, Enter searches") << "FL Enter" << "100001000000000000000000" << "か";
    QTest::newRow("two cells") << "K Space FL Enter" << "000010100001000000000000" << "が";
    QTest::newRow("a later chord replaces the cell") << "F FL" << "100001000000000000000000" << "";
    // A blank cell before a sign is no sign of the table.
    QTest::newRow("Space first leaves a blank cell") << "Space FL Enter" << "000000100001000000000000"
                                                     << "見つかりません";
    QTest::newRow("after a search a chord starts a new sign")
        << "K Space FL Enter F Enter" << "100000000000000000000000" << "あ";
    QTest::newRow("after a click the first empty cell") << "click1 K" << "100000000010000000000000" << "";
    QTest::newRow("Space stops at the fourth cell") << "F Space Space Space Space D"
                                                    << "100000000000000000010000" << "";
    QTest::newRow("Enter alone keeps the prompt") << "Enter" << QString(24, u'0') << prompt;
}

void TestTenkensakuf::chordsMarkCells()
{
    QFETCH(QString, steps);
    QFETCH(QString, flags);
    QFETCH(QString, label1);

    QVERIFY(QTest::qWaitForWindowActive(window_));
    // 終了 has the focus: Enter still searches instead of closing.
    button(QStringLiteral("終了"))->setFocus(Qt::TabFocusReason);
    typeSteps(steps);
    QVERIFY(window_);
    QCOMPARE(window_->dotFlags(), flags);
    QCOMPARE(label(1)->text(), label1);
    verifyDotsMatchFlags();
}

void TestTenkensakuf::chordIsDroppedWhenTheWindowIsLeft()
{
    QVERIFY(QTest::qWaitForWindowActive(window_));
    DotKeys::send(window_, QEvent::KeyPress, u'F');
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(window_, &deactivate);
    // Held on, F would join the chord of D.
    DotKeys::chord(window_, u"D");
    DotKeys::send(window_, QEvent::KeyRelease, u'F');
    QCOMPARE(window_->dotFlags(), "010000000000000000000000");
}

QTEST_MAIN(TestTenkensakuf)
#include "tst_tenkensakuf.moc"
