#pragma once

#include "convertedword.h"
#include "morphemeanalyzer.h"

#include <QList>

// Where the uncertainty marks begin: a reading is doubted when another
// entry of the dictionary for the same written form holds at least
// homographShare against it (sameKindShare when it is the same part of
// speech), or when the word chosen holds less than analysisBelow against
// the likeliest other analysis. Chosen with mirabo-doubts-bench figures on
// bench/data/reading-sentences.tsv: 82% of the wrongly read sentences
// carry a mark on a wrong word there, 20% of the words read right are
// marked (the sentences are dense with homographs).
struct DoubtThresholds
{
    float homographShare = 0.1f;
    // The same, for an entry of the same part of speech as the word chosen.
    float sameKindShare = 0.00001f;
    float analysisBelow = 0.9f;
    // How sharply the dictionary's costs part the likely from the unlikely.
    float theta = 0.002f;
};

namespace DoubtJudge {

// The doubts and candidates MeCab's lattice gives a word read from the
// morpheme m (weighed by the analyzer). Words the user, the document or
// the shipped lexicon read are trusted.
void judgeByLattice(ConvertedWord &word, const Morpheme &m, const DoubtThresholds &thresholds);

// Compares a word, read from the first dictionary's morpheme m at
// [start, start + m.surface().size()) of the line, with the second
// dictionary's words of that line (secondStarts: where each starts): a
// different reading there is a doubt and a candidate. Where the second
// dictionary cuts the line elsewhere it has no opinion of the word.
void judgeBySecondDictionary(ConvertedWord &word, const Morpheme &m, qsizetype start,
                             const QList<Morpheme> &second, const QList<qsizetype> &secondStarts);

// The names of the doubts as the command line prints them, in order:
// unknown, homograph, analysis, dictionary.
QStringList names(ReadingDoubts doubts);

} // namespace DoubtJudge
