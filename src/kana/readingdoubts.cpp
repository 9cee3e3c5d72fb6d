#include "readingdoubts.h"

#include "kanawords.h"

namespace {

void addCandidate(ConvertedWord &word, const QString &kana)
{
    if (!kana.isEmpty() && kana != word.kana && !word.candidates.contains(kana))
        word.candidates.append(kana);
}

} // namespace

namespace DoubtJudge {

void judgeByLattice(ConvertedWord &word, const Morpheme &m, const DoubtThresholds &thresholds)
{
    if (!m.userKana.isEmpty() || !m.known)
        return;
    for (const Morpheme::OtherEntry &entry : m.weighing().otherEntries) {
        if (entry.probability >= (entry.sameKind ? thresholds.sameKindShare : thresholds.homographShare))
            word.doubts |= ReadingDoubt::Homograph;
        addCandidate(word, entry.kana);
    }
    if (m.weighing().probability < thresholds.analysisBelow)
        word.doubts |= ReadingDoubt::Analysis;
    for (const QString &kana : m.weighing().otherAnalyses)
        addCandidate(word, kana);
}

void judgeBySecondDictionary(ConvertedWord &word, const Morpheme &m, qsizetype start,
                             const QList<Morpheme> &second, const QList<qsizetype> &secondStarts)
{
    if (!m.userKana.isEmpty() || !m.known)
        return;
    const qsizetype end = start + m.surface().size();
    const qsizetype first = secondStarts.indexOf(start);
    if (first < 0)
        return;
    QString kana;
    qsizetype k = first;
    for (; k < second.size() && secondStarts[k] < end; ++k) {
        if (!second[k].known)
            return;
        kana += KanaWords::kanaOf(second[k]);
    }
    const bool aligned = k == second.size() ? secondStarts.back() + second.back().surface().size() == end
                                            : secondStarts[k] == end;
    if (!aligned || kana.isEmpty() || KanaWords::containsKanji(kana) || kana == KanaWords::kanaOf(m))
        return;
    word.doubts |= ReadingDoubt::Dictionary;
    addCandidate(word, kana);
}

QStringList names(ReadingDoubts doubts)
{
    QStringList result;
    if (doubts.testFlag(ReadingDoubt::Unknown))
        result.append(QStringLiteral("unknown"));
    if (doubts.testFlag(ReadingDoubt::Homograph))
        result.append(QStringLiteral("homograph"));
    if (doubts.testFlag(ReadingDoubt::Analysis))
        result.append(QStringLiteral("analysis"));
    if (doubts.testFlag(ReadingDoubt::Dictionary))
        result.append(QStringLiteral("dictionary"));
    return result;
}

} // namespace DoubtJudge
