#include "mainwindowfixture.h"
#include "kana/kanaconverter.h"
#include "kana/userdictionary.h"
#include "mainwindow/proofreadingcommands.h"
#include "mainwindow/researchlistwindow.h"
#include "proofreading/convertedwords.h"
#include "proofreading/researchmodel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

// 校正 in the main window: marks, candidates, F8 and the 下調べ list.
class TestProofreading : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { fixture_.reset(); }
    void f8WalksTheMarksBothWays();
    void caretShowsTheOriginalWord();
    void candidateIsChosenWithTheKeyboardAlone();
    void researchListChangesEveryOccurrenceAndSaves();

private:
    ProofreadingCommands *proof() const { return fixture_->form->proofreading(); }
    QString selected() const { return fixture_->form->txtdpbox->textCursor().selectedText(); }
    void setCaret(int position) const
    {
        QTextCursor cursor = fixture_->form->txtdpbox->textCursor();
        cursor.setPosition(position);
        fixture_->form->txtdpbox->setTextCursor(cursor);
    }

    std::unique_ptr<MainWindowFixture> fixture_;
};

namespace {

ConvertedWord word(qsizetype start, const QString &written, const QString &kana, ReadingDoubts doubts,
                   const QStringList &candidates = {})
{
    ConvertedWord w;
    w.kanaStart = start;
    w.kanaLength = kana.size();
    w.written = written;
    w.kana = kana;
    w.doubts = doubts;
    w.candidates = candidates;
    return w;
}

} // namespace

void TestProofreading::init()
{
    QFile::remove(UserDictionary::defaultPath());
    fixture_ = std::make_unique<MainWindowFixture>();
    // 市場で にんきの いちごを かう。 as converted: 市場 and 人気 doubted.
    const QString line = u"いちばで にんきの いちごを かう。"_s;
    fixture_->form->txtdpbox->setPlainText(line + u'\n' + line);
    KanaConversion conversion;
    conversion.text = line;
    conversion.words = {word(0, u"市場"_s, u"いちば"_s, ReadingDoubt::Homograph, {u"しじょー"_s}),
                        word(5, u"人気"_s, u"にんき"_s, ReadingDoubt::Homograph, {u"ひとけ"_s}),
                        word(15, u"買う"_s, u"かう"_s, {})};
    proof()->words()->addLine(0, conversion);
    proof()->words()->addLine(int(line.size()) + 1, conversion);
}

void TestProofreading::f8WalksTheMarksBothWays()
{
    QCOMPARE(proof()->markCountLabel()->text(), u"要確認 4 語"_s);
    setCaret(0);
    fixture_->action(u"nextmark"_s)->trigger();
    QCOMPARE(selected(), u"にんき"_s);
    fixture_->action(u"nextmark"_s)->trigger();
    QCOMPARE(fixture_->form->txtdpbox->textCursor().selectionStart(), 19);
    fixture_->action(u"previousmark"_s)->trigger();
    QCOMPARE(fixture_->form->txtdpbox->textCursor().selectionStart(), 5);
    // The trusted かう is passed over; past the last mark F8 goes round.
    setCaret(36);
    fixture_->action(u"nextmark"_s)->trigger();
    QCOMPARE(fixture_->form->txtdpbox->textCursor().selectionStart(), 0);
    QCOMPARE(fixture_->action(u"nextmark"_s)->shortcut(), QKeySequence(Qt::Key_F8));
}

void TestProofreading::caretShowsTheOriginalWord()
{
    setCaret(16);
    QVERIFY(proof()->sourceLabel()->text().contains(u"買う"_s));
    QVERIFY(!proof()->sourceLabel()->text().contains(u"要確認"_s));
    setCaret(6);
    QVERIFY(proof()->sourceLabel()->text().contains(u"人気"_s));
    // Said in words too, for those who do not see the underline.
    QVERIFY(fixture_->form->txtdpbox->accessibleDescription().contains(u"要確認"_s));
    QCOMPARE(fixture_->form->txtdpbox->extraSelections().size(), 4);
    // On no converted word, nothing is shown.
    setCaret(4);
    QVERIFY(proof()->sourceLabel()->text().isEmpty());
    // Editing a word drops its mark.
    setCaret(6);
    fixture_->form->txtdpbox->insertPlainText(u"x"_s);
    QCOMPARE(fixture_->form->txtdpbox->extraSelections().size(), 3);
    QCOMPARE(proof()->markCountLabel()->text(), u"要確認 3 語"_s);
}

void TestProofreading::candidateIsChosenWithTheKeyboardAlone()
{
    QPlainTextEdit *editor = fixture_->form->txtdpbox;
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->form.get()));
    editor->setFocus();
    const QString before = editor->toPlainText();
    setCaret(1);
    // Alt+Down opens the candidates; Down and Enter take the second.
    QMenu *shown = nullptr;
    QTimer::singleShot(0, this, [&] {
        shown = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!shown)
            return;
        QTest::keyClick(shown, Qt::Key_Down);
        QTest::keyClick(shown, Qt::Key_Return);
    });
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(shown);
    QTRY_COMPARE(editor->toPlainText().left(4), u"しじょー"_s);
    QCOMPARE(proof()->words()->markCount(), 3);
    // The rest of the text is as it was, and one undo brings the word back.
    QCOMPARE(editor->toPlainText().mid(4), before.mid(3));
    editor->undo();
    QCOMPARE(editor->toPlainText(), before);
}

void TestProofreading::researchListChangesEveryOccurrenceAndSaves()
{
    fixture_->action(u"researchlist"_s)->trigger();
    ResearchListWindow *list = proof()->researchList();
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->model()->rowCount(), 3);
    list->markedOnly()->setChecked(true);
    QCOMPARE(list->table()->model()->rowCount(), 2);

    // 人気 read ひとけ everywhere, one undo step, then saved to 単語登録.
    const QString before = fixture_->form->txtdpbox->toPlainText();
    QAbstractItemModel *shown = list->table()->model();
    int row = 0;
    while (shown->index(row, ResearchModel::WrittenColumn).data().toString() != u"人気"_s)
        ++row;
    QVERIFY(shown->setData(shown->index(row, ResearchModel::KanaColumn), u"ひとけ"_s));
    QCOMPARE(fixture_->form->txtdpbox->toPlainText().count(u"ひとけ"_s), 2);
    QCOMPARE(fixture_->form->txtdpbox->toPlainText().count(u"にんき"_s), 0);
    QCOMPARE(list->table()->model()->rowCount(), 1); // no longer marked
    QVERIFY(list->saveToUserDictionary());
    QCOMPARE(UserDictionary::load(UserDictionary::defaultPath()).entries,
             (QList<UserDictionaryEntry>{{u"人気"_s, u"ひとけ"_s}}));
    fixture_->form->txtdpbox->undo();
    QCOMPARE(fixture_->form->txtdpbox->toPlainText(), before);

    const QString tsv = fixture_->path(u"list.tsv"_s);
    QVERIFY(list->exportTo(tsv));
    QFile file(tsv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()).count(u'\n'), 1 + list->model()->rowCount());
}

QTEST_MAIN(TestProofreading)
#include "tst_proofreading.moc"
