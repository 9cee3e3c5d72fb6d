#pragma once

#include <QString>

#include <vector>

// The code table: row k pairs a key (one character, or two for a combined
// syllable) with its cell string (one display character per braille cell).
// Rows are numbered from 1; row 0 is never used. Every table holds rows
// 1..200, empty where the file has none; a file may add rows after them.
struct CodeTable
{
    static constexpr int kRows = 200;
    // The most rows a file may give; the rest is not read.
    static constexpr int kMaxRows = 1000;
    // Rows 1..171 have the fixed roles; the rows after them are extra keys.
    static constexpr int kLookupRows = 171;

    std::vector<QString> CodeKeys = std::vector<QString>(kRows + 1);
    std::vector<QString> CodePatterns = std::vector<QString>(kRows + 1);

    int lastRow() const { return int(CodeKeys.size()) - 1; }
    // Makes room for rows up to `row`; never shrinks below kRows.
    void growTo(int row)
    {
        if (row > lastRow()) {
            CodeKeys.resize(std::size_t(row) + 1);
            CodePatterns.resize(std::size_t(row) + 1);
        }
    }
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
