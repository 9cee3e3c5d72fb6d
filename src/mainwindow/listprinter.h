#pragma once

#include "engine/translateddocument.h"
#include "listprintout.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

// Prints the last translation, text row over braille row for every line,
// as one job on the printer that the printer set-up chose; the printer and
// its settings are kept for the whole run. Where the system has no printer,
// it offers to save the same pages as a PDF file. Pages have margins of
// 15 mm; a job of more than a few pages shows its progress and can be
// cancelled. Every failure is reported to the user through the window given.
class ListPrinter
{
public:
    static inline const QString kTitle = QStringLiteral("印刷");
    static inline const QString kPdfTitle = QStringLiteral("PDF ファイルとして保存");
    static inline const QString kPdfFilter = QStringLiteral("PDF ファイル (*.pdf)");

    // Paints a print job with a painter active on the device, starting new
    // pages as needed; false when a page could not be started.
    using Painting = std::function<bool(QPainter &, QPagedPaintDevice *)>;

    explicit ListPrinter(QWidget *window);
    ~ListPrinter();

    // Made at the first use: a QPrinter loads the system's print support
    // (libcups), which a run that never prints need not carry.
    QPrinter &printer();

    // For every line of a translation: the text row, then the braille row,
    // each its columns 1..30 as the list shows them.
    static QStringList rows(const TranslatedDocument &translation);

    // Prints the rows as one job; no rows give an empty job. True when the
    // pages went to the printer or to a PDF file.
    bool print(const QStringList &rows);
    // Prints braille pages in the same way, with the same fallback, on
    // narrow margins so that they keep their real size.
    bool print(const Painting &painting);

    // Shows the printer set-up dialog. Its choices hold for the following
    // prints; cancelling it changes nothing.
    void setUp();

    // Writes the pages, on the printer's paper, to a PDF file. The file is
    // replaced only once it is completely written; a failure is reported and
    // leaves it as it was, as does cancelling.
    bool savePdf(const QString &path, const QStringList &rows);
    bool savePdf(const QString &path, const Painting &painting);

private:
    using Job = std::function<ListPrintout::Outcome(QPainter &, QPagedPaintDevice *)>;
    // The rows laid out, with progress and Cancel for a long job.
    Job rowsJob(const QStringList &rows);
    static Job paintingJob(const Painting &painting);
    bool printJob(const Job &job);
    bool printOnPrinter(const Job &job);
    bool offerPdf(const Job &job);
    bool savePdfJob(const QString &path, const Job &job);

    QWidget *m_window;
    std::unique_ptr<QPrinter> m_printer; // see printer()
    QString m_lastPdfPath;
};
