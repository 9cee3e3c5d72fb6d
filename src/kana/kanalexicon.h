#pragma once

#include "morphemeanalyzer.h"
#include "userdictionary.h"

#include <QHash>
#include <QList>
#include <QString>

#include <bitset>
#include <functional>
#include <unordered_map>
#include <vector>

// Written forms with their braille kana, found where they stand in a line.
// Used for the user's 単語登録 and for the lexicon that ships with the
// program (kana-lexicon.txt, in the same format).
class KanaLexicon
{
public:
    void setEntries(const QList<UserDictionaryEntry> &entries);
    bool isEmpty() const { return m_kana.empty(); }

    // The entries found in the line, leftmost first, the longest of those
    // that start at the same place, none overlapping.
    QList<FixedWord> wordsIn(QStringView line) const;

    // The shipped lexicon, looked for among the program's data files and
    // read once. `error` is set when it cannot be found or read.
    static const KanaLexicon &shipped(KanaProblem *error = nullptr);
    static QString shippedFileName();

private:
    struct ViewHash
    {
        using is_transparent = void;
        size_t operator()(QStringView text) const { return qHash(text); }
    };

    // The kana of every written form, looked up by a stretch of the line
    // without copying it.
    std::unordered_map<QString, QString, ViewHash, std::equal_to<>> m_kana;
    // By first character, the lengths of its written forms, longest first:
    // at each place of a line one look-up per length, however many entries
    // share the character, so a line costs the same with ten entries or
    // ten thousand.
    QHash<QChar, std::vector<qsizetype>> m_lengths;
    // The same first characters as a set, to pass over the others at once.
    std::bitset<65536> m_firstChars;
    // Written forms of one character, and the first two characters of the
    // longer ones, mixed into 16 bits: a place whose character starts
    // entries (一 of 一般, 大 of 大人) mostly is not followed by the second
    // character of any of them, and is passed over without a look-up.
    std::bitset<65536> m_singleChars;
    std::bitset<65536> m_firstPairs;
    static std::size_t pairBit(QChar first, QChar second)
    {
        return (first.unicode() * 31u + second.unicode()) & 0xFFFFu;
    }
};
