#pragma once

#include <QStringView>

#include <cstdint>
#include <vector>

// The rules of standard Japanese braille that look at a column's neighbours
// once the code-table passes are done: the blanks after punctuation and
// around arrows and lines, the blank between two quotations side by side, the hyphen inside a number or a word of letters,
// and the connector between letters and the kana after them. They work on
// what kind of text each column holds, so the engine asks for a character's
// kind once and keeps it with its other answers.

namespace SignKind {
enum : std::uint16_t {
    Space = 1 << 0,          // "　" (every space reaches the passes full-width)
    Punctuation = 1 << 1,    // 。、？！・，． : a blank is never put before one
    OneBlankAfter = 1 << 2,  // 、？！・※
    TwoBlanksAfter = 1 << 3, // 。
    OpeningBracket = 1 << 4,
    ClosingBracket = 1 << 5,
    LineSign = 1 << 6, // arrows, 棒線, 点線: a blank on each side
    Kana = 1 << 7,     // a syllable, plain, voiced, contracted or special
    Letter = 1 << 8,   // Ａ..Ｚ, ａ..ｚ
    Digit = 1 << 9,    // ０..９
    Hyphen = 1 << 10,  // －
    // A line that holds none of these needs no edit.
    Edited = OneBlankAfter | TwoBlanksAfter | LineSign | Letter | Hyphen | ClosingBracket,
};
}
using SignKinds = std::uint16_t;

// The kinds of the text a column holds (one character or a joined syllable).
SignKinds signKinds(QStringView text);

// What the rules add to one column.
struct ColumnEdit
{
    int index = 0; // into the kinds, so column index + 1
    std::uint8_t blanksBefore = 0;
    std::uint8_t blanksAfter = 0;
    bool connectorAfter = false; // letters followed by kana
    bool hyphen = false;         // － between digits or letters: the connector's cell

    bool isEmpty() const { return !blanksBefore && !blanksAfter && !connectorAfter && !hyphen; }
};

// The edits for a line whose columns 1..n have the given kinds (kinds[0] is
// column 1), in column order, one for each column that changes; `edits` is
// overwritten.
void planStandardRules(const std::vector<SignKinds> &kinds, std::vector<ColumnEdit> &edits);
