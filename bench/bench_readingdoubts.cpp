// The uncertainty marks of 点訳かな変換, measured on sentences with known
// readings (bench/data/reading-sentences.tsv), and what marking costs.
//
//   mirabo-doubts-bench figures [FILE] [SECOND-DICDIR]
//       for a range of thresholds: the share of sentences read wrongly
//       that carry a mark on a wrongly read word, and the share of words
//       read right that are marked; then the wrong readings at the
//       thresholds built in.
//   mirabo-doubts-bench time [FILE] [LINES]
//       processor seconds of convertText over LINES lines (10 000 unless
//       given) made of the sentences, marking off and on by turns, the
//       best of five runs each.

#include "kana/kanaconverter.h"
#include "usermessages/usermessages.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <ctime>

namespace {

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct KnownReading
{
    QString written;
    QString kana;
};

struct Sentence
{
    QString text;
    QList<KnownReading> readings;
};

QList<Sentence> readSentences(const QString &path)
{
    QList<Sentence> sentences;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return sentences;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &line : lines) {
        if (line.startsWith(u'#') || !line.contains(u'\t'))
            continue;
        Sentence sentence;
        sentence.text = line.section(u'\t', 0, 0);
        for (const QString &pair : line.section(u'\t', 1).split(u' ', Qt::SkipEmptyParts))
            sentence.readings.append({pair.section(u'=', 0, 0), pair.section(u'=', 1)});
        sentences.append(sentence);
    }
    return sentences;
}

// Braille kana spell a lengthening ウ as ー; the known readings are
// written in plain hiragana.
QString plain(QString kana)
{
    kana.remove(u' ');
    kana.replace(u'ー', u'う');
    return kana;
}

struct Figures
{
    int wrongSentences = 0;
    int wrongSentencesMarked = 0;
    int rightWords = 0;
    int rightWordsMarked = 0;
    QStringList wrong; // the wrong readings, for the report
    QStringList marked; // the right readings marked, for the report
};

// A known reading is checked on the words of the record that cover its
// written form (the dictionary may have cut it in two).
Figures measure(KanaConverter &converter, const QList<Sentence> &sentences)
{
    Figures figures;
    for (const Sentence &sentence : sentences) {
        const KanaConversion converted = converter.convertLine(sentence.text);
        QList<bool> wrongWord(converted.words.size(), false);
        bool wrong = false, markedWrong = false;
        qsizetype from = 0;
        for (const KnownReading &known : sentence.readings) {
            const qsizetype at = sentence.text.indexOf(known.written, from);
            if (at < 0)
                continue;
            from = at + known.written.size();
            QString kana, written;
            bool marked = false;
            QList<qsizetype> covering;
            for (qsizetype i = 0; i < converted.words.size(); ++i) {
                const ConvertedWord &word = converted.words[i];
                if (word.sourceColumn < at + known.written.size() &&
                    at < word.sourceColumn + word.written.size()) {
                    kana += word.kana;
                    written += word.written;
                    marked |= bool(word.doubts);
                    covering.append(i);
                }
            }
            // A word of the record may be longer than the one known (a
            // lexicon's 初日の出) or shorter (察 of 察する: kana are not kept).
            const QString read = plain(kana);
            if (written == known.written ? read == known.kana
                : written.contains(known.written) ? read.contains(known.kana)
                                                   : known.kana.startsWith(read) && !read.isEmpty())
                continue;
            wrong = true;
            markedWrong |= marked;
            for (qsizetype i : covering)
                wrongWord[i] = true;
            figures.wrong.append(QStringLiteral("%1 %2→%3 (%4)%5")
                                     .arg(sentence.text, known.written, kana, known.kana,
                                          marked ? QStringLiteral(" marked") : QString()));
        }
        figures.wrongSentences += wrong;
        figures.wrongSentencesMarked += markedWrong;
        for (qsizetype i = 0; i < converted.words.size(); ++i) {
            if (wrongWord[i])
                continue;
            ++figures.rightWords;
            figures.rightWordsMarked += bool(converted.words[i].doubts);
            if (converted.words[i].doubts)
                figures.marked.append(QStringLiteral("%1 %2 (%3)")
                                          .arg(converted.words[i].written, converted.words[i].kana,
                                               DoubtJudge::names(converted.words[i].doubts).join(u',')));
        }
    }
    return figures;
}

double share(int part, int whole)
{
    return whole ? 100.0 * part / whole : 0.0;
}

int figures(const QList<Sentence> &sentences, const QString &secondDir)
{
    KanaConverter converter;
    if (!secondDir.isEmpty() && !converter.openSecondDictionary(secondDir)) {
        std::fprintf(stderr, "%s\n", qPrintable(UserMessages::kanaMessage(converter.secondDictionaryError())));
        return 1;
    }
    QTextStream out(stdout);
    out << "sentences " << sentences.size() << (secondDir.isEmpty() ? "" : ", with the second dictionary") << "\n";
    out << "theta\thomograph\tsame kind\tanalysis\twrong sentences marked\tright words marked\n";
    for (const float theta : {0.001f, 0.002f, 0.003f, 0.005f}) {
        for (const float homograph : {0.02f, 0.05f, 0.1f}) {
          for (const float sameKind : {1e-6f, 1e-5f, 1e-4f, 1e-3f}) {
            for (const float analysis : {0.5f, 0.7f, 0.8f, 0.9f}) {
                converter.setMarking(true, {homograph, sameKind, analysis, theta});
                const Figures f = measure(converter, sentences);
                out << theta << '\t' << homograph << '\t' << sameKind << '\t' << analysis << '\t' << f.wrongSentencesMarked << '/'
                    << f.wrongSentences << " = " << QString::number(share(f.wrongSentencesMarked, f.wrongSentences), 'f', 1)
                    << "%\t" << f.rightWordsMarked << '/' << f.rightWords << " = "
                    << QString::number(share(f.rightWordsMarked, f.rightWords), 'f', 1) << "%\n";
            }
          }
        }
    }
    converter.setMarking(true);
    const Figures built = measure(converter, sentences);
    out << "\nat the thresholds built in: wrong sentences marked "
        << QString::number(share(built.wrongSentencesMarked, built.wrongSentences), 'f', 1) << "% ("
        << built.wrongSentencesMarked << '/' << built.wrongSentences << "), right words marked "
        << QString::number(share(built.rightWordsMarked, built.rightWords), 'f', 1) << "% (" << built.rightWordsMarked
        << '/' << built.rightWords << ")\n";
    for (const QString &wrong : built.wrong)
        out << "  " << wrong << '\n';
    out << "right readings marked:\n";
    for (const QString &marked : built.marked)
        out << "  " << marked << '\n';
    return 0;
}

int timing(const QList<Sentence> &sentences, int lines)
{
    QString text;
    for (int i = 0; i < lines; ++i)
        text += sentences[i % sentences.size()].text + u'\n';
    KanaConverter converter;
    double best[2] = {1e9, 1e9};
    qsizetype marked = 0;
    for (int run = 0; run < 10; ++run) {
        const bool marking = run % 2 == 1;
        converter.setMarking(marking);
        const double start = cpuSeconds();
        const KanaConversion converted = converter.convertText(text);
        best[marking] = std::min(best[marking], cpuSeconds() - start);
        if (marking)
            marked = std::count_if(converted.words.begin(), converted.words.end(),
                                   [](const ConvertedWord &w) { return bool(w.doubts); });
    }
    std::printf("%d lines: marking off %.3f s, on %.3f s (+%.0f%%), %lld words marked\n", lines, best[0], best[1],
                100.0 * (best[1] - best[0]) / best[0], static_cast<long long>(marked));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    const QString file = args.value(2, QStringLiteral(MIRABO_BENCH_DATA "/reading-sentences.tsv"));
    const QList<Sentence> sentences = readSentences(file);
    if (sentences.isEmpty()) {
        std::fprintf(stderr, "no sentences in %s\n", qPrintable(file));
        return 1;
    }
    if (mode == u"figures")
        return figures(sentences, args.value(3));
    if (mode == u"time")
        return timing(sentences, args.value(3, QStringLiteral("10000")).toInt());
    std::fprintf(stderr, "usage: mirabo-doubts-bench figures|time [FILE] [SECOND-DICDIR|LINES]\n");
    return 2;
}
