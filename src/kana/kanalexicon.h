#pragma once

#include "morphemeanalyzer.h"
#include "userdictionary.h"

#include <QHash>
#include <QList>
#include <QString>

#include <bitset>

// Written forms with their braille kana, found where they stand in a line.
// Used for the user's 単語登録 and for the lexicon that ships with the
// program (kana-lexicon.txt, in the same format).
class KanaLexicon
{
public:
    void setEntries(const QList<UserDictionaryEntry> &entries);
    bool isEmpty() const { return m_byFirstChar.isEmpty(); }

    // The entries found in the line, leftmost first, the longest of those
    // that start at the same place, none overlapping.
    QList<FixedWord> wordsIn(QStringView line) const;

    // The shipped lexicon, looked for among the program's data files and
    // read once. `error` is set when it cannot be found or read.
    static const KanaLexicon &shipped(QString *error = nullptr);
    static QString shippedFileName();

private:
    // Entries by their first character, longest written form first, so a
    // line is scanned once whatever the size of the lexicon.
    QHash<QChar, QList<UserDictionaryEntry>> m_byFirstChar;
    // The same first characters as a set, to pass over the others at once.
    std::bitset<65536> m_firstChars;
};
