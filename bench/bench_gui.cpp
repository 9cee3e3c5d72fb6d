// 点字翻訳 in the main window, from the command to the list shown with its
// visible rows painted, for documents of 10 000 and 100 000 lines (the
// benchmark's document), on the offscreen platform unless another is
// chosen. Then, on the same translation, what the user waits for next:
// a repaint of the visible rows, 点字ページ表示 (the pages laid out and the
// first one painted) and 点字ファイル書き出し (BRF and PEF).
//
//   mirabo-guibench             each size measured in a process of its own
//   mirabo-guibench --lines N   one size

#include "braillepageview/braillepagecommands.h"
#include "braillepageview/braillepageview.h"
#include "braillepageview/braillepagewidget.h"
#include "documents.h"
#include "fakeuserdialogs.h"
#include "mainwindow/form1.h"
#include "platform/settings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListView>
#include <QPixmap>
#include <QProcess>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

// The memory the process holds now; below the peak when memory given
// back to the system was the peak's.
double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Processor time of this process, user and system: on a busy machine it
// says more than the time on the clock.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Processor milliseconds of one piece of work.
template<typename Work>
double cpuMilliseconds(Work &&work)
{
    const double before = cpuSeconds();
    work();
    return (cpuSeconds() - before) * 1000.0;
}

int measure(int lines)
{
    FakeUserDialogs dialogs;
    QTemporaryDir scratch;
    Form1 form;
    form.Form_Load();
    form.show();
    form.document().setText(Documents::benchmarkLines(lines).join(u'\n'));
    QApplication::processEvents();
    QAction *tenhonyaku = form.findChild<QAction *>(QStringLiteral("tenhonyaku"));

    if (qEnvironmentVariableIsSet("MIRABO_BENCH_BEFORE"))
        std::fprintf(stderr, "before: %.1f MB peak, %.1f MB resident\n", peakMegabytes(), residentMegabytes());
    const double cpuBefore = cpuSeconds();
    QElapsedTimer timer;
    timer.start();
    tenhonyaku->trigger();
    if (qEnvironmentVariableIsSet("MIRABO_BENCH_BEFORE"))
        std::fprintf(stderr, "command: %.0f cpu ms, %.1f MB peak, %.1f MB resident\n", (cpuSeconds() - cpuBefore) * 1000.0, peakMegabytes(), residentMegabytes());
    QApplication::processEvents();
    // The visible rows as the user sees them: painted, not only laid out.
    const QPixmap shown = form.List1->viewport()->grab();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    const double translatedPeak = peakMegabytes();
    if (shown.isNull())
        return 1;

    const double repaint = cpuMilliseconds([&] { (void)form.List1->viewport()->grab(); });
    BraillePageCommands *pages = form.braillePages();
    const double pageView = cpuMilliseconds([&] {
        pages->showTranslationPages();
        QApplication::processEvents();
        (void)pages->view()->pageWidget()->grab();
    });
    dialogs.shown.clear(); // the characters without braille, told after 点字翻訳
    const double exported = cpuMilliseconds([&] {
        for (const char *name : {"out.brf", "out.pef"}) {
            dialogs.savePaths.append(scratch.filePath(QString::fromLatin1(name)));
            pages->exportBrailleFile();
        }
    });
    // The save dialogs are recorded too; a warning would be a failed export.
    const bool warned = std::any_of(dialogs.shown.begin(), dialogs.shown.end(),
                                    [](const FakeUserDialogs::Shown &shown) { return shown.kind == u"warn"; });
    // A long text is a book of several volumes, written out1.pef, out2.pef, …
    const QStringList written = QDir(scratch.path()).entryList({QStringLiteral("out*.pef")}, QDir::Files);
    if (warned || written.isEmpty()) {
        std::fprintf(stderr, "mirabo-guibench: the export failed\n");
        return 1;
    }

    std::printf("%9d %10d %12.0f %12.0f %10.1f %10.0f %10.0f %10.0f %10.1f\n", lines,
                int(form.List1->model()->rowCount()), seconds * 1000.0, cpu * 1000.0, translatedPeak, repaint, pageView,
                exported, peakMegabytes());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Settings::setApplicationNames();
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == u"--lines")
        return measure(args[1].toInt());
    if (!args.isEmpty()) {
        std::fputs("usage: mirabo-guibench [--lines N]\n", stderr);
        return 2;
    }
    // The first five columns are 点字翻訳's; then the processor milliseconds
    // of a repaint of the list, the page view and the export, and the peak
    // memory after all of them.
    std::printf("%9s %10s %12s %12s %10s %10s %10s %10s %10s\n", "lines", "entries", "ms to shown", "cpu ms", "peak MB",
                "repaint", "page view", "export", "peak MB");
    std::fflush(stdout);
    for (int lines : {10000, 100000}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QApplication::applicationFilePath(), {QStringLiteral("--lines"), QString::number(lines)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            return 1;
    }
    return 0;
}
