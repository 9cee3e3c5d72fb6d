#include "braillepageview/braillepageview.h"
#include "braillepageview/braillepagewidget.h"

#include <QAction>
#include <QLabel>
#include <QTest>

// 先頭ページ, 最終ページ and ページ指定 of the page view, by their keys.
class TestPageNavigation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keysTurnToTheEnds();
    void goToPage_data();
    void goToPage();
    void aSinglePageHasNowhereToGo();

private:
    // Pages whose first line is ⠁ repeated as often as the page's number.
    static BraillePages pages(int count)
    {
        BraillePages document;
        for (int page = 1; page <= count; ++page)
            document.pages.append({QString(page, QChar(0x2801))});
        return document;
    }
    int shownPageNumber() const { return int(m_view->pageWidget()->shownLines().value(0).size()); }
    void press(QKeyCombination key) { QTest::keyClick(m_view, key.key(), key.keyboardModifiers()); }

    BraillePageView *m_view = nullptr;
};

void TestPageNavigation::init()
{
    m_view = new BraillePageView;
    m_view->showDocument(pages(12), QStringLiteral("試験"));
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    m_view->activateWindow();
}

void TestPageNavigation::cleanup()
{
    delete m_view;
}

void TestPageNavigation::keysTurnToTheEnds()
{
    press(Qt::CTRL | Qt::Key_End);
    QCOMPARE(m_view->page(), 11);
    QCOMPARE(shownPageNumber(), 12);
    QCOMPARE(m_view->findChild<QLabel *>(QStringLiteral("pageLabel"))->text(), QStringLiteral("12 / 12 ページ"));
    QVERIFY(!m_view->findChild<QAction *>(QStringLiteral("lastPage"))->isEnabled());
    QVERIFY(m_view->findChild<QAction *>(QStringLiteral("firstPage"))->isEnabled());

    press(Qt::CTRL | Qt::Key_Home);
    QCOMPARE(m_view->page(), 0);
    QCOMPARE(shownPageNumber(), 1);
    QVERIFY(!m_view->findChild<QAction *>(QStringLiteral("firstPage"))->isEnabled());
}

void TestPageNavigation::goToPage_data()
{
    QTest::addColumn<std::optional<int>>("answer");
    QTest::addColumn<int>("shown");
    QTest::newRow("a page inside") << std::optional<int>(7) << 7;
    QTest::newRow("the last page") << std::optional<int>(12) << 12;
    QTest::newRow("cancelled") << std::optional<int>() << 3;
}

void TestPageNavigation::goToPage()
{
    QFETCH(std::optional<int>, answer);
    QFETCH(int, shown);
    m_view->setPage(2);
    int askedCurrent = 0;
    int askedCount = 0;
    m_view->setPageAsker([&](int current, int count) {
        askedCurrent = current;
        askedCount = count;
        return answer;
    });
    press(Qt::CTRL | Qt::Key_J);
    // The question offers the page shown, among the pages there are.
    QCOMPARE(askedCurrent, 3);
    QCOMPARE(askedCount, 12);
    QCOMPARE(shownPageNumber(), shown);
}

void TestPageNavigation::aSinglePageHasNowhereToGo()
{
    m_view->showDocument(pages(1), QStringLiteral("試験"));
    bool asked = false;
    m_view->setPageAsker([&](int, int) {
        asked = true;
        return std::optional<int>(1);
    });
    for (const char *name : {"firstPage", "lastPage", "goToPage"})
        QVERIFY2(!m_view->findChild<QAction *>(QString::fromLatin1(name))->isEnabled(), name);
    press(Qt::CTRL | Qt::Key_J);
    QVERIFY(!asked);
    QCOMPARE(m_view->page(), 0);
}

QTEST_MAIN(TestPageNavigation)
#include "tst_pagenavigation.moc"
