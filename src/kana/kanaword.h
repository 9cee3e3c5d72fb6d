#pragma once

#include "kanawords.h"
#include "morphemeanalyzer.h"
#include "wordrole.h"

#include <QList>
#include <QString>

#include <utility>

// One word of a line on its way to braille kana: the dictionary's morpheme,
// the kana written for it, and its place in 分かち書き. The rules after the
// dictionary work on a list of these.
struct KanaWord
{
    // In the line's list of morphemes, which outlives the words: pointed
    // to rather than copied, as every word of every line passes here.
    Morpheme *m = nullptr;
    // The entry's decisions, where they hold for this word.
    const WordDecision *decided = nullptr;
    Role role = Role::Word;
    Join join = Join::ByRole;

    // The kana written for the word. Where no rule changed it, it is the
    // entry's own, read where the entry keeps it as the word's surface is.
    const QString &kana() const { return sharedKana_ ? *sharedKana_ : kana_; }
    void setKana(const QString &kana)
    {
        kana_ = kana;
        sharedKana_ = nullptr;
    }
    void shareKana(const QString &kana)
    {
        sharedKana_ = &kana;
        kana_.clear();
    }

private:
    const QString *sharedKana_ = nullptr;
    QString kana_;
};

// The words of a line as the rules see them: the list's own array, so that
// reading or writing a word never asks again whether the list is shared.
// The rules reorder words but never add or remove one.
class LineWords
{
public:
    explicit LineWords(QList<KanaWord> &words) : m_words(words.data()), m_size(words.size()) {}
    qsizetype size() const { return m_size; }
    KanaWord &operator[](qsizetype i) const { return m_words[i]; }
    void swapItemsAt(qsizetype a, qsizetype b) const { std::swap(m_words[a], m_words[b]); }

private:
    KanaWord *m_words;
    qsizetype m_size;
};

// The rules that rewrite readings after the dictionary, each on the whole
// line so that it can look at the neighbours.
namespace KanaRules {

// Numbers and what follows them: 万 億 兆 after digits, counters' sound
// changes, days and people read in native numbers, months, 数 and 何 with a
// unit, days of the week in brackets.
void applyNumberReadings(LineWords words);

// Whether the text holds no sign the rule below would read or report:
// kana and kanji alone.
bool isSignFree(QStringView text);
// The same of a word, as its entry decided where it has one.
inline bool isSignFree(const KanaWord &w)
{
    return w.decided ? w.decided->signFree : isSignFree(w.m->surface());
}

// Signs without braille of their own, written as their readings; those
// left as they are go into `kept`.
void applySignReadings(LineWords words, QStringList &kept);

// Asked of every word by several rules: inline.
inline bool isNumber(const Morpheme &m)
{
    return m.isNumber();
}

// A word's role and kana by the dictionary's entry and the word before.
// Where a rule asked about the word before, *askedBefore is set: the
// answer then holds for this neighbour only.
Role roleOf(const Morpheme &m, const Morpheme *before, bool *askedBefore = nullptr);
QString kanaFor(const Morpheme &m, QStringView kanaBefore, bool *askedBefore = nullptr);
// All of the above for the entry's own word, kept with the entry.
WordDecision decideByItself(const Morpheme &m);

bool isCompoundElement(const Morpheme &m);
bool isSuffix(const Morpheme &m);
bool isPersonName(const Morpheme &m);
// Titles after a name, and what a name's work is (作 著 訳 編 画).
bool isAfterNameWord(const Morpheme &m);
bool isHiraganaOnly(QStringView text);
// In hiragana onomatopoeia a ウ-row kana and う are one long sound
// (ぴゅうぴゅう → ぴゅーぴゅー).
QString onomatopoeiaKana(const QString &text);

// Before the dictionary: ゝ ゞ ヽ ヾ written out as the kana they repeat
// (みすゞ → みすず), a run of 々 as the kanji it repeats, and a voiced mark
// written after its kana joined to it (か゛ → が).
QString expandIterationMarks(const QString &line);

} // namespace KanaRules
