// Reading a text through TextStreamReader as the streaming commands do
// (working out the encoding, then decoding piece by piece): some 12 MB of
// the benchmark's kana and digits in short lines, and the same text as one
// line, its line ends made blanks. Reading should cost about the same.
// Processor seconds, the best of three. Run the build before a change and
// the one after turn about (bench/compare_builds.sh) to compare them.
//
//   mirabo-stream-bench [MEGABYTES]   (12 unless given)

#include "documents.h"
#include "platform/textstream.h"

#include <QBuffer>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Characters read, so that the work cannot be left out.
qsizetype readAll(QByteArray &bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TextStreamReader reader(buffer);
    if (!reader.detectEncoding())
        return -1;
    qsizetype characters = 0;
    QString piece;
    while (reader.readPiece(piece))
        characters += piece.size();
    return characters;
}

double bestOfThree(QByteArray &bytes, qsizetype &characters)
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const double start = cpuSeconds();
        characters = readAll(bytes);
        best = qMin(best, cpuSeconds() - start);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 12.0;
    // About 80 bytes a line.
    QByteArray lines = Documents::benchmarkBytes(qMax(1, int(megabytes * 1e6 / 80)));
    QByteArray oneLine = lines;
    oneLine.chop(1);
    oneLine.replace('\n', ' ');
    oneLine.append('\n');

    qsizetype shortChars = 0, longChars = 0;
    const double shortSeconds = bestOfThree(lines, shortChars);
    const double longSeconds = bestOfThree(oneLine, longChars);
    std::printf("%-28s %10s %12s %8s\n", "", "MB", "characters", "CPU s");
    std::printf("%-28s %10.1f %12lld %8.3f\n", "read in short lines", lines.size() / 1e6, qlonglong(shortChars),
                shortSeconds);
    std::printf("%-28s %10.1f %12lld %8.3f\n", "read as one line", oneLine.size() / 1e6, qlonglong(longChars),
                longSeconds);
    std::printf("one line / short lines: %.2f\n", longSeconds / shortSeconds);
    return 0;
}
