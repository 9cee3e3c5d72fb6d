#include "backtranslation/backtranslation.h"
#include "brailleinput/brailleeditor.h"
#include "brailleinput/brailleinputwindow.h"
#include "braillepages/pagesettings.h"
#include "braillepageview/braillepagecommands.h"
#include "braillepageview/braillepageview.h"
#include "document/workfile.h"
#include "lookupwindow/tenkensakuf.h"
#include "filewindow/dirlist.h"
#include "filewindow/form2.h"
#include "mainwindow/form1.h"
#include "mainwindow/listprinter.h"
#include "clirun.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include "platform/settings.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTest>

// The main window's commands that hand over to the engine and the other
// windows.
class TestForm1Commands : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { m_f.reset(); }

    void translationFillsTheList();
    void translationWarnsOfLongLines();
    void everyRouteGivesTheSameRows();
    void translationFailureIsReported();
    void lookUpWindowOpensOnceWithoutOwner();
    void brailleFileIsReadIntoTheText();
    void brailleInputIsWrittenInPages();
    void brailleInputOpensOverTheWindow();

private:
    std::unique_ptr<MainWindowFixture> m_f;
};

namespace {

QStringList entries(const BrailleListView *list)
{
    QStringList out;
    for (int i = 0; i < list->rowCount(); ++i)
        out.append(list->model()->index(i, 0).data().toString());
    return out;
}

const QString kPad = QStringLiteral("　");

} // namespace

void TestForm1Commands::translationFillsTheList()
{
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    QAction *tenhonyaku = form.findChild<QAction *>(QStringLiteral("tenhonyaku"));
    QVERIFY(tenhonyaku);
    QCOMPARE(tenhonyaku->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));

    form.txtdpbox->setPlainText(QStringLiteral("かな"));
    tenhonyaku->trigger();
    form.txtdpbox->setPlainText(QStringLiteral("きゃ１２３あ\nＡ"));
    tenhonyaku->trigger();

    // きゃ is one cell; the number takes the numeral sign and, before あ, the
    // connector; the cell the join freed reads as a blank braille cell.
    const QStringList expected = {
        QStringLiteral("きゃ　１２３　あ") + kPad.repeated(25),
        QStringLiteral("⠈⠡⠼⠁⠃⠉⠤⠁⠀") + kPad.repeated(24),
        QStringLiteral("　　Ａ") + kPad.repeated(29),
        QStringLiteral("⠰⠠⠁") + kPad.repeated(29),
    };
    QCOMPARE(entries(form.List1), expected);
    QCOMPARE(form.document().translation().lineCount(), 2);
    QVERIFY(dialogs.shown.isEmpty());
    QCOMPARE(form.txtdpbox->toPlainText(), QStringLiteral("きゃ１２３あ\nＡ"));
}

void TestForm1Commands::translationWarnsOfLongLines()
{
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("あ").repeated(31) + QStringLiteral("\n") +
                                QStringLiteral("い").repeated(30));
    form.findChild<QAction *>(QStringLiteral("tenhonyaku"))->trigger();
    const QStringList list = entries(form.List1);
    QCOMPARE(list.size(), 5);
    QCOMPARE(list[0], QStringLiteral("１行の文字数が30文字を越えています。"));
    QCOMPARE(list[1], QStringLiteral("あ").repeated(30));
    QCOMPARE(list[2], QStringLiteral("⠁").repeated(30));
    QCOMPARE(list[3], QStringLiteral("い").repeated(30));
}

void TestForm1Commands::everyRouteGivesTheSameRows()
{
    // Characters that cp932 cannot hold (one outside the BMP, one inside),
    // a kanji outside the BMP and hiragana ゔ, with the passes around them.
    const QString text = QStringLiteral("あ😀ゔ𠮷か\nヴァイオリン１２あ\nＡＢｃ　がっこう、はい。");
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(text);
    form.txtdpbox->document()->setModified(false);
    dialogs.answers << UserDialogs::Answer::No; // translate the kanji as it stands
    form.findChild<QAction *>(QStringLiteral("tenhonyaku"))->trigger();
    const QStringList fromEditor = entries(form.List1);
    QCOMPARE(fromEditor.size(), 6);
    // Nothing turned into "?": あ ⠁, a blank cell for each character without
    // braille, ゔ read as ヴ ⠐⠉, か ⠡.
    QCOMPARE(fromEditor[0], QStringLiteral("あ😀ゔ　𠮷か") + kPad.repeated(25));
    QCOMPARE(fromEditor[1], QStringLiteral("⠁　⠐⠉　⠡") + kPad.repeated(25));
    // They are named once, after the translation.
    // After the offer of the kana conversion, answered no.
    QCOMPARE(dialogs.kinds(), QStringList({"yesnocancel", "warn"}));
    QVERIFY(dialogs.shown.last().text.contains(QStringLiteral("😀　𠮷")));
    // Printing prints the rows the list shows.
    QCOMPARE(ListPrinter::rows(form.document().translation()),
             QStringList({fromEditor[0], fromEditor[1], fromEditor[2], fromEditor[3], fromEditor[4], fromEditor[5]}));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("same.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8() + "\n");
    file.close();
    form.document().clearTranslation();
    form.findChild<QAction *>(QStringLiteral("fileopen"))->trigger();
    Form2 *fileWindow = form.findChild<Form2 *>();
    QVERIFY(fileWindow);
    fileWindow->Dir1->setPath(dir.path());
    fileWindow->txttargetfile->setText(QStringLiteral("same.txt"));
    fileWindow->findChild<QAction *>(QStringLiteral("readerrorchk"))->trigger();
    QCOMPARE(entries(form.List1), fromEditor);
    QCOMPARE(dialogs.kinds(), QStringList({"yesnocancel", "warn", "warn"}));

    const auto cliLines = [&](const QStringList &args, QString &errors) {
        const CliRun cli = runCli(QStringLiteral(MIRABO_CLI), args);
        if (cli.exitCode != 0)
            return QStringList({QStringLiteral("mirabo-cli failed")});
        errors = QString::fromUtf8(cli.err);
        QStringList lines = QString::fromUtf8(cli.out).split(u'\n');
        if (lines.takeLast() != QString())
            lines.append(QStringLiteral("no line end at the end"));
        return lines;
    };
    QString errors;
    QCOMPARE(cliLines({path}, errors), fromEditor);
    QVERIFY2(errors.contains(QStringLiteral("😀　𠮷")), qPrintable(errors));

    // The whole braille of each line begins with what the list shows of it,
    // its blank cells as ⠀ and without the blanks at the end.
    const QStringList whole = cliLines({QStringLiteral("braille"), path}, errors);
    QCOMPARE(whole.size(), 3);
    QVERIFY2(errors.contains(QStringLiteral("😀　𠮷")), qPrintable(errors));
    for (int line = 0; line < 3; ++line) {
        QString shown = fromEditor[2 * line + 1];
        shown.replace(u'　', QChar(0x2800));
        while (shown.endsWith(QChar(0x2800)))
            shown.chop(1);
        QVERIFY2(!whole[line].endsWith(QChar(0x2800)), qPrintable(whole[line]));
        QVERIFY2(whole[line].startsWith(shown), qPrintable(whole[line]));
    }
    QCOMPARE(whole[2], QStringLiteral("⠰⠠⠁⠠⠃⠉⠀⠐⠡⠂⠪⠉⠰⠀⠥⠃⠲"));
}

void TestForm1Commands::translationFailureIsReported()
{
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    // A plain file where the cache directory should be: the work file cannot be made.
    const QString cacheDir = QFileInfo(workFilePath()).absolutePath();
    QDir(cacheDir).removeRecursively();
    QVERIFY(QDir().mkpath(QFileInfo(cacheDir).absolutePath()));
    QFile blocker(cacheDir);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    form.txtdpbox->setPlainText(QStringLiteral("あ"));
    form.findChild<QAction *>(QStringLiteral("tenhonyaku"))->trigger();
    QFile::remove(cacheDir);

    QCOMPARE(form.List1->rowCount(), 0);
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown.first().kind, QStringLiteral("warn"));
    QVERIFY(!dialogs.shown.first().text.isEmpty());
}

void TestForm1Commands::lookUpWindowOpensOnceWithoutOwner()
{
    Form1 &form = *m_f->form;
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

void TestForm1Commands::brailleFileIsReadIntoTheText()
{
    // Two pages: さくら, はな; then the page number 2 and やま.
    const QString path = m_f->path(QStringLiteral("yomu.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("⠱⠩⠑\n⠥⠅\n\f⠀⠀⠀⠼⠃\n⠌⠵\n").toUtf8());
    file.close();
    m_f->type(QStringLiteral("まえ。あと"));
    m_f->select(3, 0);

    m_f->dialogs.openPaths.append(path);
    m_f->action(QStringLiteral("openBrailleFile"))->trigger();
    BraillePageView *view = m_f->form->braillePages()->view();
    QVERIFY(view);
    auto *insert = view->findChild<QAction *>(QStringLiteral("honbunSounyuu"));
    QVERIFY(insert);
    insert->trigger();
    QCOMPARE(m_f->form->txtdpbox->toPlainText(), QStringLiteral("まえ。さくら\nはな\nやまあと"));
    QCOMPARE(m_f->form->txtdpbox->textCursor().position(), 12);

    m_f->form->txtdpbox->undo();
    QCOMPARE(m_f->form->txtdpbox->toPlainText(), QStringLiteral("まえ。あと"));

    // The script chosen in 点字入力 holds here too.
    Settings::setKatakanaInput(true);
    m_f->select(0, 0);
    insert->trigger();
    QCOMPARE(m_f->form->txtdpbox->toPlainText(), QStringLiteral("サクラ\nハナ\nヤマまえ。あと"));
}

void TestForm1Commands::brailleInputIsWrittenInPages()
{
    PageSettings settings;
    settings.cells = 10;
    settings.lines = 10;
    settings.pageNumbers = true;
    settings.save();
    m_f->action(QStringLiteral("tenjinyuryoku"))->trigger();
    const std::unique_ptr<BrailleInputWindow> window(BrailleInputWindow::open());
    // Eleven cells: the line goes on after its last blank that fits.
    window->editor()->insertText(QStringLiteral("⠁⠀⠃⠀⠉⠀⠙⠀⠑⠀⠋\n⠛"));

    const QString path = m_f->path(QStringLiteral("nyuuryoku.txt"));
    m_f->dialogs.savePaths.append(path);
    auto *write = window->findChild<QAction *>(QStringLiteral("tenjiFileKakidashi"));
    QVERIFY(write);
    write->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("⠀⠀⠀⠀⠀⠀⠀⠀⠼⠁\n⠁⠀⠃⠀⠉⠀⠙⠀⠑\n⠋\n⠛\n"));
}

// It opens centred over the main window, not where the system would put
// it, and within the screen.
void TestForm1Commands::brailleInputOpensOverTheWindow()
{
    Form1 &form = *m_f->form;
    const QRect area = form.screen()->availableGeometry();
    QRect frame = form.frameGeometry();
    frame.moveCenter(area.center());
    form.move(frame.topLeft());
    m_f->action(QStringLiteral("tenjinyuryoku"))->trigger();
    const std::unique_ptr<BrailleInputWindow> window(BrailleInputWindow::open());
    QVERIFY(area.contains(window->frameGeometry()));
    QVERIFY((window->frameGeometry().center() - form.frameGeometry().center()).manhattanLength() <= 8);
}

QTEST_MAIN(TestForm1Commands)
#include "tst_form1commands.moc"
