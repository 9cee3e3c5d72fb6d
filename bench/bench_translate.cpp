// Translation throughput and peak memory of the in-memory route, the one that
// 点字翻訳, the file translation and printing use, for documents of 10 000,
// 100 000 and 1 000 000 lines of mixed kana, digits and letters, with the
// shipped code table.
//
//   mirabo-bench              the table, each size measured in a process of its own
//   mirabo-bench --lines N    one size, one table row
//   mirabo-bench --emit N     print the document of N lines (UTF-8), for comparisons

#include "platform/settings.h"
#include "documents.h"
#include "engine/translation.h"
#include "tables/codetableloader.h"
#include "usermessages/usermessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <sys/resource.h>

#include <cstdio>

namespace {

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

int measure(int lines)
{
    const CodeTableLoad load = loadInstalledCodeTable();
    if (!load.ok) {
        std::fprintf(stderr, "mirabo-bench: %s\n", qPrintable(UserMessages::codeTableError(load)));
        return 1;
    }
    const QString document = Documents::benchmarkLines(lines).join(u'\n');
    const double baseline = peakMegabytes();

    // Small documents are translated often enough to time them reliably.
    const int repeats = qMax(1, 200000 / qMax(lines, 1));
    qsizetype entries = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repeats; ++i)
        entries = listEntries(translateText(load.table, document)).size();
    const double seconds = double(timer.nsecsElapsed()) / 1e9 / repeats;

    std::printf("%9d %10lld %10lld %10.2f %12.0f %10.1f %10.1f\n", lines, qlonglong(document.size()),
                qlonglong(entries), seconds * 1000.0, lines / seconds, baseline, peakMegabytes());
    return 0;
}

int printDocument(int lines)
{
    const QByteArray bytes = Documents::benchmarkBytes(lines);
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    return 0;
}

int measureEachSize()
{
    std::printf("%9s %10s %10s %10s %12s %10s %10s\n", "lines", "chars", "entries", "ms/run", "lines/s",
                "base MB", "peak MB");
    std::fflush(stdout);
    for (int lines : {10000, 100000, 1000000}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--lines"), QString::number(lines)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            return 1;
    }
    std::printf("base MB: peak resident size before translating (program, table, document text);\n"
                "peak MB: after, with the whole translation held in memory as the list needs it.\n");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Settings::setApplicationNames();
    const QStringList args = QCoreApplication::arguments().mid(1);
    bool ok = false;
    const int lines = args.size() == 2 ? args[1].toInt(&ok) : 0;
    if (args.isEmpty())
        return measureEachSize();
    if (ok && lines >= 0 && args[0] == u"--lines")
        return measure(lines);
    if (ok && lines >= 0 && args[0] == u"--emit")
        return printDocument(lines);
    std::fputs("usage: mirabo-bench [--lines N | --emit N]\n", stderr);
    return 2;
}
