#include "mainwindowfixture.h"
#include "mainwindow/braillelistview.h"
#include "mainwindow/braillerowpainter.h"
#include "braillepageview/braillepagecommands.h"
#include "braillepageview/braillepageview.h"
#include "braillepages/pagesettings.h"
#include "translationmodel/translationmodel.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Text ↔ braille between the editor and the braille list.
class TestBrailleRouting : public QObject
{
    Q_OBJECT

private slots:
    void init() { fixture_ = std::make_unique<MainWindowFixture>(); }
    void cleanup() { fixture_.reset(); }
    void clickOnACellPutsTheCaretOnItsCharacter_data();
    void clickOnACellPutsTheCaretOnItsCharacter();
    void caretAndCellsAgreeBothWays();
    void caretPastTheShownColumnsStillHasItsCells();
    void outOfDateTranslationRoutesNothing();
    void pageViewTurnsToTheCaretAndRoutesClicks();

private:
    void setCaret(int position) const
    {
        QTextCursor cursor = fixture_->form->txtdpbox->textCursor();
        cursor.setPosition(position);
        fixture_->form->txtdpbox->setTextCursor(cursor);
    }
    // A left click on slot `slot` of the first row of the line's rows
    // (`braille` the braille row rather than the text row).
    void clickSlot(int line, int slot, bool braille) const
    {
        BrailleListView *list = fixture_->form->List1;
        const auto [first, count] = list->rowsOfLine(line);
        const QModelIndex index = list->model()->index(first + count - (braille ? 1 : 2), 0);
        const QRect rect = list->visualRect(index);
        const BrailleRowPainter painter(list->font());
        const QPoint point(rect.left() + 2 + slot * painter.slotWidth() + painter.slotWidth() / 2, rect.center().y());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    }
    int caret() const { return fixture_->form->txtdpbox->textCursor().position(); }

    std::unique_ptr<MainWindowFixture> fixture_;
};

void TestBrailleRouting::clickOnACellPutsTheCaretOnItsCharacter_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("braille");
    QTest::addColumn<int>("caret");
    // がっこう: が takes two cells (the voiced sign, then か), the others one.
    QTest::newRow("voiced sign of が") << 0 << true << 0;
    QTest::newRow("か of が") << 1 << true << 0;
    QTest::newRow("っ") << 2 << true << 1;
    QTest::newRow("text row over う") << 4 << false << 3;
    // The second line starts after the first line and its line end.
    QTest::newRow("second line") << 1 << true << 6;
}

void TestBrailleRouting::clickOnACellPutsTheCaretOnItsCharacter()
{
    QFETCH(int, slot);
    QFETCH(bool, braille);
    QFETCH(int, caret);
    fixture_->translate(u"がっこう\nあめ"_s);
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->form.get()));
    const int line = caret >= 5 ? 2 : 1;
    clickSlot(line, slot, braille);
    QCOMPARE(this->caret(), caret);
    QVERIFY(!fixture_->form->txtdpbox->textCursor().hasSelection());
}

void TestBrailleRouting::caretAndCellsAgreeBothWays()
{
    // Kana, a number with its numeral sign, a Latin letter and a blank.
    const QString line = u"ぎゅうにゅう　３こ　Ａ"_s;
    fixture_->translate(line);
    BrailleListView *list = fixture_->form->List1;
    qsizetype lastCell = -1;
    for (int character = 0; character < line.size(); ++character) {
        setCaret(character);
        QCOMPARE(list->caretLine(), 1);
        QVERIFY2(list->caretCellCount() > 0, qPrintable(QString::number(character)));
        // Cells follow the characters in order and never overlap.
        QVERIFY(list->caretFirstCell() + list->caretCellCount() - 1 >= lastCell);
        lastCell = list->caretFirstCell() + list->caretCellCount() - 1;
        // Each cell of the character leads back to its column's first
        // character, which is this one or one before it in the same column.
        const qsizetype first = list->caretFirstCell();
        fixture_->form->txtdpbox->moveCursor(QTextCursor::End);
        QMetaObject::invokeMethod(list, "cellClicked", Q_ARG(int, 1), Q_ARG(qsizetype, first));
        QVERIFY(caret() <= character);
        setCaret(caret());
        QCOMPARE(list->caretFirstCell(), first);
    }
}

void TestBrailleRouting::caretPastTheShownColumnsStillHasItsCells()
{
    fixture_->translate(QString(40, u'あ') + u"か"_s);
    setCaret(40);
    BrailleListView *list = fixture_->form->List1;
    QCOMPARE(list->caretFirstCell(), 40);
    QCOMPARE(list->caretCellCount(), 1);
    // The caret at the end of the line stands for its last character.
    fixture_->form->txtdpbox->moveCursor(QTextCursor::End);
    QCOMPARE(list->caretFirstCell(), 40);
}

void TestBrailleRouting::outOfDateTranslationRoutesNothing()
{
    fixture_->translate(u"あめ"_s);
    fixture_->form->txtdpbox->moveCursor(QTextCursor::End);
    fixture_->form->txtdpbox->insertPlainText(u"だ"_s);
    setCaret(1);
    QCOMPARE(fixture_->form->List1->caretCellCount(), 0);
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->form.get()));
    clickSlot(1, 0, true);
    QVERIFY(caret() != 0);
}

void TestBrailleRouting::pageViewTurnsToTheCaretAndRoutesClicks()
{
    // Thirty short lines: with 22 lines a page, line 25 is on the second.
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines.append(u"あめ"_s);
    fixture_->translate(lines.join(u'\n'));
    fixture_->action(u"showBraillePages"_s)->trigger();
    BraillePageView *view = fixture_->form->braillePages()->translationView();
    QVERIFY(view);
    QCOMPARE(view->page(), 0);
    setCaret(24 * 3 + 1);
    QCOMPARE(view->page(), 1);
    // A click on the second cell of the fourth line of the first page (after
    // the blank cells that indent a paragraph).
    const int indent = PageSettings::load().paragraphIndent ? 2 : 0;
    emit view->cellClicked(0, 3, indent + 1);
    QCOMPARE(caret(), 3 * 3 + 1);
    QCOMPARE(view->page(), 0);
    // A cell where no braille stands leaves the caret where it is.
    emit view->cellClicked(0, 3, 20);
    QCOMPARE(caret(), 3 * 3 + 1);
}

QTEST_MAIN(TestBrailleRouting)
#include "tst_braillerouting.moc"
