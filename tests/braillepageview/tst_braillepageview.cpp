#include "braillepages/pagesettings.h"
#include "braillepageview/braillepagecommands.h"
#include "braillepageview/braillepageview.h"
#include "braillepageview/braillepagewidget.h"
#include "braillepageview/documentinfodialog.h"
#include "braillepageview/pagesettingsdialog.h"
#include "engine/translation.h"
#include "fakeuserdialogs.h"
#include "mainwindow/form1.h"
#include "platform/gui/printers.h"
#include "platform/settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

// The braille page commands of the main window: the page view, braille
// printing, braille files in and out and the page settings, on pages of 10
// cells and 10 lines.
class TestBraillePageView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tellsWhenNothingIsTranslated();
    void turnsPagesAndMirrors();
    void printsOneSheetPerBraillePage();
    void printsAtRealBrailleSize();
    void opensBrailleFiles();
    void damagedFileOpensAsFarAsItGoes();
    void exportsTheLastTranslation();
    void exportNeedsAKnownSuffix();
    void readersDoNotTranslateAgain();
    void readersUseTheTextAsItStands();
    void openViewFollowsTheText_data();
    void openViewFollowsTheText();
    void clearedTextHasNoTranslation();
    void pageSettingsAreKeptAndShown();
    void formatMenuMarksHeadingsInOneStep();
    void documentInfoMakesABook();

private:
    void translate(const QString &text);
    void trigger(const char *name);
    BraillePageView *view() const { return form_->braillePages()->view(); }
    QString writeFile(const QString &name, const QByteArray &bytes);

    QTemporaryDir dir_;
    std::unique_ptr<FakeUserDialogs> dialogs_;
    std::unique_ptr<Form1> form_;
};

namespace {

// 25 lines: あい, then う 23 times, then え; three pages of 10, 10 and 5 lines.
const QString kText = QStringLiteral("あい\n") + QStringLiteral("う\n").repeated(23) + QStringLiteral("え");

int pdfPages(const QString &path)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    if (!pdfinfo.waitForFinished(30000))
        return -1;
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(QString::fromUtf8(pdfinfo.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

void TestBraillePageView::init()
{
    Settings::instance().clear();
    PageSettings settings;
    settings.cells = 10;
    settings.lines = 10;
    // Lines as written: these tests are about pages, not paragraphs.
    settings.paragraphIndent = false;
    settings.save();
    dialogs_ = std::make_unique<FakeUserDialogs>();
    form_ = std::make_unique<Form1>();
    form_->Form_Load();
}

void TestBraillePageView::cleanup()
{
    form_.reset();
    dialogs_.reset();
    Printers::setAvailableOverride(std::nullopt);
}

void TestBraillePageView::translate(const QString &text)
{
    form_->txtdpbox->setPlainText(text);
    trigger("tenhonyaku");
}

void TestBraillePageView::trigger(const char *name)
{
    QAction *action = form_->findChild<QAction *>(QString::fromLatin1(name));
    QVERIFY2(action, name);
    action->trigger();
}

QString TestBraillePageView::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = dir_.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

void TestBraillePageView::tellsWhenNothingIsTranslated()
{
    for (const char *command : {"showBraillePages", "printBraillePages", "exportBrailleFile"})
        trigger(command);
    QCOMPARE(dialogs_->kinds(), QStringList(3, QStringLiteral("inform")));
    QVERIFY(!view());
}

void TestBraillePageView::turnsPagesAndMirrors()
{
    translate(kText);
    trigger("showBraillePages");
    QVERIFY(view() && view()->isVisible());
    auto *previous = view()->findChild<QAction *>(QStringLiteral("previousPage"));
    auto *next = view()->findChild<QAction *>(QStringLiteral("nextPage"));
    auto *label = view()->findChild<QLabel *>(QStringLiteral("pageLabel"));
    QCOMPARE(view()->pageCount(), 3);
    QCOMPARE(label->text(), QStringLiteral("1 / 3 ページ"));
    QVERIFY(!previous->isEnabled());
    QCOMPARE(view()->pageWidget()->shownLines().first(), QStringLiteral("⠁⠃"));

    next->trigger();
    next->trigger();
    QCOMPARE(view()->page(), 2);
    QCOMPARE(label->text(), QStringLiteral("3 / 3 ページ"));
    QCOMPARE(view()->pageWidget()->shownLines(), QStringList({"⠉", "⠉", "⠉", "⠉", "⠋"}));
    QVERIFY(!next->isEnabled());
    // Screen readers read the page as braille text.
    QCOMPARE(view()->pageWidget()->accessibleDescription(), QStringLiteral("⠉\n⠉\n⠉\n⠉\n⠋"));
    previous->trigger();
    QCOMPARE(view()->page(), 1);

    // ⠁ dot 1 becomes dot 4, ⠃ dots 1 2 become 4 5; the line reads from the
    // right edge of the 10-cell page.
    view()->setPage(0);
    view()->findChild<QCheckBox *>(QStringLiteral("mirror"))->click();
    QVERIFY(view()->isMirrored());
    QCOMPARE(view()->pageWidget()->shownLines().first(), QStringLiteral("⠀⠀⠀⠀⠀⠀⠀⠀⠘⠈"));

    const QSize before = view()->pageWidget()->size();
    view()->findChild<QSpinBox *>(QStringLiteral("zoom"))->setValue(150);
    QVERIFY(view()->pageWidget()->width() > before.width());
    QVERIFY(!view()->pageWidget()->grab().isNull());

    // The next view opens at the zoom chosen, wholly on the screen.
    delete view();
    trigger("showBraillePages");
    QCOMPARE(view()->findChild<QSpinBox *>(QStringLiteral("zoom"))->value(), 150);
    QCOMPARE(view()->pageWidget()->zoom(), 150);
    QVERIFY(view()->screen()->availableGeometry().contains(view()->frameGeometry()));
}

void TestBraillePageView::printsOneSheetPerBraillePage()
{
    Printers::setAvailableOverride(false);
    translate(kText);
    const QString path = dir_.filePath(QStringLiteral("pages.pdf"));
    dialogs_->answers.append(UserDialogs::Answer::Yes);
    dialogs_->savePaths.append(path);
    trigger("printBraillePages");
    QCOMPARE(dialogs_->kinds(), QStringList({QStringLiteral("yesno"), QStringLiteral("save")}));
    QCOMPARE(pdfPages(path), 3);
}

void TestBraillePageView::printsAtRealBrailleSize()
{
    // A full page of full cells, 32 × 22, opened from a file and printed
    // from the page view: from the outer edge of the first dot to that of
    // the last, (32 − 1) × 6 + 2.5 + 1.5 = 190 mm across and
    // (22 − 1) × 10 + 2 × 2.5 + 1.5 = 216.5 mm down.
    Printers::setAvailableOverride(false);
    dialogs_->openPaths.append(
        writeFile(QStringLiteral("full.brf"), QByteArray(32, '=').append("\r\n").repeated(22) + "\f"));
    trigger("openBrailleFile");
    QVERIFY(view());
    const QString pdf = dir_.filePath(QStringLiteral("full.pdf"));
    dialogs_->answers.append(UserDialogs::Answer::Yes);
    dialogs_->savePaths.append(pdf);
    view()->findChild<QAction *>(QStringLiteral("printPages"))->trigger();
    QCOMPARE(pdfPages(pdf), 1);

    const QString png = dir_.filePath(QStringLiteral("full"));
    QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                               {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                QStringLiteral("-singlefile"), pdf, png}),
             0);
    const QImage image(png + QStringLiteral(".png"));
    QVERIFY(!image.isNull());
    QRect dots;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                dots |= QRect(x, y, 1, 1);
        }
    }
    const auto pixels = [](double mm) { return mm / 25.4 * 100; };
    QVERIFY2(qAbs(dots.width() - pixels(190)) < 4, qPrintable(QString::number(dots.width())));
    QVERIFY2(qAbs(dots.height() - pixels(216.5)) < 4, qPrintable(QString::number(dots.height())));
}

void TestBraillePageView::opensBrailleFiles()
{
    dialogs_->openPaths.append(writeFile(QStringLiteral("two.brf"), "AB\r\n\fC\r\n\f"));
    trigger("openBrailleFile");
    QVERIFY(view());
    QCOMPARE(view()->pageCount(), 2);
    QCOMPARE(view()->pageWidget()->shownLines(), QStringList(QStringLiteral("⠁⠃")));
    QVERIFY(view()->windowTitle().contains(QStringLiteral("two.brf")));
    QCOMPARE(dialogs_->kinds(), QStringList(QStringLiteral("open")));
}

void TestBraillePageView::damagedFileOpensAsFarAsItGoes()
{
    // A BES header and the cells ⠁ ⠃, a line end, ⠉, and then nothing.
    QByteArray bes(1024, ' ');
    bes.replace(0, 8, "%BET400%");
    bes += "\xA1\xA3\xFE\xA9";
    dialogs_->openPaths.append(writeFile(QStringLiteral("cut.bes"), bes));
    trigger("openBrailleFile");
    QVERIFY(view());
    QCOMPARE(view()->pageWidget()->shownLines(), QStringList({"⠁⠃", "⠉"}));
    QCOMPARE(dialogs_->kinds(), QStringList({QStringLiteral("open"), QStringLiteral("warn")}));
    QVERIFY2(dialogs_->shown.last().text.contains(QStringLiteral("1 ページ 2 行目")),
             qPrintable(dialogs_->shown.last().text));
}

void TestBraillePageView::exportsTheLastTranslation()
{
    translate(QStringLiteral("あい\nう"));
    const QString path = dir_.filePath(QStringLiteral("out.brf"));
    dialogs_->savePaths.append(path);
    trigger("exportBrailleFile");
    QCOMPARE(dialogs_->saveSuffixes, QStringList(QStringLiteral("bes")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("AB\r\nC\r\n\f"));
}

void TestBraillePageView::readersDoNotTranslateAgain()
{
    translate(QStringLiteral("う\n").repeated(200));
    const qint64 before = LineTranslator::linesTranslated();
    trigger("showBraillePages");
    const QString path = dir_.filePath(QStringLiteral("out.pef"));
    dialogs_->savePaths.append(path);
    trigger("exportBrailleFile");
    QVERIFY(QFile::exists(path));
    // 200 lines; the empty line after the last is no page of its own, as
    // a blank line is not written at the top of a page.
    QCOMPARE(view()->document().pages.size(), 20);
    // The file's title is the one line translated since.
    QCOMPARE(LineTranslator::linesTranslated() - before, 1);
}

// After an edit the page view and the file show the text as it is now, and
// the list shows that it no longer matches until they translate again.
void TestBraillePageView::readersUseTheTextAsItStands()
{
    translate(QStringLiteral("あい\nう"));
    auto *notice = form_->findChild<QLabel *>(QStringLiteral("lbltranslation"));
    QVERIFY(notice);
    QVERIFY(!notice->isVisibleTo(form_.get()));
    // A new font lays the text out again without changing it.
    form_->setZoomPercent(150);
    QVERIFY(form_->document().isTranslationCurrent());

    QTextCursor cursor(form_->txtdpbox->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("え"));
    QVERIFY(!form_->document().isTranslationCurrent());
    QVERIFY(notice->isVisibleTo(form_.get()));
    QCOMPARE(form_->List1->model()->index(0, 0).data(TranslationModel::OutOfDateRole).toBool(), true);

    const QString path = dir_.filePath(QStringLiteral("out.brf"));
    dialogs_->savePaths.append(path);
    trigger("exportBrailleFile");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("AB\r\nCF\r\n\f"));
    QVERIFY(form_->document().isTranslationCurrent());
    QVERIFY(!notice->isVisibleTo(form_.get()));
}

void TestBraillePageView::openViewFollowsTheText_data()
{
    QTest::addColumn<QString>("replaced"); // the second character becomes this; empty: nothing replaced
    QTest::addColumn<bool>("undo");        // then the edit is undone
    QTest::addColumn<bool>("outOfDate");

    QTest::newRow("another character") << QStringLiteral("う") << false << true;
    QTest::newRow("a character more") << QStringLiteral("いえ") << false << true;
    QTest::newRow("a character more, undone") << QStringLiteral("いえ") << true << false;
    QTest::newRow("another character, undone") << QStringLiteral("う") << true << false;
    QTest::newRow("the same character typed over") << QStringLiteral("い") << false << false;
}

// The list and an open view of the translation say when the text no longer
// matches it, and stop saying so when the text is as translated again.
void TestBraillePageView::openViewFollowsTheText()
{
    QFETCH(QString, replaced);
    QFETCH(bool, undo);
    QFETCH(bool, outOfDate);
    translate(QStringLiteral("あい\nう"));
    trigger("showBraillePages");
    QVERIFY(view());
    auto *notice = view()->findChild<QLabel *>(QStringLiteral("outOfDateNotice"));
    QVERIFY(notice);
    QVERIFY(!view()->isOutOfDate());

    QTextCursor cursor(form_->txtdpbox->document());
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    cursor.insertText(replaced);
    if (undo)
        form_->txtdpbox->undo();
    QCOMPARE(form_->document().isTranslationCurrent(), !outOfDate);
    QCOMPARE(view()->isOutOfDate(), outOfDate);
    QCOMPARE(notice->isVisibleTo(view()), outOfDate);

    // Translating again brings the view up to date.
    trigger("tenhonyaku");
    QVERIFY(!view()->isOutOfDate());
}

void TestBraillePageView::clearedTextHasNoTranslation()
{
    translate(QStringLiteral("あい"));
    dialogs_->answers.append(UserDialogs::Answer::Yes);
    trigger("syoukyo");
    const QString path = dir_.filePath(QStringLiteral("cleared.brf"));
    dialogs_->savePaths.append(path);
    for (const char *command : {"exportBrailleFile", "showBraillePages", "printBraillePages"})
        trigger(command);
    QCOMPARE(dialogs_->kinds(), QStringList({"yesno", "inform", "inform", "inform"}));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(form_->List1->rowCount(), 0);
}

void TestBraillePageView::exportNeedsAKnownSuffix()
{
    translate(QStringLiteral("あ"));
    const QString path = dir_.filePath(QStringLiteral("out.doc"));
    dialogs_->savePaths.append(path);
    trigger("exportBrailleFile");
    QCOMPARE(dialogs_->kinds(), QStringList({QStringLiteral("save"), QStringLiteral("warn")}));
    QVERIFY(!QFile::exists(path));
}

void TestBraillePageView::pageSettingsAreKeptAndShown()
{
    translate(kText);
    trigger("showBraillePages");
    QTimer::singleShot(0, this, [] {
        auto *dialog = qobject_cast<PageSettingsDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QSpinBox *>(QStringLiteral("cells"))->setValue(12);
        dialog->findChild<QSpinBox *>(QStringLiteral("lines"))->setValue(15);
        dialog->findChild<QCheckBox *>(QStringLiteral("pageNumbers"))->setChecked(true);
        dialog->accept();
    });
    trigger("pageSettings");

    PageSettings expected;
    expected.cells = 12;
    expected.lines = 15;
    expected.pageNumbers = true;
    expected.paragraphIndent = false;
    QCOMPARE(PageSettings::load(), expected);
    // 25 lines under a page number line: 14 and 11.
    QCOMPARE(view()->pageCount(), 2);
    QCOMPARE(view()->pageWidget()->shownLines().first(), QStringLiteral("⠀⠀⠀⠀⠀⠀⠀⠀⠀⠀⠼⠁"));
}

void TestBraillePageView::formatMenuMarksHeadingsInOneStep()
{
    QPlainTextEdit *editor = form_->txtdpbox;
    editor->setPlainText(QStringLiteral("あ\n［ミダシ1］い\nう"));
    QTextCursor cursor(editor->document());
    cursor.setPosition(0);
    cursor.setPosition(editor->document()->findBlockByNumber(1).position() + 1, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    trigger("mnuheading2");
    QCOMPARE(editor->toPlainText(), QStringLiteral("［ミダシ２］あ\n［ミダシ２］い\nう"));
    editor->undo();
    QCOMPARE(editor->toPlainText(), QStringLiteral("あ\n［ミダシ1］い\nう"));
    // 見出し解除 on the caret's line only.
    cursor.setPosition(editor->document()->findBlockByNumber(1).position());
    editor->setTextCursor(cursor);
    trigger("mnuheadingclear");
    QCOMPARE(editor->toPlainText(), QStringLiteral("あ\nい\nう"));
    trigger("mnupagebreak");
    QCOMPARE(editor->toPlainText(), QStringLiteral("あ\n［カイページ］\nい\nう"));
}

void TestBraillePageView::documentInfoMakesABook()
{
    translate(QStringLiteral("［ミダシ1］あ\nい"));
    trigger("showBraillePages");
    QCOMPARE(view()->pageCount(), 1);
    QTimer::singleShot(0, this, [] {
        auto *dialog = qobject_cast<DocumentInfoDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QLineEdit *>(QStringLiteral("title"))->setText(QStringLiteral("うえ"));
        dialog->accept();
    });
    trigger("mnudocumentinfo");
    QCOMPARE(form_->braillePages()->documentInfo().title, QStringLiteral("うえ"));
    // Title page, 目次, body and colophon, the view following.
    const QStringList labels = view()->document().pageLabels;
    QCOMPARE(labels, (QStringList{QStringLiteral("標題紙"), QStringLiteral("目次"), QStringLiteral("本文"),
                                  QStringLiteral("奥付")}));
    view()->setPage(2);
    QVERIFY(
        view()->findChild<QLabel *>(QStringLiteral("pageLabel"))->text().endsWith(QStringLiteral("本文")));

    // Another file opened brings its own information, and gets none of
    // this one's.
    const QString other = writeFile(QStringLiteral("べつ.txt"), QByteArrayLiteral("\x82\xa0"));
    QVERIFY(form_->document().open(other).ok());
    QVERIFY(form_->braillePages()->documentInfo().isEmpty());
    QVERIFY(!QFile::exists(DocumentInfo::pathBeside(other)));

    // Typed into a new document and saved as a file, it goes beside it.
    trigger("mnunew");
    form_->txtdpbox->insertPlainText(QStringLiteral("あ"));
    QTimer::singleShot(0, this, [] {
        auto *dialog = qobject_cast<DocumentInfoDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QLineEdit *>(QStringLiteral("title"))->setText(QStringLiteral("うえ"));
        dialog->accept();
    });
    trigger("mnudocumentinfo");
    const QString path = dir_.filePath(QStringLiteral("ほん.txt"));
    dialogs_->savePaths.append(path);
    trigger("mnusave");
    QCOMPARE(DocumentInfo::loadBeside(path).title, QStringLiteral("うえ"));
}

QTEST_MAIN(TestBraillePageView)
#include "tst_braillepageview.moc"
