#pragma once

#include "standardrules.h"
#include "tables/codetable.h"
#include "tables/extrarows.h"
#include "tables/grid.h"
#include "tables/keytables.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

// The passes that act on a character only where the line holds one they
// act on; a line without any needs no walk through its columns for them.
namespace PassNeed {
enum : quint16 {
    SmallHiragana = 1 << 0,
    VoicedHiragana = 1 << 1,
    Digits = 1 << 2,
    Letters = 1 << 3,
    SmallKatakana = 1 << 4,
    KatakanaRows = 1 << 5,
    VoicedKatakana = 1 << 6,
};
}

// What the look-up procedures and the passes' comparisons say about one
// character or joined syllable: asked once per translation, then looked up
// for every column that holds it.
struct Answers
{
    int digit = -1;       // susearch
    int upperLetter = -1; // FindUpperLetter
    int lowerLetter = -1; // FindLowerLetter
    bool katakana = false;      // FindKatakana raised KatakanaSeen
    bool row10 = false;         // IsRow10At
    bool row1 = false;          // IsRow1At
    bool space = false;         // IsSpaceAt
    bool digitLikeKana = false; // FindDigitLikeKana raised ConnectorNeeded

    // The row whose cell string the code rows give it: the last of rows
    // 1..171 whose key, or from row 19 on whose katakana key, it equals.
    int codeRow = -1;
    // The last row 19..171 whose katakana key it equals.
    int katakanaRow = -1;
    // It is the key of one of the code rows 1..171.
    bool codeKey = false;
    // The extra row (172 on) that has it, by its key or the key's katakana
    // spelling; looked up only where the fixed rows give nothing.
    int extraRow = -1;
    // The same, found by the katakana spelling alone: the katakana passes
    // use it.
    int extraKatakanaRow = -1;
    // What the standard rules need to know of it.
    SignKinds kinds = 0;
    // A Unicode braille character: its own cell.
    bool brailleCell = false;
    // The cells the mixed-text pass gave it (MixedKey::fixedCells).
    bool hasFixedCells = false;
    QString fixedCells;
    // The digits after it need no numeral sign (MixedFlag::NumberLead).
    bool numberLead = false;
    // Letters on both sides of it are one run (MixedFlag::JoinsLetters).
    bool joinsLetters = false;
    // わ or ワ: after a number, the connector may be needed before it.
    bool wa = false;
    // No row, number or letter gives it a cell; a line without such a
    // character needs no look for characters without braille.
    bool mayLackBraille = false;

    // Bit k set: it equals entry k of the table (DigitChars from 0, the small
    // kana from 1); a character may stand in a table more than once.
    quint16 digits = 0;
    quint16 smallHiragana = 0;
    quint16 smallKatakana = 0;
    // How many "　" the voiced-kana passes add to its text.
    quint8 voicedHiraganaPads = 0;
    quint8 voicedKatakanaPads = 0;
    // The passes that act on it (PassNeed).
    quint16 passNeeds = 0;
    // The code rows give it its cells (codeRow), or nothing does: no extra
    // row, no cells of its own.
    bool codeRowOrNothing = true;
};

// Numbers the distinct characters and joined syllables of one translation
// and keeps their answers. Single UTF-16 characters are found in a flat
// table, anything longer by hash.
class AnswerTable
{
public:
    // The tables must outlive the answer table and stay as they are.
    AnswerTable(const CodeTable &code, const KeyTables &keys);

    // The number of a character, or of any string a grid cell holds. A
    // character seen before, the common case, is one look into a flat table.
    int symbol(QStringView text)
    {
        if (text.size() == 1) {
            if (const int found = single_[text[0].unicode()])
                return found - 1;
        }
        return newSymbol(text);
    }
    // The number of the two joined, as when a small kana joins its syllable.
    int joined(int left, int right)
    {
        // Most lines join the same few syllables: a small table in front
        // of the hash.
        PairEntry &entry = recentPairs_[std::size_t((unsigned(left) * 64u + unsigned(right)) % kRecentPairs)];
        if (entry.left != left || entry.right != right)
            entry = PairEntry{left, right, joinedByHash(left, right)};
        return entry.joined;
    }

    const Answers &answers(int symbol) const { return answers_[std::size_t(symbol)]; }
    // The cell string of code row 1..171 (0: none, empty), copied with
    // room to read StringLine::kCopySlack characters past it.
    const char16_t *rowCells(int row) const { return rowCells_.data() + rowStarts_[std::size_t(row)]; }
    int rowLength(int row) const { return rowStarts_[std::size_t(row) + 1] - rowStarts_[std::size_t(row)]; }
    QStringView text(int symbol) const { return texts_[symbol]; }

private:
    int newSymbol(QStringView text);
    int joinedByHash(int left, int right);
    struct PairEntry
    {
        int left = -1;
        int right = -1;
        int joined = 0;
    };
    static constexpr std::size_t kRecentPairs = 1024;
    std::vector<PairEntry> recentPairs_ = std::vector<PairEntry>(kRecentPairs);
    int add(const QString &text);
    Answers ask(const QString &text);

    const CodeTable &code_;
    const KeyTables &keys_;
    const ExtraRows extra_;
    QList<QString> texts_;
    std::vector<Answers> answers_;
    // By UTF-16 code unit, the symbol plus one; 0 until first seen, so that
    // the table comes zeroed rather than filled.
    std::unique_ptr<int[]> single_;
    QHash<QString, int> longer_;
    QHash<quint64, int> pairs_;
    std::vector<char16_t> rowCells_;
    std::vector<int> rowStarts_; // of row k in rowCells_, and where the last ends
    Grid probe_; // the one cell the procedures are asked about
};
