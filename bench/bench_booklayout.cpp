// Laying a translated text out as a book (BookLayout::blocks and
// BookLayout::layout, as the page view and 点字ファイル書き出し do) beside the
// flat layout of the same braille lines (PageLayout::layout): the benchmark's
// document with a heading every 50 lines, plain, with 文書情報 (title pages,
// 目次 and colophons) and on interpoint pages. Processor milliseconds, the
// best of three, and the peak memory. Run the build before a change and the
// one after turn about (bench/compare_builds.sh) to compare them.
//
//   mirabo-booklayout-bench [LINES]   (100 000 unless given)

#include "braillepages/booklayout.h"
#include "braillepages/pagelayout.h"
#include "braillepages/translationlines.h"
#include "documents.h"
#include "tables/codetableloader.h"

#include <QCoreApplication>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

namespace {

double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The best of three runs; `pages` counts what was made, so that the work
// cannot be left out.
double bestOfThree(const std::function<qsizetype()> &run, qsizetype &pages)
{
    double best = 1e12;
    for (int round = 0; round < 3; ++round) {
        const double start = cpuMilliseconds();
        pages = run();
        best = qMin(best, cpuMilliseconds() - start);
    }
    return best;
}

qsizetype pagesOf(const BookLayout::Book &book)
{
    qsizetype pages = 0;
    for (const BraillePages &volume : book.volumes)
        pages += volume.pages.size();
    return pages;
}

} // namespace

int main(int argc, char *argv[])
{
    // The installed code table is found beside the program.
    QCoreApplication app(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
    const CodeTableLoad load = loadInstalledCodeTable();
    if (!load.ok || lines <= 0) {
        std::fputs("usage: mirabo-booklayout-bench [LINES] (with the code table installed)\n", stderr);
        return 2;
    }
    QStringList document = Documents::benchmarkLines(lines);
    for (qsizetype i = 0; i < document.size(); i += 50)
        document[i] = BookMarkers::headingMarker(2) + document[i];
    const QString text = document.join(u'\n');
    const QStringList braille = translateToBrailleLines(load.table, text);
    // Headings and front matter translated as the page view and the export
    // translate them.
    const BookLayout::Translate translate = firstLineTranslator(load.table);
    DocumentInfo info;
    info.title = QStringLiteral("べんちまーく");
    info.transcriber = QStringLiteral("てんやくしゃ");

    std::printf("%-22s %9s %8s %10s %9s\n", "layout", "lines", "pages", "cpu ms", "peak MB");
    auto row = [&](const char *name, const std::function<qsizetype()> &run) {
        qsizetype pages = 0;
        const double ms = bestOfThree(run, pages);
        std::printf("%-22s %9d %8lld %10.0f %9.1f\n", name, lines, qlonglong(pages), ms, peakMegabytes());
        std::fflush(stdout);
    };
    PageSettings single = PageSettings::preset(PageSettings::Preset::Single);
    row("flat", [&] { return PageLayout::layout(braille, single).pages.size(); });
    row("book", [&] {
        return pagesOf(BookLayout::layout(BookLayout::blocks(text, braille, translate), DocumentInfo(), single,
                                          translate));
    });
    row("book, 文書情報", [&] {
        return pagesOf(BookLayout::layout(BookLayout::blocks(text, braille, translate), info, single, translate));
    });
    row("book, interpoint", [&] {
        return pagesOf(BookLayout::layout(BookLayout::blocks(text, braille, translate), info,
                                          PageSettings::preset(PageSettings::Preset::Interpoint), translate));
    });
    return 0;
}
