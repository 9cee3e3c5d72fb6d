#pragma once

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>

// Why a converted word's reading may be wrong; a word without doubts is trusted.
enum class ReadingDoubt : unsigned {
    Unknown = 1,    // the dictionary does not know the word
    Homograph = 2,  // its written form has more than one reading in the dictionary
    Analysis = 4,   // MeCab's best analyses disagree on its reading or on where it splits
    Dictionary = 8, // a second installed dictionary reads it differently
};
Q_DECLARE_FLAGS(ReadingDoubts, ReadingDoubt)
Q_DECLARE_OPERATORS_FOR_FLAGS(ReadingDoubts)

// One word of the source that held kanji (or that the dictionary did not know), as converted.
struct ConvertedWord {
    qsizetype line = 0;         // line of the text, from 0 (convertLine: 0)
    qsizetype sourceColumn = 0; // where the written form starts in the source line, in QChar units
    qsizetype kanaStart = 0;    // where its kana starts in the converted line, in QChar units
    qsizetype kanaLength = 0;   // QChar units of its kana in the converted line
    QString written;            // as written in the source
    QString kana;               // the kana chosen (as it stands in the converted line)
    QStringList candidates;     // other readings, best first, each in braille kana as the line would hold it
    ReadingDoubts doubts;
};
