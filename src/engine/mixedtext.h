#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// Mixed text: what a character means depends on what stands around it (a
// period after a digit or after kana, a slash between numbers), and English
// phrases, addresses and paths are written in their own codes. Before the
// passes run, this pass says, for the few places where it matters, how the
// line's characters are to be read: as another character (．after kana as
// 。), with other blanks (？ that ends a sentence), or as cells of their own
// (an address inside ⠠⠦…⠠⠴), one column for a whole span.

// How a column that brings its own cells takes part in the rules.
namespace MixedFlag {
enum : std::uint16_t {
    NumberLead = 1 << 0,  // the digits after it need no numeral sign (’ of ’９８, a typed ⠼)
    JoinsLetters = 1 << 1, // letters on both sides are one run (ＴＣＰ／ＩＰ)
};
}

// The keys the answer table reads.
namespace MixedKey {
// A column with its own cells, its kinds and flags: U+E000, kinds, flags, cells.
QString fixedCells(QStringView cells, std::uint16_t kinds, std::uint16_t flags = 0);
// A character read with other kinds: the character, U+E001, kinds.
QString withKinds(QStringView character, std::uint16_t kinds);

constexpr char16_t kFixed = 0xE000;
constexpr char16_t kKinds = 0xE001;
} // namespace MixedKey

// One place where the line is read otherwise: `length` characters (UTF-16
// units) from `start` make one column whose symbol is `key`; the text row
// shows `text`, or the characters themselves when it is empty.
struct MixedUnit
{
    qsizetype start = 0;
    qsizetype length = 1;
    QString key;
    QString text;
};

enum class EnglishGrade { Uncontracted = 1, Contracted = 2 };

// Plans the units of a line whose half-width forms are already full-width.
// `units` is overwritten, in order of start; false when the line needs none.
bool planMixedText(QStringView line, EnglishGrade grade, std::vector<MixedUnit> &units);
