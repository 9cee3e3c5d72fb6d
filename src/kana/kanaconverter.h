#pragma once

#include "convertedword.h"
#include "kanalexicon.h"
#include "kanaword.h"
#include "morphemeanalyzer.h"
#include "readingdoubts.h"
#include "userdictionary.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Words in the order they were first met, each once. The table beside the
// list keeps a text with very many distinct words linear; the few words of
// a line are looked for in the list, which costs less than hashing them.
class UniqueWords
{
public:
    void add(const QString &word);
    void add(const QStringList &words)
    {
        for (const QString &word : words)
            add(word);
    }
    const QStringList &words() const { return words_; }

private:
    void spreadOver(std::size_t slotCount);

    static constexpr qsizetype kListedOnly = 16;
    QStringList words_;
    // Past kListedOnly words, an open table of places in words_ (one more
    // than the index; 0 is free), with each word's hash kept beside it:
    // growing hashes no word again, a look-up compares only words of equal
    // hash, and no word costs an allocation of its own. For a text of many
    // distinct words a set of strings cost more than the rest of the
    // conversion. Both are kept in 32 bits, so that the table of a text of
    // very many words stays small enough to be looked up quickly.
    std::vector<quint32> hashes_;
    std::vector<quint32> slots_;
};

struct KanaConversion
{
    QString text;
    // Words the dictionary does not know, kept as written, each once.
    QStringList unknownWords;
    // Every word that held kanji, in order, with where it stands in the
    // source and in the text, and why its reading may be wrong.
    QList<ConvertedWord> words;
};

// 点訳かな変換: turns kanji-mixed text into the braille kana a transcriber
// writes, with a blank between words (分かち書き). One converter keeps
// its dictionary open for all the lines it is given.
class KanaConverter
{
public:
    explicit KanaConverter(const QString &dictionaryDir = MorphemeAnalyzer::locateDictionaryDir());

    // False when the dictionary could not be opened or the shipped lexicon
    // not read; error() says which package to install or which file is
    // missing.
    bool isReady() const;
    bool hasDictionary() const { return m_analyzer.isOpen(); }
    KanaProblem error() const;

    // The user's corrections, used before the shipped lexicon and the
    // dictionary's readings; the longest written form wins where two
    // overlap.
    void setUserEntries(const QList<UserDictionaryEntry> &entries);

    // When on, the words of the record carry their doubts and candidates
    // (MeCab weighs its choices, which takes longer). Off at first; the
    // converted text is the same either way.
    void setMarking(bool on, const DoubtThresholds &thresholds = {});
    bool isMarking() const { return m_marking; }
    // A second dictionary whose readings the marks compare with; false,
    // with its error in secondDictionaryError(), when it cannot be opened.
    // An empty folder closes it.
    bool openSecondDictionary(const QString &dir);
    bool hasSecondDictionary() const { return m_second != nullptr; }
    KanaProblem secondDictionaryError() const { return m_secondError; }

    // One line, without its line end. readings are stretches of the line
    // whose braille kana the document itself gives (ruby): each is one word
    // with that kana, there only, before the user's entries.
    // A layout marker at the start of the line (［ミダシ1］) is kept as written.
    KanaConversion convertLine(const QString &line, const QList<FixedWord> &readings = {});
    // Line by line; the line ends stay as they are. The readings' places
    // are counted in the whole text.
    KanaConversion convertText(const QString &text, const QList<FixedWord> &readings = {});

private:
    // The unknown words of the line go into `unknown`, the line's own list
    // or the text's.
    KanaConversion convertLine(const QString &line, const QList<FixedWord> &readings, UniqueWords &unknown);
    KanaConversion convertMarkerlessLine(const QString &line, const QList<FixedWord> &readings,
                                         UniqueWords &unknown);
    QList<FixedWord> fixedWordsIn(const QString &line, const QList<FixedWord> &readings) const;

    void markDoubts(QList<ConvertedWord> &record, const QString &line, const QList<FixedWord> &fixed,
                    const QList<std::pair<const Morpheme *, qsizetype>> &sources);

    MorphemeAnalyzer m_analyzer;
    bool m_marking = false;
    DoubtThresholds m_thresholds;
    std::unique_ptr<MorphemeAnalyzer> m_second;
    KanaProblem m_secondError;
    KanaLexicon m_userWords;
    const KanaLexicon *m_lexicon = nullptr;
    KanaProblem m_lexiconError;
    // The words of the line being converted, kept so that the next line
    // uses their room again.
    QList<Morpheme> m_morphemes;
    QList<KanaWord> m_words;
};
