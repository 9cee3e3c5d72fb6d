// Reading a text through TextStreamReader as `mirabo-cli braille` does (the
// encoding decided from the first block, then decoding piece by piece, a
// long line in parts), and reading and translating it as the command does:
// some 12 MB of the benchmark's kana and digits in short lines, and the same
// text as one line, its line ends made blanks. One long line should cost
// about what the short lines cost. Processor seconds, the best of three. Run the build
// before a change and the one after turn about (bench/compare_builds.sh) to
// compare them.
//
//   mirabo-stream-bench [MEGABYTES]   (12 unless given)

#include "documents.h"
#include "engine/translation.h"
#include "platform/textstream.h"
#include "tables/codetableloader.h"
#include "usermessages/usermessages.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

namespace {

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Calls f with every piece and whether its last line goes on in the next;
// the characters read, so that the work cannot be left out.
qsizetype readAll(QByteArray &bytes, const std::function<void(const QString &, bool)> &f)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TextStreamReader reader(buffer);
    reader.handLongLinesInParts();
    qsizetype characters = 0;
    QString piece;
    while (reader.readPiece(piece)) {
        characters += piece.size();
        f(piece, reader.lineContinues());
    }
    return characters;
}

double bestOfThree(const std::function<qsizetype()> &run, qsizetype &result)
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const double start = cpuSeconds();
        result = run();
        best = qMin(best, cpuSeconds() - start);
    }
    return best;
}

void printRow(const char *name, double megabytes, qsizetype result, double seconds)
{
    std::printf("%-28s %10.1f %12lld %8.3f\n", name, megabytes, qlonglong(result), seconds);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 12.0;
    // About 80 bytes a line.
    QByteArray lines = Documents::benchmarkBytes(qMax(1, int(megabytes * 1e6 / 80)));
    QByteArray oneLine = lines;
    oneLine.chop(1);
    oneLine.replace('\n', ' ');
    oneLine.append('\n');

    const CodeTableLoad load = loadInstalledCodeTable();
    if (!load.ok) {
        std::fprintf(stderr, "mirabo-stream-bench: %s\n", qPrintable(UserMessages::codeTableError(load)));
        return 1;
    }
    const auto readOnly = [](QByteArray &bytes) { return [&bytes] { return readAll(bytes, [](const QString &, bool) {}); }; };
    // Bytes of braille written, as `mirabo-cli braille` writes them.
    const auto translate = [&load](QByteArray &bytes) {
        return [&bytes, &load] {
            LineTranslator translator(load.table);
            QByteArray braille;
            qsizetype written = 0;
            const auto translatePart = [&](QStringView part, bool endsLine) {
                braille.resize(0);
                translator.appendPartBrailleUtf8(part, endsLine, braille);
                written += braille.size() + (endsLine ? 1 : 0);
            };
            readAll(bytes, [&](const QString &piece, bool continues) {
                if (continues)
                    translatePart(piece, false);
                else
                    forEachLine(piece, [&](QStringView line) { translatePart(line, true); });
            });
            return written;
        };
    };

    std::printf("%-28s %10s %12s %8s\n", "", "MB", "chars/bytes", "CPU s");
    qsizetype result = 0;
    const double readShort = bestOfThree(readOnly(lines), result);
    printRow("read in short lines", lines.size() / 1e6, result, readShort);
    const double readLong = bestOfThree(readOnly(oneLine), result);
    printRow("read as one line", oneLine.size() / 1e6, result, readLong);
    const double brailleShort = bestOfThree(translate(lines), result);
    printRow("braille of short lines", lines.size() / 1e6, result, brailleShort);
    const double brailleLong = bestOfThree(translate(oneLine), result);
    printRow("braille of one line", oneLine.size() / 1e6, result, brailleLong);
    std::printf("one line / short lines: read %.2f, braille %.2f\n", readLong / readShort,
                brailleLong / brailleShort);
    return 0;
}
