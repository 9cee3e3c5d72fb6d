#include "fakeuserdialogs.h"
#include "lookup/tenkensakuf.h"
#include "mainwindow/form1.h"

#include <QAction>
#include <QApplication>
#include <QTest>

// The other windows as the main window's commands open them.
class TestForm1Windows : public QObject
{
    Q_OBJECT

private slots:
    void lookUpWindowOpensOnceWithoutOwner();
};

void TestForm1Windows::lookUpWindowOpensOnceWithoutOwner()
{
    FakeUserDialogs dialogs;
    Form1 form;
    form.Form_Load();
    QAction *jikkoug = form.findChild<QAction *>(QStringLiteral("jikkoug"));
    QVERIFY(jikkoug);
    QCOMPARE(jikkoug->shortcut(), QKeySequence(QStringLiteral("Ctrl+G")));

    jikkoug->trigger();
    const auto windows = [] {
        QList<tenkensakuf *> found;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *lookUp = qobject_cast<tenkensakuf *>(w))
                found.append(lookUp);
        }
        return found;
    };
    QCOMPARE(windows().size(), 1);
    tenkensakuf *lookUp = windows().first();
    QVERIFY(lookUp->isVisible());
    QCOMPARE(lookUp->parentWidget(), nullptr);
    QCOMPARE(lookUp->windowTitle(), QStringLiteral("点字検索"));

    jikkoug->trigger();
    QCOMPARE(windows().size(), 1);
    QCOMPARE(windows().first(), lookUp);
    lookUp->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(windows().size(), 0);
}

QTEST_MAIN(TestForm1Windows)
#include "tst_form1windows.moc"
