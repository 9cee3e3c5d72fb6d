// 点訳かな変換 throughput: 10 000 lines (or --lines N) of ordinary prose through one
// converter, measured beside MeCab's own analysis of the same lines in the
// same run (the bare tagger, and the tagger with the words taken into Qt
// strings), so the figures show what each layer adds. The same sentences
// joined into one long line are measured too: MeCab given the whole line at
// once, beside the analyzer, which cuts such a line into pieces. Wall time and CPU time
// are both given: on a busy machine the CPU time is the steadier figure.
//
// The conversion is measured once more with a user dictionary of 10 000
// entries, two kanji each, so that most places of a line start an entry.
//
//   mirabo-kana-bench              the table
//   mirabo-kana-bench --lines N    the table for N lines
//   mirabo-kana-bench --emit N     print the document of N lines (UTF-8)
//   mirabo-kana-bench --dump FILE  the converted text, unknown words and
//                                  record of each line of FILE (UTF-8)
//   mirabo-kana-bench --profile N  only the conversion of N lines, once, for a
//                                  profiler (perf record) to look at alone
//   mirabo-kana-bench --profile-user N  the same with the 10 000 user words

#include "kana/kanaconverter.h"
#include "kana/morphemeanalyzer.h"
#include "kana/userdictionary.h"
#include "usermessages/usermessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

#include <mecab.h>
#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <functional>

namespace {

// Clauses of everyday prose, joined at random into sentences.
const char16_t *const kClauses[] = {
    u"朝から雨が降っていたので",           u"駅前の本屋で新しい辞書を買った",
    u"先生は黒板に大きな字を書き",         u"子どもたちは校庭で遊んでいる",
    u"三百人の観客が会場に集まり",         u"母は台所で夕食の準備をしながら",
    u"来週の会議では予算について話し合う", u"図書館は午後五時に閉まるそうだ",
    u"弟が自転車で学校へ行くとき",         u"天気が良ければ山に登ろう",
    u"国際連合の会議が東京で開かれ",       u"祖父の家の庭には古い桜の木があり",
    u"毎日運動することは体に良い",         u"新聞によると物価が上がっている",
    u"友達と一緒に映画を見に行って",       u"電車が遅れたため約束に間に合わず",
    u"姉さんは音楽を聞くことが好きで",     u"川の水は思ったより冷たく",
    u"コンピューターの画面を見ながら",     u"二千二十六年の春に卒業する予定で",
    u"お父さんは新しい仕事を始めた",
};

QStringList makeDocument(int lines)
{
    QRandomGenerator random(2718);
    QStringList document;
    document.reserve(lines);
    const int count = int(std::size(kClauses));
    for (int i = 0; i < lines; ++i) {
        QString line = QString::fromUtf16(kClauses[random.bounded(count)]);
        line += u'、';
        line += QString::fromUtf16(kClauses[random.bounded(count)]);
        line += u'。';
        document.append(line);
    }
    return document;
}

// Two-kanji words of everyday text, 10 000 of them, each with a reading.
QList<UserDictionaryEntry> userEntries()
{
    const QString kanji = QStringLiteral("朝雨駅前本屋新辞書買先生黒板大字子校庭遊三百人観客会場集母台所夕食準備来週議予算話合図館午後五時閉弟"
                                         "自転車学行天気良山登国際連東京開祖父家古桜木毎日運動体聞物価上友映画見電遅約束間姉音楽川水冷面春卒業");
    QList<UserDictionaryEntry> entries;
    for (int i = 0; i < 10000; ++i)
        entries.append({QString(kanji[i % kanji.size()]) + kanji[(i / kanji.size()) % kanji.size()], QStringLiteral("よみ")});
    return entries;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct Timing
{
    double wall = 1e9;
    double cpu = 1e9;
};

// The best of three runs.
Timing measure(const std::function<void()> &work)
{
    Timing best;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuSeconds();
        work();
        best.cpu = qMin(best.cpu, cpuSeconds() - cpuStart);
        best.wall = qMin(best.wall, seconds(timer));
    }
    return best;
}

void printRow(const char *name, const Timing &timing, int lines)
{
    std::printf("%-34s %8.3f %8.3f %10.0f\n", name, timing.wall, timing.cpu, lines / timing.cpu);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"--emit") {
        for (const QString &line : makeDocument(args[2].toInt()))
            std::printf("%s\n", line.toUtf8().constData());
        return 0;
    }

    if (args.size() == 3 && args[1] == u"--dump") {
        // Everything the conversion gives for each line of the file, to
        // compare two builds line by line.
        QFile file(args[2]);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        KanaConverter converter;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).remove(u'\n');
            const KanaConversion result = converter.convertLine(line);
            std::printf("%s\t%s\n", qPrintable(result.text), qPrintable(result.unknownWords.join(u'|')));
            for (const ConvertedWord &w : result.words)
                std::printf("  %lld %lld %lld %s %s %u\n", static_cast<long long>(w.sourceColumn),
                            static_cast<long long>(w.kanaStart), static_cast<long long>(w.kanaLength),
                            qPrintable(w.written), qPrintable(w.kana), unsigned(w.doubts.toInt()));
        }
        return 0;
    }

    if (args.size() == 3 && (args[1] == u"--profile" || args[1] == u"--profile-user")) {
        const QStringList document = makeDocument(args[2].toInt());
        KanaConverter converter;
        if (args[1] == u"--profile-user")
            converter.setUserEntries(userEntries());
        qsizetype output = 0;
        const double start = cpuSeconds();
        for (const QString &line : document)
            output += converter.convertLine(line).text.size();
        std::printf("%lld characters of kana in %.3f CPU s\n", static_cast<long long>(output), cpuSeconds() - start);
        return 0;
    }

    const int lines = args.size() == 3 && args[1] == u"--lines" ? args[2].toInt() : 10000;
    const QStringList document = makeDocument(lines);
    qsizetype characters = 0;
    for (const QString &line : document)
        characters += line.size();

    QElapsedTimer timer;
    timer.start();
    KanaConverter converter;
    const double openSeconds = seconds(timer);
    if (!converter.isReady()) {
        std::fprintf(stderr, "mirabo-kana-bench: %s\n", qPrintable(UserMessages::kanaMessage(converter.error())));
        return 1;
    }
    MorphemeAnalyzer analyzer;
    const QByteArray dir = QFile::encodeName(MorphemeAnalyzer::defaultDictionaryDir());
    MeCab::Tagger *tagger = MeCab::createTagger(("-d " + dir + " -r " + dir + "/dicrc").constData());
    MeCab::Lattice *lattice = MeCab::createLattice();
    QList<QByteArray> utf8;
    for (const QString &line : document)
        utf8.append(line.toUtf8());

    qsizetype morphemes = 0, output = 0;
    const Timing bare = measure([&] {
        for (const QByteArray &line : utf8) {
            lattice->set_sentence(line.constData(), std::size_t(line.size()));
            tagger->parse(lattice);
        }
    });
    const Timing analysis = measure([&] {
        morphemes = 0;
        for (const QString &line : document)
            morphemes += analyzer.analyze(line).size();
    });
    const Timing conversion = measure([&] {
        output = 0;
        for (const QString &line : document)
            output += converter.convertLine(line).text.size();
    });
    KanaConverter withUserWords;
    withUserWords.setUserEntries(userEntries());
    const Timing userWords = measure([&] {
        for (const QString &line : document)
            withUserWords.convertLine(line);
    });
    const double documentPeak = peakMegabytes();
    // All the sentences, some 300 000 characters, on one line.
    const QString longLine = document.join(QString());
    const QByteArray longUtf8 = longLine.toUtf8();
    qsizetype longMorphemes = 0;
    // In pieces first, so that each peak below is its own.
    const Timing longPieces = measure([&] { longMorphemes = analyzer.analyze(longLine).size(); });
    const double piecesPeak = peakMegabytes();
    const Timing longWhole = measure([&] {
        lattice->set_sentence(longUtf8.constData(), std::size_t(longUtf8.size()));
        tagger->parse(lattice);
    });
    delete lattice;
    delete tagger;

    std::printf("%d lines, %lld characters, %lld morphemes; dictionary opened in %.3f s\n", lines,
                static_cast<long long>(characters), static_cast<long long>(morphemes), openSeconds);
    std::printf("%-34s %8s %8s %10s\n", "", "wall s", "CPU s", "lines/CPU s");
    printRow("MeCab tagger alone", bare, lines);
    printRow("MeCab words as Qt strings", analysis, lines);
    printRow("kana conversion, whole", conversion, lines);
    printRow("the same, 10 000 user words", userWords, lines);
    std::printf("peak memory %.1f MB, %lld characters of kana written\n", documentPeak,
                static_cast<long long>(output));
    std::printf("one line of %lld characters (%lld morphemes):\n", static_cast<long long>(longLine.size()),
                static_cast<long long>(longMorphemes));
    printRow("analyzer, in pieces", longPieces, 1);
    std::printf("peak memory %.1f MB\n", piecesPeak);
    printRow("MeCab tagger, the whole line", longWhole, 1);
    std::printf("peak memory %.1f MB\n", peakMegabytes());
    return 0;
}
