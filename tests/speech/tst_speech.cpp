#include "brailleinput/brailleeditor.h"
#include "brailleinput/brailleinputwindow.h"
#include "braillepages/pagesettings.h"
#include "braillepageview/braillepagecommands.h"
#include "braillepageview/braillepageview.h"
#include "braillepageview/braillepagewidget.h"
#include "dotkeys.h"
#include "fakespeaker.h"
#include "lookupwindow/tenkensakuf.h"
#include "mainwindowfixture.h"
#include "speech/spokentext.h"
#include "speechwindow/speechmenu.h"
#include "speechwindow/speechsettingsdialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTextBlock>

// Reading aloud through a recording voice: what is said, in which order,
// and only while 表示 → 読み上げ is on; and what screen readers get of the
// braille list and the page view.
class TestSpeech : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readAloudComesAfterTheViewItems();
    void readsTheCaretLineAsWrittenWhileOn();
    void missingVoiceIsToldOnceAndNothingWaits();
    void readsDotsAndResultOfTheLookUpWindow();
    void readsCellsTypedInBrailleInput();
    void readsThePageShownBackInKana();
    void settingsKeepRateAndVoice();
    void listRowsGiveScreenReadersTheWholeLine();
    void pageViewGivesItsLinesAsText();

private:
    void moveCaretToLine(int line);
    QAction *readAloud() const { return fixture_->action(QStringLiteral("mnuspeech")); }

    FakeSpeaker *speaker_ = nullptr;
    std::unique_ptr<MainWindowFixture> fixture_;
};

void TestSpeech::init()
{
    speaker_ = installFakeSpeaker();
    fixture_ = std::make_unique<MainWindowFixture>();
}

void TestSpeech::cleanup()
{
    fixture_.reset();
    SpeechOutput::instance().setOn(false);
}

void TestSpeech::moveCaretToLine(int line)
{
    QTextCursor cursor(fixture_->form->txtdpbox->document()->findBlockByNumber(line));
    fixture_->form->txtdpbox->setTextCursor(cursor);
}

void TestSpeech::readAloudComesAfterTheViewItems()
{
    auto *view = fixture_->form->findChild<QMenu *>(QStringLiteral("mnuview"));
    const QList<QAction *> items = view->actions();
    const qsizetype speech = items.indexOf(readAloud());
    const qsizetype zoom = items.indexOf(fixture_->action(QStringLiteral("mnuzoomreset")));
    QVERIFY(speech > zoom);
    QVERIFY(std::any_of(items.begin() + zoom, items.begin() + speech, [](QAction *a) { return a->isSeparator(); }));
    QVERIFY(readAloud()->isCheckable());
    QVERIFY(!readAloud()->isChecked());
}

void TestSpeech::readsTheCaretLineAsWrittenWhileOn()
{
    fixture_->form->txtdpbox->setPlainText(QStringLiteral("きょうわ いく\n\nぼくは よむ"));
    moveCaretToLine(2);
    QVERIFY(speaker_->said.isEmpty()); // off: nothing

    readAloud()->trigger();
    QVERIFY(readAloud()->isChecked());
    QCOMPARE(speaker_->said, QStringList{SpokenText::literalKana(QStringLiteral("ぼくは よむ"))});

    // Within the line nothing more; on another line that line.
    QTextCursor cursor = fixture_->form->txtdpbox->textCursor();
    cursor.movePosition(QTextCursor::EndOfBlock);
    fixture_->form->txtdpbox->setTextCursor(cursor);
    QCOMPARE(speaker_->said.size(), 1);
    moveCaretToLine(0);
    moveCaretToLine(1);
    QCOMPARE(speaker_->said.mid(1), QStringList({SpokenText::literalKana(QStringLiteral("きょうわ いく")),
                                                 SpeechMenu::kEmptyLine}));

    readAloud()->trigger();
    QVERIFY(!readAloud()->isChecked());
    QVERIFY(speaker_->stops > 0);
    moveCaretToLine(2);
    QCOMPARE(speaker_->said.size(), 3);
    QVERIFY(!SpeechOutput::savedOn());
}

void TestSpeech::missingVoiceIsToldOnceAndNothingWaits()
{
    // SpeechOutput drops an engine that cannot speak: only the count of all
    // fakes' texts outlives it.
    speaker_ = nullptr;
    installFakeSpeaker({SpeechProblem::Error::NoService, QStringLiteral("no voice here")});
    const int saidBefore = FakeSpeaker::allSaid;
    for (int i = 0; i < 2; ++i) {
        readAloud()->trigger();
        QVERIFY(!readAloud()->isChecked());
        QVERIFY(!SpeechOutput::instance().isOn());
    }
    const auto messages = fixture_->form->findChildren<QMessageBox *>(QStringLiteral("speechUnavailable"));
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first()->isVisible());
    QVERIFY(!messages.first()->isModal());
    QVERIFY(messages.first()->text().contains(QStringLiteral("no voice here")));
    QVERIFY(readAloud()->toolTip().contains(QStringLiteral("no voice here")));
    QCOMPARE(FakeSpeaker::allSaid, saidBefore);
}

void TestSpeech::readsDotsAndResultOfTheLookUpWindow()
{
    QVERIFY(SpeechOutput::instance().setOn(true));
    QPointer<tenkensakuf> window = tenkensakuf::open();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const auto click = [&](int p) {
        const QPoint centre = window->findChild<QWidget *>(QStringLiteral("Image%1").arg(2 * p))->geometry().center();
        QWidget *target = window->childAt(centre);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window.data(), centre));
    };
    click(1);
    click(4);
    QCOMPARE(speaker_->said, QStringList({SpokenText::cellDots(0b1), SpokenText::cellDots(0b1001)}));

    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("検索")), Qt::LeftButton);
    const QString shown = window->findChild<QLabel *>(QStringLiteral("Label1"))->text();
    QVERIFY(!shown.isEmpty());
    QVERIFY2(speaker_->said.constLast().startsWith(shown), qPrintable(speaker_->said.constLast()));

    // A chord of the six keys marks the next cell: its dots are read.
    DotKeys::chord(window, u"FDS");
    QTRY_COMPARE(speaker_->said.constLast(), SpokenText::cellDots(0b111));
    delete window.data();
}

void TestSpeech::readsCellsTypedInBrailleInput()
{
    QVERIFY(SpeechOutput::instance().setOn(true));
    std::unique_ptr<BrailleInputWindow> window(BrailleInputWindow::open());
    DotKeys::chord(window->editor(), u"FJ");
    QTRY_COMPARE(speaker_->said, QStringList{SpokenText::cellDots(0b1001)});
    QTest::keyClick(window->editor(), Qt::Key_Space);
    QCOMPARE(speaker_->said.constLast(), SpokenText::cellDots(0));
}

// Pages of 10 × 10 cells without page numbers or indent: a line of the text
// is a line of the page.
static void useSmallPlainPages()
{
    PageSettings settings;
    settings.cells = 10;
    settings.lines = 10;
    settings.pageNumbers = false;
    settings.paragraphIndent = false;
    settings.save();
}

void TestSpeech::readsThePageShownBackInKana()
{
    useSmallPlainPages();
    QVERIFY(SpeechOutput::instance().setOn(true));
    // Eleven lines: the last one on a page of its own.
    QStringList lines(10, QStringLiteral("あ"));
    lines << QStringLiteral("かさ");
    fixture_->translate(lines.join(u'\n'));
    speaker_->said.clear();
    fixture_->action(QStringLiteral("showBraillePages"))->trigger();
    BraillePageView *view = fixture_->form->braillePages()->view();
    QCOMPARE(speaker_->said.size(), 1);
    QCOMPARE(speaker_->said.constLast().count(u'あ'), 10);
    view->nextPage();
    QCOMPARE(speaker_->said.constLast(), QStringLiteral("かさ"));
    view->nextPage(); // no further page: nothing new
    QCOMPARE(speaker_->said.size(), 2);
}

void TestSpeech::settingsKeepRateAndVoice()
{
    QVERIFY(SpeechOutput::instance().setOn(true));
    SpeechSettingsDialog dialog(fixture_->form.get());
    QCOMPARE(dialog.voiceBox()->count(), 3); // the engine's choice and two voices
    dialog.rateSlider()->setValue(5);
    dialog.voiceBox()->setCurrentIndex(2);
    dialog.findChild<QPushButton *>(QStringLiteral("speechTry"))->click();
    QCOMPARE(speaker_->said.size(), 1);
    dialog.reject(); // the try leaves nothing behind
    QCOMPARE(speaker_->rate, 0.0);
    QCOMPARE(speaker_->voice, QString());

    SpeechSettingsDialog again(fixture_->form.get());
    again.rateSlider()->setValue(-4);
    again.voiceBox()->setCurrentIndex(2);
    again.accept();
    QCOMPARE(SpeechOutput::savedRate(), -4);
    QCOMPARE(speaker_->rate, -0.4);
    QCOMPARE(speaker_->voice, QStringLiteral("voice-b"));
    SpeechSettingsDialog reopened(fixture_->form.get());
    QCOMPARE(reopened.rateSlider()->value(), -4);
    QCOMPARE(reopened.voiceBox()->currentText(), QStringLiteral("voice-b"));
    for (QWidget *control : {static_cast<QWidget *>(reopened.rateSlider()), static_cast<QWidget *>(reopened.voiceBox())})
        QVERIFY(!control->accessibleName().isEmpty());
}

void TestSpeech::listRowsGiveScreenReadersTheWholeLine()
{
    // Longer than the 30 columns a row shows, with kana of two cells, and
    // an empty line after it.
    const QString line = QStringLiteral("あいうえお かきくけこ さしすせそ たちつてと なにぬねの がぎぐげご");
    fixture_->translate(line + u'\n');
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(fixture_->form->List1);
    QVERIFY(list);
    QStringList names;
    QStringList descriptions;
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface *row = list->child(i);
        if (row->role() == QAccessible::ListItem) {
            // The text row stands cell for cell over the braille: a blank is a full-width one.
            names << row->text(QAccessible::Name).replace(u'　', u' ');
            descriptions << row->text(QAccessible::Description).replace(u'　', u' ');
        }
    }
    QVERIFY2(names.contains(line), qPrintable(names.join(u'|')));
    QCOMPARE(names.count(QStringLiteral("空行")), 2);
    const auto braille = std::find_if(names.begin(), names.end(), [](const QString &name) {
        return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 0x2800 && c.unicode() <= 0x28FF; });
    });
    QVERIFY(braille != names.end());
    QVERIFY(braille->size() > 30);
    QVERIFY(descriptions.at(braille - names.begin()).contains(line));
}

void TestSpeech::pageViewGivesItsLinesAsText()
{
    useSmallPlainPages();
    // As with a screen reader running: events ask for the widget's
    // interface from the moment it is made.
    QAccessible::setActive(true);
    fixture_->translate(QStringLiteral("あい\nか"));
    fixture_->action(QStringLiteral("showBraillePages"))->trigger();
    BraillePageWidget *page = fixture_->form->braillePages()->view()->pageWidget();
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(page);
    QVERIFY(accessible);
    QAccessibleTextInterface *text = accessible->textInterface();
    QVERIFY(text);
    const QString all = text->text(0, text->characterCount());
    QCOMPARE(all, page->shownLines().join(u'\n'));
    QCOMPARE(all.count(u'\n'), 1);
    int start = 0;
    int end = 0;
    const QString second = text->textAtOffset(int(all.indexOf(u'\n')) + 1, QAccessible::LineBoundary, &start, &end);
    QCOMPARE(second, page->shownLines().at(1));
    QVERIFY(accessible->text(QAccessible::Name).contains(u'1'));
    QCOMPARE(accessible->text(QAccessible::Description), QStringLiteral("あい\nか"));
    QVERIFY(accessible->state().readOnly);
}

QTEST_MAIN(TestSpeech)
#include "tst_speech.moc"
