// Printing a long translation to a PDF file: time, file size and peak memory.
// The document comes from mirabo-bench, so both benchmarks use the same text:
//
//   mirabo-bench --emit 10000 > doc.txt
//   QT_QPA_PLATFORM=offscreen mirabo-print-bench doc.txt [OUT.pdf]
//
// Targets for 10 000 lines: under 10 s and under 20 MB of PDF.

#include "platform/settings.h"
#include "engine/translation.h"
#include "mainwindow/listprinter.h"
#include "platform/textfile.h"
#include "tables/codetableloader.h"
#include "usermessages/usermessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// Processor time of this process: on a busy machine it says more than the
// time on the clock.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Settings::setApplicationNames();
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty() || args.size() > 2) {
        std::fputs("usage: mirabo-print-bench DOCUMENT [OUT.pdf]\n", stderr);
        return 2;
    }
    const TextReadResult read = readTextFile(args[0]);
    const CodeTableLoad load = loadInstalledCodeTable();
    if (!read.ok || !load.ok) {
        std::fprintf(stderr, "mirabo-print-bench: %s\n", qPrintable(read.ok ? UserMessages::codeTableError(load) : UserMessages::fileMessage(read.error)));
        return 1;
    }
    const TranslatedDocument translation = translateDocument(load.table, read.text);
    const QStringList rows = ListPrinter::rows(translation);

    QTemporaryDir dir;
    const QString path = args.size() == 2 ? args[1] : dir.filePath(QStringLiteral("bench.pdf"));
    ListPrinter printer(nullptr);
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuSeconds();
    const bool saved = printer.savePdf(path, rows);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    if (!saved)
        return 1;
    std::printf("%8s %8s %10s %10s %10s %10s\n", "lines", "rows", "seconds", "PDF MB", "peak MB", "cpu s");
    std::printf("%8lld %8lld %10.2f %10.1f %10.1f %10.2f\n", qlonglong(translation.lineCount()), qlonglong(rows.size()),
                seconds, double(QFileInfo(path).size()) / (1024.0 * 1024.0), peakMegabytes(), cpu);
    return 0;
}
