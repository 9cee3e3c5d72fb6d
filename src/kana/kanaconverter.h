#pragma once

#include "kanalexicon.h"
#include "morphemeanalyzer.h"
#include "userdictionary.h"

#include <QList>
#include <QString>
#include <QStringList>

struct KanaConversion
{
    QString text;
    // Words the dictionary does not know, kept as written, each once.
    QStringList unknownWords;
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
    QString error() const;

    // The user's corrections, used before the shipped lexicon and the
    // dictionary's readings; the longest written form wins where two
    // overlap.
    void setUserEntries(const QList<UserDictionaryEntry> &entries);

    // One line, without its line end.
    KanaConversion convertLine(const QString &line);
    // Line by line; the line ends stay as they are.
    KanaConversion convertText(const QString &text);

private:
    MorphemeAnalyzer m_analyzer;
    KanaLexicon m_userWords;
    const KanaLexicon *m_lexicon = nullptr;
    QString m_lexiconError;
};
