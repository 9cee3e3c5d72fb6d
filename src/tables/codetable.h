#pragma once

#include <QString>

#include <array>

// The code table: row k pairs a key (one character, or two for a combined
// syllable) with its cell string (one display character per braille cell).
// Rows are numbered 1..200; row 0 is never used.
struct CodeTable
{
    static constexpr int kRows = 200;
    // Rows beyond this are loaded but never consulted by the translation.
    static constexpr int kLookupRows = 171;

    std::array<QString, kRows + 1> CodeKeys;
    std::array<QString, kRows + 1> CodePatterns;
};

// Rows whose role the engine fixes; the code table file must follow them.
namespace CodeRow {
constexpr int Comma = 1;
constexpr int NumberContinuation = 10;
constexpr int FirstSyllable = 19;
constexpr int LastVowel = 27;
constexpr int SingleCapitalPrefix = 28;
constexpr int LetterPrefix = 31;
constexpr int NumeralSign = 68;
constexpr int CapitalRunPrefix = 104;
constexpr int FirstRaRow = 153;
constexpr int LastRaRow = 160;
constexpr int LastSyllable = 170;
constexpr int Connector = 171;
} // namespace CodeRow
