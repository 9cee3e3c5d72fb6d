#pragma once

#include "kanawords.h"
#include "morphemeanalyzer.h"

#include <QList>
#include <QString>

// How a word stands to its neighbours in 分かち書き.
enum class Role {
    Word,        // an independent word: a blank before it
    Attached,    // particle, auxiliary, suffix: joined to the word before
    Prefix,      // joined to the word after
    Punctuation, // stays where it is, with no blank after it
    Closing,     // a closing bracket: joined before, a word may follow after a blank
    Opening,     // an opening bracket: begins a word, and the word after it is joined to it
    Blank,       // a full-width space of the source
};

// Where a rule has decided the blank before a word itself.
enum class Join {
    ByRole, // as the roles of the two words say
    Blank,
    Joined,
};

// One word of a line on its way to braille kana: the dictionary's morpheme,
// the kana written for it, and its place in 分かち書き. The rules after the
// dictionary work on a list of these.
struct KanaWord
{
    // In the line's list of morphemes, which outlives the words: pointed
    // to rather than copied, as every word of every line passes here.
    Morpheme *m = nullptr;
    QString kana;
    Role role = Role::Word;
    Join join = Join::ByRole;
};


// The rules that rewrite readings after the dictionary, each on the whole
// line so that it can look at the neighbours.
namespace KanaRules {

// Numbers and what follows them: 万 億 兆 after digits, counters' sound
// changes, days and people read in native numbers, months, 数 and 何 with a
// unit, days of the week in brackets.
void applyNumberReadings(QList<KanaWord> &words);

// Signs without braille of their own, written as their readings; those
// left as they are go into `kept`.
void applySignReadings(QList<KanaWord> &words, QStringList &kept);

// Asked of every word by several rules: inline.
inline bool isNumber(const Morpheme &m)
{
    return m.isNumber();
}

// Before the dictionary: ゝ ゞ ヽ ヾ written out as the kana they repeat
// (みすゞ → みすず), a run of 々 as the kanji it repeats, and a voiced mark
// written after its kana joined to it (か゛ → が).
QString expandIterationMarks(const QString &line);

} // namespace KanaRules
