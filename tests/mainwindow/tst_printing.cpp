#include "failingdisk.h"
#include "filewindow/dirlist.h"
#include "filewindow/form2.h"
#include "mainwindow/form1.h"
#include "mainwindow/listprinter.h"
#include "mainwindowfixture.h"
#include "platform/gui/printers.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// 印刷 and プリンタの設定: the last translation printed to a PDF file and read
// back, the offer to save a PDF file where there is no printer, and the
// printer set-up.
class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { m_f.reset(); }

    void printsTextRowOverBrailleRow_data();
    void printsTextRowOverBrailleRow();
    void emptyJobBeforeAnyTranslation();
    void printsTheLastTranslation();
    void offerCanBeDeclined_data();
    void offerCanBeDeclined();
    void unwritablePdfIsReported();
    void failedPdfKeepsTheOldFile();
    void printsOnAPrinter();
    void printerFailureIsReported();
    void setUpCarriesOverToPrinting_data();
    void setUpCarriesOverToPrinting();
    void setUpDialogCancelChangesNothing();
    void pdfSaveDialogAddsTheSuffix();
    void pagesHaveFifteenMillimetreMargins();
    void longJobShowsProgress_data();
    void longJobShowsProgress();

private:
    std::unique_ptr<MainWindowFixture> m_f;
};

namespace {

// Answers "is there a printer?" for one test.
class FakePrinters
{
public:
    explicit FakePrinters(bool available) { Printers::setAvailableOverride(available); }
    ~FakePrinters() { Printers::setAvailableOverride(std::nullopt); }
};

QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF file: one entry per printed row, without the spaces that
// stand for blank slots.
QStringList pdfRows(const QString &path)
{
    QStringList rows;
    const QString text =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    for (QString line : text.split(u'\n')) {
        line.remove(QRegularExpression(QStringLiteral("[\\s\\x{3000}]")));
        if (!line.isEmpty())
            rows.append(line);
    }
    return rows;
}

int pdfPages(const QString &path)
{
    return int(runTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}).count(u'\f'));
}

// "842 x 595" for a landscape A4 page.
QString pdfPageSize(const QString &path)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Page size:\\s+(\\S+ x \\S+)")).match(info);
    return match.captured(1);
}

void translate(Form1 &form, const QString &text)
{
    form.txtdpbox->setPlainText(text);
    form.findChild<QAction *>(QStringLiteral("tenhonyaku"))->trigger();
}

QAction *command(Form1 &form, const QString &name)
{
    QAction *action = form.findChild<QAction *>(name);
    Q_ASSERT(action);
    return action;
}

// The PDF offer answered Yes, saving to path.
void acceptPdfOffer(FakeUserDialogs &dialogs, const QString &path)
{
    dialogs.answers.append(UserDialogs::Answer::Yes);
    dialogs.savePaths.append(path);
}

} // namespace

void TestPrinting::printsTextRowOverBrailleRow_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("menu") << QStringLiteral("printl");
    QTest::newRow("toolbar button 5") << QStringLiteral("Toolbar1_5");
}

void TestPrinting::printsTextRowOverBrailleRow()
{
    QFETCH(QString, command);
    QTemporaryDir &dir = m_f->dir;
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    // The middle line is 35 characters long: only its columns 1..30 are
    // printed, and not the list's warning before it.
    translate(form, QStringLiteral("きゃ１２３あ\n") + QStringLiteral("あ").repeated(30) +
                        QStringLiteral("いうえおか\nＡ"));
    QCOMPARE(form.List1->rowCount(), 7);

    const QString path = dir.filePath(QStringLiteral("list.pdf"));
    acceptPdfOffer(dialogs, path);
    ::command(form, command)->trigger();

    QCOMPARE(dialogs.kinds(), QStringList({QStringLiteral("yesno"), QStringLiteral("save")}));
    QCOMPARE(dialogs.shown[0].title, QStringLiteral("印刷"));
    QVERIFY(dialogs.shown[0].text.contains(QStringLiteral("PDF")));
    QCOMPARE(dialogs.saveSuffixes, QStringList(QStringLiteral("pdf")));
    QVERIFY(dialogs.saveFilters.first().contains(QStringLiteral("*.pdf")));

    const QStringList expected = {
        QStringLiteral("きゃ１２３あ"),   QStringLiteral("⠈⠡⠼⠁⠃⠉⠤⠁⠀"), QStringLiteral("あ").repeated(30),
        QStringLiteral("⠁").repeated(30), QStringLiteral("Ａ"),        QStringLiteral("⠰⠠⠁"),
    };
    QCOMPARE(pdfRows(path), expected);
    QCOMPARE(pdfPages(path), 1);
}

void TestPrinting::emptyJobBeforeAnyTranslation()
{
    QTemporaryDir &dir = m_f->dir;
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("あいう"));
    const QString path = dir.filePath(QStringLiteral("empty.pdf"));
    acceptPdfOffer(dialogs, path);
    form.Printlist();
    // The editor's text is not printed: the job holds one blank page.
    QVERIFY(QFile::exists(path));
    QCOMPARE(pdfPages(path), 1);
    QCOMPARE(pdfRows(path), QStringList());
    QVERIFY(!dialogs.kinds().contains(QStringLiteral("warn")));
}

void TestPrinting::printsTheLastTranslation()
{
    QTemporaryDir &dir = m_f->dir;
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    translate(form, QStringLiteral("あい\nう"));

    // A file translated from the file window replaces it: its lines print.
    const QString source = dir.filePath(QStringLiteral("source.txt"));
    {
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x82\xa9\x82\xab\r\n\x82\xad\r\n\x82\xaf\r\n"); // かき, く, け in cp932
    }
    form.findChild<QAction *>(QStringLiteral("fileopen"))->trigger();
    Form2 *fileWindow = form.findChild<Form2 *>();
    QVERIFY(fileWindow);
    fileWindow->Dir1->setPath(dir.path());
    fileWindow->txttargetfile->setText(QStringLiteral("source.txt"));
    fileWindow->findChild<QAction *>(QStringLiteral("readerrorchk"))->trigger();
    QCOMPARE(form.document().translation().lineCount(), 3);
    const QString afterFile = dir.filePath(QStringLiteral("file.pdf"));
    acceptPdfOffer(dialogs, afterFile);
    form.Printlist();
    QCOMPARE(pdfRows(afterFile),
             QStringList({QStringLiteral("かき"), QStringLiteral("⠡⠣"), QStringLiteral("く"),
                          QStringLiteral("⠩"), QStringLiteral("け"), QStringLiteral("⠫")}));

    // Clearing the screen takes the translation with the text: the list
    // is empty and so is the print. A new translation replaces it.
    dialogs.answers.append(UserDialogs::Answer::Yes);
    command(form, QStringLiteral("syoukyo"))->trigger();
    const QString afterClear = dir.filePath(QStringLiteral("clear.pdf"));
    acceptPdfOffer(dialogs, afterClear);
    form.Printlist();
    QCOMPARE(pdfRows(afterClear).size(), 0);

    translate(form, QStringLiteral("さ"));
    const QString afterMain = dir.filePath(QStringLiteral("main.pdf"));
    acceptPdfOffer(dialogs, afterMain);
    form.Printlist();
    QCOMPARE(pdfRows(afterMain), QStringList({QStringLiteral("さ"), QStringLiteral("⠱")}));
}

void TestPrinting::offerCanBeDeclined_data()
{
    QTest::addColumn<bool>("saveAsked");
    QTest::newRow("No to the question") << false;
    QTest::newRow("Save As cancelled") << true;
}

void TestPrinting::offerCanBeDeclined()
{
    QFETCH(bool, saveAsked);
    QTemporaryDir &dir = m_f->dir;
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    translate(form, QStringLiteral("あ"));
    dialogs.answers.append(saveAsked ? UserDialogs::Answer::Yes : UserDialogs::Answer::No);
    form.Printlist();
    const QStringList expected = saveAsked ? QStringList({QStringLiteral("yesno"), QStringLiteral("save")})
                                           : QStringList(QStringLiteral("yesno"));
    QCOMPARE(dialogs.kinds(), expected);
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestPrinting::unwritablePdfIsReported()
{
    QTemporaryDir &dir = m_f->dir;
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    translate(form, QStringLiteral("あ"));

    // A file in a folder that is not there cannot be written.
    const QString missing = dir.filePath(QStringLiteral("missing/list.pdf"));
    acceptPdfOffer(dialogs, missing);
    form.Printlist();
    QCOMPARE(dialogs.kinds().last(), QStringLiteral("warn"));
    QVERIFY(dialogs.shown.last().text.contains(QStringLiteral("list.pdf")));
    QVERIFY(!QFile::exists(missing));
}

void TestPrinting::failedPdfKeepsTheOldFile()
{
    FakeUserDialogs &dialogs = m_f->dialogs;
    ListPrinter printer(nullptr);
    // A real failed write, for any user: no file may grow past 1 KB.
    FailingDisk disk(FailingDisk::Kind::FileSizeLimit);
    QVERIFY2(disk.ready(), qPrintable(disk.whyNot()));
    const QString existing = disk.path(QStringLiteral("old"));
    QVERIFY(!printer.savePdf(existing, {QStringLiteral("あ"), QStringLiteral("⠁")}));
    QCOMPARE(dialogs.kinds(), QStringList(QStringLiteral("warn")));
    QCOMPARE(FailingDisk::bytesOf(existing), FailingDisk::oldBytes());
}

void TestPrinting::printsOnAPrinter()
{
    QTemporaryDir &dir = m_f->dir;
    FakePrinters printers(true);
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    translate(form, QStringLiteral("あい\nう"));
    // The printer that the job goes to writes a PDF file here.
    const QString path = dir.filePath(QStringLiteral("printer.pdf"));
    form.listPrinter().printer().setOutputFormat(QPrinter::PdfFormat);
    form.listPrinter().printer().setOutputFileName(path);
    form.Printlist();
    QVERIFY(dialogs.shown.isEmpty());
    QCOMPARE(pdfRows(path), QStringList({QStringLiteral("あい"), QStringLiteral("⠁⠃"), QStringLiteral("う"),
                                         QStringLiteral("⠉")}));
}

void TestPrinting::printerFailureIsReported()
{
    QTemporaryDir &dir = m_f->dir;
    FakePrinters printers(true);
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    translate(form, QStringLiteral("あ"));
    form.listPrinter().printer().setOutputFormat(QPrinter::PdfFormat);
    form.listPrinter().printer().setOutputFileName(dir.filePath(QStringLiteral("missing/printer.pdf")));
    form.Printlist();
    QCOMPARE(dialogs.kinds(), QStringList(QStringLiteral("warn")));
    QCOMPARE(dialogs.shown.first().title, QStringLiteral("印刷"));
}

void TestPrinting::setUpCarriesOverToPrinting_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("pageSize");
    QTest::newRow("OK") << true << QStringLiteral("842 x 595");
    QTest::newRow("Cancel") << false << QStringLiteral("595 x 842");
}

void TestPrinting::setUpCarriesOverToPrinting()
{
    QFETCH(bool, accepted);
    QFETCH(QString, pageSize);
    QTemporaryDir &dir = m_f->dir;
    FakeUserDialogs &dialogs = m_f->dialogs;
    Form1 &form = *m_f->form;
    form.listPrinter().printer().setPageSize(QPageSize(QPageSize::A4));
    form.listPrinter().printer().setPageOrientation(QPageLayout::Portrait);
    const QPageLayout before = form.listPrinter().printer().pageLayout();
    QPrinter *shownFor = nullptr;
    dialogs.printerSetUp = [&](QPrinter *printer) {
        shownFor = printer;
        if (accepted)
            printer->setPageOrientation(QPageLayout::Landscape);
        return accepted;
    };
    command(form, QStringLiteral("printsetting"))->trigger();
    QCOMPARE(dialogs.kinds(), QStringList(QStringLiteral("printer")));
    QCOMPARE(shownFor, &form.listPrinter().printer());
    if (!accepted)
        QVERIFY(form.listPrinter().printer().pageLayout().isEquivalentTo(before));

    translate(form, QStringLiteral("あ"));
    const QString path = dir.filePath(QStringLiteral("setup.pdf"));
    acceptPdfOffer(dialogs, path);
    form.Printlist();
    QCOMPARE(pdfPageSize(path), pageSize);
    QCOMPARE(pdfRows(path), QStringList({QStringLiteral("あ"), QStringLiteral("⠁")}));
}

void TestPrinting::setUpDialogCancelChangesNothing()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A5));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setCopyCount(2);
    const QPageLayout layout = printer.pageLayout();

    QString title;
    QString okText;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        if (auto *buttons = dialog->findChild<QDialogButtonBox *>())
            okText = buttons->button(QDialogButtonBox::Ok)->text();
        dialog->reject();
    });
    QtUserDialogs qtDialogs;
    QVERIFY(!qtDialogs.setUpPrinter(nullptr, &printer));
    QCOMPARE(title, QStringLiteral("プリンタの設定"));
    QCOMPARE(okText, QStringLiteral("OK"));
    QVERIFY(printer.pageLayout().isEquivalentTo(layout));
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(printer.copyCount(), 2);
    QCOMPARE(printer.outputFormat(), QPrinter::PdfFormat);
}

void TestPrinting::pdfSaveDialogAddsTheSuffix()
{
    QTemporaryDir dir;
    QString initialDirectory;
    QString initialName;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        initialDirectory = dialog->directory().absolutePath();
        initialName = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        // The user types a name without a suffix.
        dialog->selectFile(QStringLiteral("list"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QtUserDialogs qtDialogs;
    const QString path = qtDialogs.getSaveFileNameWithSuffix(nullptr, ListPrinter::kPdfTitle,
                                                             dir.filePath(QStringLiteral("点字翻訳.pdf")),
                                                             ListPrinter::kPdfFilter, QStringLiteral("pdf"));
    QCOMPARE(initialDirectory, QDir(dir.path()).absolutePath());
    QCOMPARE(initialName, QStringLiteral("点字翻訳.pdf"));
    QCOMPARE(path, QDir(dir.path()).absoluteFilePath(QStringLiteral("list.pdf")));
}

void TestPrinting::pagesHaveFifteenMillimetreMargins()
{
    translate(*m_f->form, QStringLiteral("あ"));
    const QString path = m_f->path(QStringLiteral("margins.pdf"));
    acceptPdfOffer(m_f->dialogs, path);
    m_f->form->Printlist();
    // The first word's box starts 15 mm (42.5 points) from the left edge and
    // at least as far from the top.
    const QString boxes = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    const QRegularExpressionMatch word =
        QRegularExpression(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"")).match(boxes);
    QVERIFY2(word.hasMatch(), qPrintable(boxes));
    QVERIFY(qAbs(word.captured(1).toDouble() - 42.5) < 3);
    QVERIFY(word.captured(2).toDouble() > 42.5 - 3);
}

void TestPrinting::longJobShowsProgress_data()
{
    QTest::addColumn<int>("cancelAt");
    QTest::newRow("to the end") << 0;
    QTest::newRow("cancelled on page 2") << 2;
}

void TestPrinting::longJobShowsProgress()
{
    QFETCH(int, cancelAt);
    translate(*m_f->form, QStringLiteral("あいう\n").repeated(300));
    const QString path = m_f->path(QStringLiteral("long.pdf"));
    acceptPdfOffer(m_f->dialogs, path);
    m_f->dialogs.cancelProgressAt = cancelAt;
    m_f->form->Printlist();
    QCOMPARE(m_f->dialogs.kinds(), (QStringList{"yesno", "save", "progress"}));
    if (cancelAt) {
        // Cancelled: nothing written, nothing to report.
        QCOMPARE(m_f->dialogs.progressSteps.last(), cancelAt);
        QVERIFY(!QFile::exists(path));
        return;
    }
    const int pages = pdfPages(path);
    QVERIFY(pages > 3);
    QCOMPARE(m_f->dialogs.progressSteps.last(), pages);
    QVERIFY(m_f->dialogs.shown.last().text.endsWith(QStringLiteral("/%1").arg(pages)));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
