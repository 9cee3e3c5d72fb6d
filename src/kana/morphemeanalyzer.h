#pragma once

#include "kanaerror.h"
#include "wordrole.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTemporaryDir>

#include <array>
#include <memory>
#include <utility>

struct mecab_node_t;
namespace MeCab {
class Model;
class Tagger;
class Lattice;
} // namespace MeCab

// A word's dictionary fields (the feature text), split at its commas once.
// The words of one dictionary entry share one of these.
struct MorphemeFeatures
{
    static constexpr int kSplitFields = 9;

    static std::shared_ptr<MorphemeFeatures> split(const QString &text);

    QStringView field(int index) const
    {
        return QStringView(text).sliced(fieldStart[index], fieldEnd[index] - fieldStart[index]);
    }
    // Past the fields the dictionaries fill: found when asked.
    QStringView fieldPastSplit(int index) const;

    QString text;
    int fieldCount = 1; // an empty text is one empty field
    // A number (名詞,数): asked of every word by several rules.
    bool number = false;
    std::array<int, kSplitFields> fieldStart{};
    std::array<int, kSplitFields> fieldEnd{};
    // The braille kana of the entry's word by itself (KanaWords::kanaOf),
    // worked out once for the written form kanaSurface: most words of a
    // text are entries met before.
    QString kanaSurface;
    QString kana;
    bool kanaSurfaceHasKanji = false;
    char16_t kanaSurfaceFirst = 0; // kept here, as every word of the entry asks it
    WordDecision byItself;
};

// One word of a line as the dictionary splits it.
struct Morpheme
{
    // The word as written. Most words are written as their dictionary
    // entry's own word and read the entry's string where the entry keeps
    // it: copying and counting a string for every word of a text cost more
    // than some of the rules.
    const QString &surface() const { return facts_.surfaceOfEntry ? features_->kanaSurface : surface_; }
    void setSurface(const QString &text)
    {
        surface_ = text;
        facts_.surfaceOfEntry = false;
        noteSurface(text);
    }
    // Whether the word is written so. The rules ask this of every word many
    // times: its length and first character, kept in the word, mostly answer
    // without the entry's string being read.
    template <std::size_t N> bool isWritten(const char16_t (&word)[N]) const
    {
        return facts_.surfaceSize == qsizetype(N - 1) && facts_.surfaceFirst == word[0] &&
               (N <= 2 || surface() == QStringView(word, N - 1));
    }
    QString spaceBefore; // the blanks that stood before it in the line
    bool known = true;
    // Set when the user dictionary gave this word: its braille kana as is.
    QString userKana;

    // Filled only when the analyzer is asked to weigh its choices (the
    // uncertainty marks, see setWeighing()): how likely MeCab finds this
    // word here, the readings of the dictionary's other entries for the
    // same written form here, and the readings the next best analyses give
    // this stretch, both in braille kana, likeliest first. Kept apart, so
    // that the words of a line without marks stay small.
    struct OtherEntry
    {
        QString kana;
        float probability = 0;
        // The same part of speech and subdivision: grammar cannot tell the
        // two apart, only the entries' own costs.
        bool sameKind = false;
    };
    struct Weighing
    {
        float probability = 1;
        QList<OtherEntry> otherEntries;
        QStringList otherAnalyses;
    };
    const Weighing &weighing() const
    {
        static const Weighing none;
        return weighing_ ? *weighing_ : none;
    }
    Weighing &weighingToFill()
    {
        if (!weighing_)
            weighing_ = std::make_shared<Weighing>();
        return *weighing_;
    }

    // The dictionary's fields, separated by commas: part of speech and three
    // subdivisions, conjugation type and form, base form, reading,
    // pronunciation. Unknown words have no reading. The text is split once
    // here: the rules look at the fields of each word many times.
    void setFeatureText(const QString &text) { setFeatures(MorphemeFeatures::split(text)); }
    // Fields already split, as the analyzer keeps them for each entry of
    // the dictionary: the words of one entry share them.
    void setFeatures(std::shared_ptr<const MorphemeFeatures> features)
    {
        if (facts_.surfaceOfEntry) // the written form stays the word's own
            setSurface(surface());
        features_ = std::move(features);
    }
    // An entry's fields and its own word as written.
    void setEntry(std::shared_ptr<const MorphemeFeatures> features)
    {
        features_ = std::move(features);
        surface_.clear();
        facts_.surfaceOfEntry = true;
        facts_.surfaceSize = features_->kanaSurface.size();
        facts_.surfaceFirst = features_->kanaSurfaceFirst;
    }
    const std::shared_ptr<const MorphemeFeatures> &features() const { return features_; }
    const QString &featureText() const;

    // One field; an empty view past the last.
    QStringView feature(int index) const
    {
        if (!features_)
            return {};
        if (index < features_->fieldCount)
            return features_->field(index);
        return index < MorphemeFeatures::kSplitFields ? QStringView() : features_->fieldPastSplit(index);
    }
    QStringView partOfSpeech() const { return splitField(0); }
    QStringView subdivision() const { return splitField(1); }
    QStringView baseForm() const { return splitField(6); }
    bool isNumber() const { return features_ && features_->number; }
    // The entry's features when the word is written as the entry was when
    // first met, which holds for most words: what was worked out for the
    // entry then (kanaSurface) holds for the word.
    const MorphemeFeatures *entryOfSurface() const
    {
        if (!features_ || features_->kanaSurface.isEmpty())
            return nullptr;
        return facts_.surfaceOfEntry || features_->kanaSurface == surface_ ? features_.get() : nullptr;
    }
    QString reading() const { return readingField(7); }
    QString pronunciation() const { return readingField(8); }

private:
    // One of the fields split when the text was, inline: the rules ask for
    // these of every word.
    QStringView splitField(int index) const
    {
        return features_ && index < features_->fieldCount ? features_->field(index) : QStringView();
    }
    QString readingField(int index) const
    {
        const QStringView field = feature(index);
        return field == u"*" ? QString() : field.toString();
    }

    std::shared_ptr<const MorphemeFeatures> features_;
    std::shared_ptr<Weighing> weighing_;
    QString surface_;
    // Kept in the word, as the rules ask them of every word. A word moved
    // from keeps none of them, as it keeps none of its strings, so that it
    // reads as an empty word.
    struct Facts
    {
        bool surfaceOfEntry = false;
        char16_t surfaceFirst = 0;
        qsizetype surfaceSize = 0;

        Facts() = default;
        Facts(const Facts &) = default;
        Facts &operator=(const Facts &) = default;
        Facts(Facts &&other) noexcept : Facts(static_cast<const Facts &>(other)) { other.forget(); }
        Facts &operator=(Facts &&other) noexcept
        {
            if (this != &other) {
                *this = static_cast<const Facts &>(other);
                other.forget();
            }
            return *this;
        }
        void forget()
        {
            surfaceOfEntry = false;
            surfaceFirst = 0;
            surfaceSize = 0;
        }
    };
    Facts facts_;
    void noteSurface(const QString &text)
    {
        facts_.surfaceSize = text.size();
        facts_.surfaceFirst = text.isEmpty() ? 0 : text.front().unicode();
    }
};

// A stretch of the line that must come out as one word: an entry of the
// user dictionary.
struct FixedWord
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString kana;
};

// A stretch of a line: where it starts and how long it is.
struct LinePiece
{
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const LinePiece &) const = default;
};

// A line cut into pieces of at most maxLength characters, for an analyzer
// that cannot take longer ones: each cut goes after punctuation or before a
// blank in the second half of the piece where there is one, else at the
// full length (never between the halves of a surrogate pair), and never
// inside a fixed word. The pieces, in order, make up the line.
QList<LinePiece> linePieces(QStringView line, qsizetype maxLength, const QList<FixedWord> &fixedWords = {});

// MeCab with one dictionary, opened once and reused for every line.
class MorphemeAnalyzer
{
public:
    // Opens the dictionary in that folder; on failure isOpen() is false and
    // error() says why, naming the package to install.
    explicit MorphemeAnalyzer(const QString &dictionaryDir = locateDictionaryDir(QString()));
    ~MorphemeAnalyzer();
    MorphemeAnalyzer(const MorphemeAnalyzer &) = delete;
    MorphemeAnalyzer &operator=(const MorphemeAnalyzer &) = delete;

    bool isOpen() const { return m_lattice != nullptr; }

    // When on, analyze() fills, for each word that holds kanji, its other
    // entries, each with the share MeCab gives it against the word chosen
    // when only that word changes; its probability, one less the share of
    // the likeliest other analysis that passes over it (while that is at
    // least kLeastShareWeighed); and the readings of such analyses that
    // cut it as the best one does. theta scales the dictionary's costs
    // into shares. The words chosen are the same either way.
    void setWeighing(bool on, float theta = 0.003f);
    static constexpr float kLeastShareWeighed = 0.05f;
    // Other entries with less than this share are passed over: no reader
    // would pick them (上手 read うま).
    static constexpr float kLeastEntryShare = 1e-6f;
    KanaProblem error() const { return m_error; }

    // The words of one line (without line end), in order. The fixed words
    // come back whole, each with its userKana set. A line longer than
    // kMaxPieceLength is analysed piece by piece (linePieces()); a piece the
    // dictionary still cannot take comes back as one unknown word, as written.
    QList<Morpheme> analyze(const QString &line, const QList<FixedWord> &fixedWords = {});
    // The same into a list kept by the caller, whose room is used again
    // from line to line.
    void analyzeInto(const QString &line, const QList<FixedWord> &fixedWords, QList<Morpheme> &morphemes);

    // MeCab keeps a word's length in 16 bits and fails on longer ones: a
    // piece of this many characters stays well below that in UTF-8.
    static constexpr qsizetype kMaxPieceLength = 4096;

    // The IPA dictionary in UTF-8 as Debian installs it. Named explicitly:
    // the system default changes with whatever dictionary was installed last.
    static QString defaultDictionaryDir();

    // The dictionary folder to open, the first of: the folder named on the
    // command line, the environment variable MIRABO_MECAB_DICDIR, the
    // setting kana/mecabDictionaryDir, the folder built in, and the usual
    // places of the distributions. A folder named by the user is taken as
    // it is, so that a mistake in it is reported rather than passed over.
    static QString locateDictionaryDir(const QString &commandLineDir = QString());
    static QString settingsKey() { return QStringLiteral("kana/mecabDictionaryDir"); }
    // True when the folder holds a MeCab dictionary built for UTF-8 text.
    static bool isUtf8Dictionary(const QString &dir);

    // A second dictionary to compare readings with, where one is installed:
    // the one named by MIRABO_MECAB_SECOND_DICDIR or the setting
    // kana/secondDictionaryDir, else the NAIST-jdic that Debian's
    // open-jtalk-mecab-naist-jdic installs; empty when there is none.
    static QString locateSecondDictionaryDir();
    static QString secondSettingsKey() { return QStringLiteral("kana/secondDictionaryDir"); }

private:
    // Appends the words of the piece.
    void analyzePiece(const QString &piece, const QList<FixedWord> &fixedWords, QList<Morpheme> &morphemes);
    // The written form and split fields of a node, from the entries met before.
    struct KnownEntries;
    void fillFromNode(Morpheme &m, const mecab_node_t *node);
    void weigh(Morpheme *morphemes, qsizetype count, const QByteArray &sentence,
               const QList<qsizetype> &nodeStarts);

    bool m_weighing = false;
    float m_theta = 0.003f; // the scale from the dictionary's costs to shares
    // A folder of links standing in for a dictionary that came without
    // its dicrc.
    std::unique_ptr<QTemporaryDir> m_standIn;

    MeCab::Model *m_model = nullptr;
    MeCab::Tagger *m_tagger = nullptr;
    MeCab::Lattice *m_lattice = nullptr;
    KanaProblem m_error;
    std::unique_ptr<KnownEntries> m_entries;
    // The piece being analysed, in UTF-8: MeCab's words point into it.
    QByteArray m_sentence;
};
