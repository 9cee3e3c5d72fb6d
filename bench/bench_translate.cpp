// Translation throughput and peak memory for documents of 100, 10 000 and
// 100 000 lines of mixed kana, digits and letters, with the shipped code table.
//
//   mirabo-bench              the table, each size measured in a process of its own
//   mirabo-bench --lines N    one size, one table row
//   mirabo-bench --emit N     print the document of N lines (UTF-8), for comparisons

#include "engine/translation.h"
#include "tables/codetableloader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringList>

#include <sys/resource.h>

#include <cstdio>

namespace {

// Pieces of everyday text that exercise every pass: contracted and voiced
// syllables, numbers with and without the connector, capitals, small letters
// and katakana.
const char16_t *const kPieces[] = {
    u"きょうは",     u"２０２４ねん", u"５がつ",   u"ＪＲで",       u"３０ぷん",       u"コーヒーを",
    u"のみました",   u"ｐｃの",       u"がっこう", u"ヴァイオリン", u"１，０００えん", u"Ｔｏｋｙｏ",
    u"ぎゅうにゅう", u"３．１４",     u"キャベツ", u"５れつ",       u"ＮＨＫ",         u"しゃしん",
    u"、",           u"。",           u"　",       u"ちょっと",     u"ふぁいる",       u"８あい",
};

QStringList makeDocument(int lines)
{
    QRandomGenerator random(4711);
    QStringList document;
    document.reserve(lines);
    for (int i = 0; i < lines; ++i) {
        // Lines of 20 to 34 characters, so that some get the long-line warning.
        const int target = 20 + int(random.bounded(15));
        QString line;
        while (line.size() < target)
            line += QString::fromUtf16(kPieces[random.bounded(int(std::size(kPieces)))]);
        document.append(line.left(target));
    }
    return document;
}

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
        std::fprintf(stderr, "mirabo-bench: %s\n", qPrintable(load.error));
        return 1;
    }
    const QStringList document = makeDocument(lines);
    qsizetype characters = 0;
    for (const QString &line : document)
        characters += line.size();
    const double baseline = peakMegabytes();

    Module1 m;
    m.codeTable = load.table;
    // Small documents are translated often enough to time them reliably.
    const int repeats = qMax(1, 200000 / qMax(lines, 1));
    qsizetype entries = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repeats; ++i)
        entries = TranslateLines(m, document).size();
    const double seconds = double(timer.nsecsElapsed()) / 1e9 / repeats;

    const double gridMegabytes =
        3.0 * double(lines + 1) * double(Grid::kLastColumn + 1) * double(sizeof(QString)) / (1024.0 * 1024.0);
    std::printf("%8d %9lld %9lld %10.2f %12.0f %12.0f %10.1f %10.1f %10.1f\n", lines, qlonglong(characters),
                qlonglong(entries), seconds * 1000.0, lines / seconds, double(characters) / seconds, baseline,
                peakMegabytes(), gridMegabytes);
    return 0;
}

int printDocument(int lines)
{
    const QByteArray bytes = makeDocument(lines).join(u'\n').toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    return 0;
}

int measureEachSize()
{
    std::printf("%8s %9s %9s %10s %12s %12s %10s %10s %10s\n", "lines", "chars", "entries", "ms/run",
                "lines/s", "chars/s", "base MB", "peak MB", "grid MB*");
    std::fflush(stdout);
    for (int lines : {100, 10000, 100000}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--lines"), QString::number(lines)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            return 1;
    }
    std::printf(
        "base MB: peak resident size before translating (program, table, document);\n"
        "peak MB: after; grid MB*: the three grids' cell objects alone, without the text they hold.\n");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mirabo"));
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
