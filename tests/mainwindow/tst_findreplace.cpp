#include "mainwindowfixture.h"
#include "mainwindow/form1.h"
#include "mainwindow/frmfindstr.h"
#include "mainwindow/frmreplacestr.h"
#include "platform/gui/japanesefonts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

namespace {

template <typename T> T *child(const QWidget *parent, const char *name)
{
    auto *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

void select(QPlainTextEdit *edit, int start, int length)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}

QString selectedText(const QPlainTextEdit *edit)
{
    return edit->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

void deleteClosedWindows()
{
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestFindReplace : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dialogsAreModelessAndOwned();
    void labelsStandBesideTheirFields();
    void openingAgainOnlyRaises();
    void keysPressTheButtons();
    void find_data();
    void find();
    void findStepsThroughHitsWithoutWrapping();
    void hitIsShownInTheActiveMainWindow();
    void replace_data();
    void replace();
    void replaceStepsThroughHits();
    void replaceAll_data();
    void replaceAll();

private:
    frmfindstr *openFind(const QString &text, int start = 0, int length = 0);
    frmreplacestr *openReplace(const QString &text, int start = 0, int length = 0);
    QStringList messages() const;

    std::unique_ptr<MainWindowFixture> m_f;
    FakeUserDialogs *m_dialogs = nullptr;
    Form1 *m_form = nullptr;
};

void TestFindReplace::init()
{
    m_f = std::make_unique<MainWindowFixture>();
    m_dialogs = &m_f->dialogs;
    m_form = m_f->form.get();
}

void TestFindReplace::cleanup()
{
    m_f.reset();
}

frmfindstr *TestFindReplace::openFind(const QString &text, int start, int length)
{
    m_form->txtdpbox->setPlainText(text);
    select(m_form->txtdpbox, start, length);
    // Toolbar button 11 works also when the menu item is disabled.
    m_form->Toolbar1_ButtonClick(11);
    return m_form->findChild<frmfindstr *>();
}

frmreplacestr *TestFindReplace::openReplace(const QString &text, int start, int length)
{
    m_form->txtdpbox->setPlainText(text);
    select(m_form->txtdpbox, start, length);
    m_form->findChild<QAction *>(QStringLiteral("mnureplace"))->trigger();
    return m_form->findChild<frmreplacestr *>();
}

QStringList TestFindReplace::messages() const
{
    QStringList texts;
    for (const FakeUserDialogs::Shown &shown : m_dialogs->shown) {
        if (shown.kind != QLatin1String("inform") || shown.title != QLatin1String("Mirabo"))
            qFatal("unexpected dialog %s", qPrintable(shown.kind));
        texts.append(shown.text);
    }
    return texts;
}

void TestFindReplace::dialogsAreModelessAndOwned()
{
    frmfindstr *find = openFind(QStringLiteral("あいう"), 1, 2);
    frmreplacestr *replace = openReplace(QStringLiteral("あいう"), 0, 1);
    QVERIFY(find && replace);
    for (QDialog *dialog : std::initializer_list<QDialog *>{find, replace}) {
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->parentWidget(), m_form);
        QVERIFY(dialog->windowFlags().testFlag(Qt::Dialog));
    }
    QCOMPARE(find->windowTitle(), QStringLiteral("文字列の検索"));
    QCOMPARE(replace->windowTitle(), QStringLiteral("文字列の置換"));
    const QFont font = JapaneseFonts::proportionalGothic(9);
    for (QWidget *control : {child<QWidget>(find, "chktop"), child<QWidget>(replace, "ibireplace")}) {
        QCOMPARE(control->font().family(), font.family());
        QCOMPARE(control->font().pointSizeF(), 9.0);
    }

    // Loaded with the editor's selection, ready to be typed over.
    auto *findString = child<QLineEdit>(find, "txtsearch");
    QCOMPARE(findString->text(), QStringLiteral("いう"));
    QCOMPARE(findString->selectedText(), QStringLiteral("いう"));
    QVERIFY(child<QCheckBox>(find, "chktop")->isChecked());
    QVERIFY(!child<QCheckBox>(find, "chkmoji")->isChecked());
    QCOMPARE(child<QLineEdit>(replace, "txtsearch")->text(), QStringLiteral("あ"));
    QVERIFY(child<QLineEdit>(replace, "txtreplace")->text().isEmpty());
    QVERIFY(!replace->foundFlag());
    QCOMPARE(child<QLabel>(replace, "lblsearch")->buddy(), child<QLineEdit>(replace, "txtsearch"));
    QCOMPARE(child<QLabel>(replace, "ibireplace")->buddy(), child<QLineEdit>(replace, "txtreplace"));

    const auto tabOrder = [](QWidget *first) {
        QStringList names;
        QWidget *widget = first;
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                names.append(widget->objectName());
            widget = widget->nextInFocusChain();
        } while (widget != first);
        return names;
    };
    QCOMPARE(tabOrder(findString), (QStringList{"txtsearch", "cmdsearch", "cmdcancel", "chkmoji", "chktop"}));
    QCOMPARE(tabOrder(child<QLineEdit>(replace, "txtsearch")),
             (QStringList{"txtsearch", "txtreplace", "cmdreplace", "cmdreplaceall", "cmdcancel"}));
}

void TestFindReplace::openingAgainOnlyRaises()
{
    QPointer<frmfindstr> find = openFind(QStringLiteral("abcabc"), 1, 2);
    child<QLineEdit>(find, "txtsearch")->setText(QStringLiteral("typed"));
    child<QCheckBox>(find, "chktop")->setChecked(false);
    select(m_form->txtdpbox, 0, 3);
    m_form->findChild<QAction *>(QStringLiteral("mnufind"))->trigger();
    QCOMPARE(m_form->findChildren<frmfindstr *>().size(), 1);
    QCOMPARE(child<QLineEdit>(find, "txtsearch")->text(), QStringLiteral("typed"));
    QVERIFY(!child<QCheckBox>(find, "chktop")->isChecked());

    // Cancel destroys it; the next opening loads it anew, even before the old
    // one is deleted.
    child<QPushButton>(find, "cmdcancel")->click();
    QVERIFY(!find->isVisible());
    m_form->findChild<QAction *>(QStringLiteral("mnufind"))->trigger();
    deleteClosedWindows();
    QVERIFY(!find);
    find = m_form->findChild<frmfindstr *>();
    QVERIFY(find && find->isVisible());
    QCOMPARE(child<QLineEdit>(find, "txtsearch")->text(), QStringLiteral("abc"));
    QVERIFY(child<QCheckBox>(find, "chktop")->isChecked());

    // So does the close box.
    find->close();
    deleteClosedWindows();
    QVERIFY(!find);
}

void TestFindReplace::keysPressTheButtons()
{
    QPointer<frmfindstr> find = openFind(QStringLiteral("abcabc"), 1, 2);
    QTest::keyClick(child<QLineEdit>(find, "txtsearch"), Qt::Key_Return);
    QCOMPARE(m_form->txtdpbox->textCursor().selectionStart(), 1);
    QVERIFY(!child<QCheckBox>(find, "chktop")->isChecked());
    QTest::keyClick(child<QCheckBox>(find, "chkmoji"), Qt::Key_Enter);
    QCOMPARE(m_form->txtdpbox->textCursor().selectionStart(), 4);
    QTest::keyClick(child<QLineEdit>(find, "txtsearch"), Qt::Key_Escape);
    deleteClosedWindows();
    QVERIFY(!find);

    QPointer<frmreplacestr> replace = openReplace(QStringLiteral("abcabc"), 1, 2);
    child<QLineEdit>(replace, "txtreplace")->setText(QStringLiteral("X"));
    QTest::keyClick(child<QLineEdit>(replace, "txtreplace"), Qt::Key_Return);
    QCOMPARE(m_form->txtdpbox->toPlainText(), QStringLiteral("aXabc"));
    QTest::keyClick(child<QLineEdit>(replace, "txtsearch"), Qt::Key_Escape);
    deleteClosedWindows();
    QVERIFY(!replace);
    QVERIFY(messages().isEmpty());
}

void TestFindReplace::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start"); // the selection before the search
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("fromTop");
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("exactCase");
    QTest::addColumn<int>("hit"); // -1: the end message, selection kept

    QTest::newRow("case folded") << "xabc" << 0 << 0 << true << "ABC" << false << 1;
    QTest::newRow("case kept") << "xabc" << 0 << 0 << true << "ABC" << true << -1;
    QTest::newRow("full-width case folded") << "ｘａｂｃ" << 0 << 0 << true << "ＡＢＣ" << false << 1;
    QTest::newRow("hiragana is not katakana") << "カナ" << 0 << 0 << true << "かな" << false << -1;
    QTest::newRow("full-width is not half-width") << "ａｂｃ" << 0 << 0 << true << "abc" << false << -1;
    QTest::newRow("empty document") << "" << 0 << 0 << true << "a" << false << -1;
    QTest::newRow("empty search string") << "abc" << 1 << 1 << true << "" << false << -1;
    QTest::newRow("behind the caret") << "abcabc" << 2 << 0 << false << "bc" << false << 4;
    QTest::newRow("behind the selection") << "abcabc" << 1 << 2 << false << "bc" << false << 4;
    QTest::newRow("at the caret") << "abcabc" << 4 << 0 << false << "bc" << false << 4;
    QTest::newRow("from the top") << "abcabc" << 4 << 2 << true << "bc" << false << 1;
    QTest::newRow("after a non-BMP character and a line break")
        << "😀あ\nabc" << 6 << 0 << true << "bc" << false << 5;
    QTest::newRow("across a line break") << "ab\ncd\n" << 5 << 0 << true << "b\nc" << false << 1;
}

void TestFindReplace::find()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(bool, fromTop);
    QFETCH(QString, what);
    QFETCH(bool, exactCase);
    QFETCH(int, hit);

    frmfindstr *find = openFind(text, start, length);
    child<QLineEdit>(find, "txtsearch")->setText(what);
    child<QCheckBox>(find, "chktop")->setChecked(fromTop);
    child<QCheckBox>(find, "chkmoji")->setChecked(exactCase);
    child<QPushButton>(find, "cmdsearch")->click();

    const QTextCursor cursor = m_form->txtdpbox->textCursor();
    if (hit < 0) {
        QCOMPARE(messages(), QStringList{frmfindstr::kEndMessage});
        QCOMPARE(cursor.selectionStart(), start);
        QCOMPARE(cursor.selectionEnd(), start + length);
    } else {
        QVERIFY(messages().isEmpty());
        QCOMPARE(cursor.selectionStart(), hit);
        QVERIFY(selectedText(m_form->txtdpbox).compare(what, Qt::CaseInsensitive) == 0);
    }
    QVERIFY(!child<QCheckBox>(find, "chktop")->isChecked());
    QCOMPARE(m_form->txtdpbox->toPlainText(), text);
}

void TestFindReplace::findStepsThroughHitsWithoutWrapping()
{
    frmfindstr *find = openFind(QStringLiteral("abcabc"));
    child<QLineEdit>(find, "txtsearch")->setText(QStringLiteral("bc"));
    auto *search = child<QPushButton>(find, "cmdsearch");
    const auto selection = [this] {
        const QTextCursor cursor = m_form->txtdpbox->textCursor();
        return QPair<int, int>(cursor.selectionStart(), cursor.selectionEnd());
    };

    search->click();
    QCOMPARE(selection(), qMakePair(1, 3));
    search->click();
    QCOMPARE(selection(), qMakePair(4, 6));
    search->click();
    search->click();
    QCOMPARE(selection(), qMakePair(4, 6));
    QCOMPARE(messages(), QStringList(2, frmfindstr::kEndMessage));
    child<QCheckBox>(find, "chktop")->setChecked(true);
    search->click();
    QCOMPARE(selection(), qMakePair(1, 3));
    QVERIFY(find->isVisible());
}

void TestFindReplace::hitIsShownInTheActiveMainWindow()
{
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    frmfindstr *find = openFind(QStringLiteral("abc"));
    QVERIFY(QTest::qWaitForWindowActive(find));
    child<QLineEdit>(find, "txtsearch")->setText(QStringLiteral("b"));
    child<QPushButton>(find, "cmdsearch")->click();
    QTRY_COMPARE(QApplication::activeWindow(), m_form);
    QVERIFY(m_form->txtdpbox->hasFocus());
    QVERIFY(find->isVisible());
}

void TestFindReplace::replace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("resultStart"); // the selection afterwards
    QTest::addColumn<int>("resultLength");
    QTest::addColumn<bool>("found"); // false: the end message

    QTest::newRow("first click only selects") << "abcabc" << 0 << 0 << "bc"
                                              << "X"
                                              << "abcabc" << 1 << 2 << true;
    QTest::newRow("selected hit replaced, next selected") << "abcabc" << 1 << 2 << "bc"
                                                          << "X"
                                                          << "aXabc" << 3 << 2 << true;
    QTest::newRow("last hit replaced") << "aXabc" << 3 << 2 << "bc"
                                       << "X"
                                       << "aXaX" << 4 << 0 << false;
    QTest::newRow("selection not matching is searched from its start") << "xabcx" << 0 << 4 << "bc"
                                                                       << "X"
                                                                       << "xabcx" << 2 << 2 << true;
    QTest::newRow("case kept") << "abc" << 0 << 0 << "ABC"
                               << "X"
                               << "abc" << 0 << 0 << false;
    QTest::newRow("selection matching only without case") << "abcABC" << 0 << 3 << "ABC"
                                                          << "X"
                                                          << "abcABC" << 3 << 3 << true;
    QTest::newRow("empty search string") << "abc" << 1 << 0 << ""
                                         << "z"
                                         << "abc" << 1 << 0 << false;
    QTest::newRow("empty search string, selection") << "abc" << 1 << 1 << ""
                                                    << "z"
                                                    << "abc" << 1 << 1 << false;
    QTest::newRow("replacement with a line break") << "😀a-a" << 2 << 1 << "a"
                                                   << "x\ny"
                                                   << "😀x\ny-a" << 6 << 1 << true;
}

void TestFindReplace::replace()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, what);
    QFETCH(QString, with);
    QFETCH(QString, result);
    QFETCH(int, resultStart);
    QFETCH(int, resultLength);
    QFETCH(bool, found);

    frmreplacestr *replace = openReplace(text, start, length);
    child<QLineEdit>(replace, "txtsearch")->setText(what);
    child<QLineEdit>(replace, "txtreplace")->setText(with);
    child<QPushButton>(replace, "cmdreplace")->click();

    QCOMPARE(m_form->txtdpbox->toPlainText(), result);
    const QTextCursor cursor = m_form->txtdpbox->textCursor();
    QCOMPARE(cursor.selectionStart(), resultStart);
    QCOMPARE(cursor.selectionEnd(), resultStart + resultLength);
    if (found)
        QCOMPARE(selectedText(m_form->txtdpbox), what);
    QCOMPARE(replace->foundFlag(), found);
    QCOMPARE(messages(), found ? QStringList() : QStringList{frmreplacestr::kEndMessage});

    // One replacement is one undo step.
    m_form->txtdpbox->undo();
    QCOMPARE(m_form->txtdpbox->toPlainText(), text);
}

void TestFindReplace::replaceStepsThroughHits()
{
    // Opened over a hit, the first click replaces it at once.
    frmreplacestr *replace = openReplace(QStringLiteral("abcabc"), 1, 2);
    child<QLineEdit>(replace, "txtreplace")->setText(QStringLiteral("bcbc"));
    auto *click = child<QPushButton>(replace, "cmdreplace");
    click->click();
    QCOMPARE(m_form->txtdpbox->toPlainText(), QStringLiteral("abcbcabc"));
    QCOMPARE(m_form->txtdpbox->textCursor().selectionStart(), 6);
    QVERIFY(replace->foundFlag());
    QVERIFY(messages().isEmpty());
    // Replacing the last hit ends; a further click finds nothing behind it.
    click->click();
    QCOMPARE(m_form->txtdpbox->toPlainText(), QStringLiteral("abcbcabcbc"));
    QCOMPARE(messages(), QStringList{frmreplacestr::kEndMessage});
    click->click();
    QCOMPARE(m_form->txtdpbox->toPlainText(), QStringLiteral("abcbcabcbc"));
    QCOMPARE(messages(), QStringList(2, frmreplacestr::kEndMessage));
    QVERIFY(!replace->foundFlag());
}

void TestFindReplace::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");

    QTest::newRow("a by b") << "aaaa"
                            << "a"
                            << "b"
                            << "bbbb" << 4;
    QTest::newRow("replacement holds the search string") << "aa"
                                                         << "a"
                                                         << "aa"
                                                         << "aaaa" << 4;
    QTest::newRow("nothing to replace") << "abc"
                                        << "x"
                                        << "y"
                                        << "abc" << 0;
    QTest::newRow("case kept") << "abc"
                               << "ABC"
                               << "x"
                               << "abc" << 0;
    QTest::newRow("empty search string") << "abc"
                                         << ""
                                         << "z"
                                         << "abc" << 0;
    QTest::newRow("removal") << "a-b-c"
                             << "-"
                             << ""
                             << "abc" << 2;
    QTest::newRow("lines") << "ka\nsa\nta"
                           << "a\n"
                           << "i\n"
                           << "ki\nsi\nta" << 6;
    QTest::newRow("non-BMP characters") << "😀a😀a"
                                        << "😀"
                                        << "b"
                                        << "baba" << 3;
}

void TestFindReplace::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(QString, with);
    QFETCH(QString, result);
    QFETCH(int, caret);

    // Everything from the beginning, wherever the caret was.
    frmreplacestr *replace = openReplace(text, text.size(), 0);
    child<QLineEdit>(replace, "txtsearch")->setText(what);
    child<QLineEdit>(replace, "txtreplace")->setText(with);
    child<QPushButton>(replace, "cmdreplaceall")->click();

    QCOMPARE(m_form->txtdpbox->toPlainText(), result);
    QCOMPARE(messages(), QStringList{frmreplacestr::kEndMessage});
    QCOMPARE(m_form->txtdpbox->textCursor().position(), caret);
    QVERIFY(!m_form->txtdpbox->textCursor().hasSelection());
    QVERIFY(!replace->foundFlag());

    // The whole replace-all is one undo step.
    m_form->txtdpbox->undo();
    QCOMPARE(m_form->txtdpbox->toPlainText(), text);
}

void TestFindReplace::labelsStandBesideTheirFields()
{
    QDialog *find = openFind(QStringLiteral("あ"));
    QDialog *replace = openReplace(QStringLiteral("あ"));
    const QList<std::tuple<QDialog *, const char *, const char *>> rows = {
        {find, "lblsearch", "txtsearch"}, {replace, "lblsearch", "txtsearch"}, {replace, "ibireplace", "txtreplace"}};
    for (const auto &[dialog, labelName, fieldName] : rows) {
        auto *label = child<QLabel>(dialog, labelName);
        auto *field = child<QLineEdit>(dialog, fieldName);
        QCOMPARE(label->buddy(), field);
        // The whole text, in the label's own font, ends before its field.
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text().remove(u'&')));
        QVERIFY(label->geometry().right() < field->geometry().left());
        QVERIFY(qAbs(label->geometry().center().y() - field->geometry().center().y()) <= 1);
        QVERIFY(dialog->rect().contains(field->geometry()));
    }
}

QTEST_MAIN(TestFindReplace)
#include "tst_findreplace.moc"
