#include "listprinter.h"

#include "engine/translation.h"
#include "listprintout.h"
#include "platform/gui/printers.h"
#include "platform/gui/userdialogs.h"
#include "platform/safesave.h"
#include "usermessages/usermessages.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QStandardPaths>

namespace {

// Fine enough that the slots of a row and the dots keep their places after
// rounding to whole device pixels.
constexpr int kPdfResolution = 1200;

const QString kDocumentName = QStringLiteral("Mirabo");

// Margins on every side of the page.
constexpr qreal kMarginMm = 15;
// Braille pages are printed at real size, and a page of 32 cells is 190 mm
// wide: they get narrow margins, so that it fits A4 unscaled.
constexpr qreal kBraillePageMarginMm = 5;
// A job of more pages shows its progress, with a way to cancel it.
constexpr int kPagesWithoutProgress = 3;

} // namespace

ListPrinter::ListPrinter(QWidget *window) : m_window(window) {}

ListPrinter::~ListPrinter() = default;

QPrinter &ListPrinter::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(kDocumentName);
        m_printer->setCreator(kDocumentName);
        m_printer->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    }
    return *m_printer;
}

QStringList ListPrinter::rows(const TranslatedDocument &translation)
{
    // A printed row is a list entry; the warnings are not printed.
    QStringList rows;
    rows.reserve(2 * translation.lineCount());
    for (qsizetype line = 0; line < translation.lineCount(); ++line) {
        rows.append(translation.shownTextRow(line));
        rows.append(translation.shownBrailleRow(line));
    }
    return rows;
}

bool ListPrinter::print(const QStringList &rows)
{
    return printJob(rowsJob(rows));
}

bool ListPrinter::print(const Painting &painting)
{
    const QMarginsF margins = printer().pageLayout().margins(QPageLayout::Millimeter);
    const qreal narrow = kBraillePageMarginMm;
    printer().setPageMargins(QMarginsF(narrow, narrow, narrow, narrow), QPageLayout::Millimeter);
    const bool printed = printJob(paintingJob(painting));
    printer().setPageMargins(margins, QPageLayout::Millimeter);
    return printed;
}

bool ListPrinter::savePdf(const QString &path, const QStringList &rows)
{
    return savePdfJob(path, rowsJob(rows));
}

bool ListPrinter::savePdf(const QString &path, const Painting &painting)
{
    return savePdfJob(path, paintingJob(painting));
}

bool ListPrinter::printJob(const Job &job)
{
    if (!Printers::available())
        return offerPdf(job);
    return printOnPrinter(job);
}

ListPrinter::Job ListPrinter::paintingJob(const Painting &painting)
{
    return [painting](QPainter &painter, QPagedPaintDevice *device) {
        return painting(painter, device) ? ListPrintout::Outcome::Painted : ListPrintout::Outcome::Failed;
    };
}

ListPrinter::Job ListPrinter::rowsJob(const QStringList &rows)
{
    return [this, rows](QPainter &painter, QPagedPaintDevice *device) {
    const ListPrintout printout(device);
    const QList<ListPrintout::PlacedRow> placed = printout.layout(rows);
    const int pages = ListPrintout::pageCount(placed);
    std::unique_ptr<UserDialogs::Progress> progress;
    if (pages > kPagesWithoutProgress)
        progress = UserDialogs::instance().showProgress(m_window, kTitle, QStringLiteral("印刷しています…"), pages);
    return printout.paint(painter, placed,
                          [&progress](int done, int) { return !progress || progress->advance(done); });
    };
}

bool ListPrinter::printOnPrinter(const Job &job)
{
    QPainter painter;
    bool printed = painter.begin(&printer());
    if (printed) {
        const ListPrintout::Outcome outcome = job(painter, &printer());
        if (outcome != ListPrintout::Outcome::Painted)
            printer().abort();
        const bool ended = painter.end();
        if (outcome == ListPrintout::Outcome::Cancelled)
            return false;
        printed = outcome == ListPrintout::Outcome::Painted && ended;
    }
    if (!printed || printer().printerState() == QPrinter::Error) {
        UserDialogs::instance().warn(
            m_window, kTitle,
            QStringLiteral("印刷できませんでした。\nプリンタ「%1」の電源、接続、用紙を確かめてください。")
                .arg(printer().printerName()));
        return false;
    }
    return true;
}

bool ListPrinter::offerPdf(const Job &job)
{
    UserDialogs &dialogs = UserDialogs::instance();
    if (dialogs.askYesNo(m_window, kTitle,
                         QStringLiteral("プリンタが見つかりません。\n"
                                        "印刷の代わりに、同じページを PDF ファイルとして保存しますか？")) !=
        UserDialogs::Answer::Yes)
        return false;
    const QString initialPath =
        m_lastPdfPath.isEmpty() ? QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                      .filePath(QStringLiteral("点字翻訳.pdf"))
                                : m_lastPdfPath;
    const QString path = dialogs.getSaveFileNameWithSuffix(m_window, kPdfTitle, initialPath, kPdfFilter,
                                                           QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;
    m_lastPdfPath = path;
    return savePdfJob(path, job);
}

bool ListPrinter::savePdfJob(const QString &path, const Job &job)
{
    auto outcome = ListPrintout::Outcome::Failed;
    const SafeSaveResult saved = saveFileSafely(path, [&](QIODevice &device) {
        QPdfWriter writer(&device);
        writer.setPageLayout(printer().pageLayout());
        writer.setResolution(kPdfResolution);
        writer.setTitle(kDocumentName);
        writer.setCreator(kDocumentName);
        QPainter painter;
        if (painter.begin(&writer)) {
            outcome = job(painter, &writer);
            if (!painter.end() && outcome == ListPrintout::Outcome::Painted)
                outcome = ListPrintout::Outcome::Failed;
        }
        return outcome == ListPrintout::Outcome::Painted;
    });
    if (saved.ok)
        return true;
    // A cancelled job leaves the file as it was, without a word.
    if (outcome == ListPrintout::Outcome::Cancelled && saved.error.ok())
        return false;
    UserDialogs::instance().warn(
        m_window, kPdfTitle,
        QStringLiteral("PDF ファイルを保存できませんでした。ファイルは変更されていません。\n%1")
            .arg(saved.error.ok() ? QDir::toNativeSeparators(path) : UserMessages::fileMessage(saved.error)));
    return false;
}

void ListPrinter::setUp()
{
    UserDialogs::instance().setUpPrinter(m_window, &printer());
}
