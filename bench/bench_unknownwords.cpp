// 点訳かな変換 of a text full of words the dictionary does not know: 100 000
// distinct ones, beside the same text with one such word throughout. Each
// is reported once, so the distinct words should cost little more than the
// one. Processor seconds of convertText; run two builds turn about
// (bench/compare_builds.sh) to compare them.
//
//   mirabo-unknown-bench [WORDS]            (100 000 unless given)
//   mirabo-unknown-bench WORDS one|distinct only that text, for a profiler

#include "kana/kanaconverter.h"
#include "usermessages/usermessages.h"

#include <QCoreApplication>

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

// Two ideographs of the supplementary plane, which the dictionary does not
// hold; word i of a text of distinct words.
QString unknownWord(int i)
{
    const char32_t pair[] = {char32_t(0x20000 + i / 400), char32_t(0x21000 + i % 400)};
    return QString::fromUcs4(pair, 2);
}

// Ten words a line, each followed by a particle.
QString textOf(int words, bool distinct)
{
    QString text;
    for (int i = 0; i < words; ++i) {
        text += unknownWord(distinct ? i : 0);
        text += (i + 1) % 10 == 0 ? QStringLiteral("。\n") : QStringLiteral("と");
    }
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv); // the lexicon is found beside the program
    const int words = argc > 1 ? std::atoi(argv[1]) : 100000;
    const QByteArray only = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    KanaConverter converter;
    if (!converter.isReady()) {
        std::fprintf(stderr, "mirabo-unknown-bench: %s\n", qPrintable(UserMessages::kanaMessage(converter.error())));
        return 1;
    }
    std::printf("%-28s %10s %10s %8s\n", "", "words", "reported", "CPU s");
    double times[2] = {};
    for (const bool distinct : {false, true}) {
        if (!only.isEmpty() && only != (distinct ? "distinct" : "one"))
            continue;
        const QString text = textOf(words, distinct);
        const double start = cpuSeconds();
        const KanaConversion converted = converter.convertText(text);
        times[distinct] = cpuSeconds() - start;
        std::printf("%-28s %10d %10lld %8.3f\n", distinct ? "distinct unknown words" : "one unknown word", words,
                    qlonglong(converted.unknownWords.size()), times[distinct]);
    }
    std::printf("distinct / one: %.2f\n", times[1] / times[0]);
    return 0;
}
