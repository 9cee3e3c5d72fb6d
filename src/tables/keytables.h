#pragma once

#include "codetable.h"

#include <QString>

#include <array>

// The built-in key tables, refilled from the code table before every
// translation so that they always agree with it. Indices are those of the
// tables' own numbering: digits 0..9, the others from 1.
struct KeyTables
{
    std::array<QString, 10> DigitChars;
    std::array<QString, 10> DigitPatterns;
    std::array<QString, 9> SmallHiragana;
    std::array<QString, 9> SmallKatakana;
    std::array<QString, 27> VoicedHiragana;
    std::array<QString, 27> VoicedKatakana;
    std::array<QString, 27> LowerLetters;
    std::array<QString, 27> UpperLetters;
    std::array<QString, 27> LetterPatterns;
    // Rows 19..171, in step with the code table's syllable rows.
    std::array<QString, CodeRow::Connector + 1> KatakanaKeys;
};

// The code row whose cell string digit d shares.
int digitCodeRow(int d);
// The code row whose cell string letter k (1 = a .. 26 = z) shares.
int letterCodeRow(int k);

// Fills every key table, and sets the key of code row 1 to the full-width
// comma; the caller clears KatakanaSeen (see Module1::BuildTables).
void BuildTables(CodeTable &code, KeyTables &keys);
