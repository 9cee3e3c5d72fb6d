#include "listprinter.h"

#include "engine/translation.h"
#include "listprintout.h"
#include "platform/gui/printers.h"
#include "platform/gui/userdialogs.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// Fine enough that the slots of a row and the dots keep their places after
// rounding to whole device pixels.
constexpr int kPdfResolution = 1200;

const QString kDocumentName = QStringLiteral("Mirabo");

} // namespace

ListPrinter::ListPrinter(QWidget *window)
    : m_window(window), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_printer->setDocName(kDocumentName);
    m_printer->setCreator(kDocumentName);
}

ListPrinter::~ListPrinter() = default;

QStringList ListPrinter::rows(const Translation &translation)
{
    // A printed row is a list entry; the warnings are not printed.
    QStringList rows;
    rows.reserve(2 * translation.size());
    for (const TranslatedLine &line : translation) {
        rows.append(line.text);
        rows.append(line.braille);
    }
    return rows;
}

namespace {

ListPrinter::Painting listPainting(const QStringList &rows)
{
    return [rows](QPainter &painter, QPagedPaintDevice *device) {
        return ListPrintout(device).paint(painter, rows);
    };
}

} // namespace

bool ListPrinter::print(const QStringList &rows)
{
    return print(listPainting(rows));
}

bool ListPrinter::print(const Painting &painting)
{
    if (!Printers::available())
        return offerPdf(painting);
    return printOnPrinter(painting);
}

bool ListPrinter::printOnPrinter(const Painting &painting)
{
    QPainter painter;
    bool printed = painter.begin(m_printer.get());
    if (printed) {
        printed = painting(painter, m_printer.get());
        if (!printed)
            m_printer->abort();
        printed = painter.end() && printed;
    }
    if (!printed || m_printer->printerState() == QPrinter::Error) {
        UserDialogs::instance().warn(
            m_window, kTitle,
            QStringLiteral("印刷できませんでした。\nプリンタ「%1」の電源、接続、用紙を確かめてください。")
                .arg(m_printer->printerName()));
        return false;
    }
    return true;
}

bool ListPrinter::offerPdf(const Painting &painting)
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
    return savePdf(path, painting);
}

bool ListPrinter::savePdf(const QString &path, const QStringList &rows)
{
    return savePdf(path, listPainting(rows));
}

bool ListPrinter::savePdf(const QString &path, const Painting &painting)
{
    QSaveFile file(path);
    QString error;
    if (file.open(QIODevice::WriteOnly)) {
        QPdfWriter writer(&file);
        writer.setPageLayout(m_printer->pageLayout());
        writer.setResolution(kPdfResolution);
        writer.setTitle(kDocumentName);
        writer.setCreator(kDocumentName);
        QPainter painter;
        bool painted = painter.begin(&writer);
        if (painted) {
            painted = painting(painter, &writer);
            painted = painter.end() && painted;
        }
        if (!painted)
            file.cancelWriting();
        if (file.commit())
            return true;
        error = file.errorString();
    } else {
        error = file.errorString();
    }
    UserDialogs::instance().warn(
        m_window, kPdfTitle,
        QStringLiteral("PDF ファイルを保存できませんでした。ファイルは変更されていません。\n%1\n%2")
            .arg(QDir::toNativeSeparators(path), error));
    return false;
}

void ListPrinter::setUp()
{
    UserDialogs::instance().setUpPrinter(m_window, m_printer.get());
}
