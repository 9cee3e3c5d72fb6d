#pragma once

#include "answertable.h"
#include "tables/codetable.h"
#include "tables/grid.h"
#include "tables/keytables.h"
#include "tables/linegrids.h"

#include <QString>

#include <array>

// The small procedures of the translation passes. The look-ups set their
// result to -1 first and overwrite it only on a hit; they read through
// Grid::at, so a column right of the last one simply compares an empty
// string. The passes ask them once per distinct character (AnswerTable) and
// look their answers up for every column.

using DigitTable = decltype(KeyTables::DigitChars);
using LetterTable = decltype(KeyTables::UpperLetters);
using KatakanaTable = decltype(KeyTables::KatakanaKeys);
using CodeColumn = decltype(CodeTable::CodeKeys);

// The digit value (0..9) at column cw of line i.
void susearch(const Grid &da, const DigitTable &msu, int cw, int i, int &dt);

// Closes the gap at column iti of the line being translated: every column
// from iti to the last of all three grids takes what the column to its right
// holds, so the rest of the line moves in and the last column takes "　".
void tumeru(SymbolLine &da, StringLine &damt, StringLine &dat, int iti);

// The letter number (1..26) of the capital or small letter at the column.
void FindUpperLetter(const Grid &charGrid, const LetterTable &upperLetters, int column, int line,
                     int &result);
void FindLowerLetter(const Grid &charGrid, const LetterTable &lowerLetters, int column, int line,
                     int &result);

// The first katakana row (19..171) whose key the cell holds; a hit raises
// katakanaSeen.
void FindKatakana(const Grid &charGrid, const KatakanaTable &katakanaKeys, int column, int line, int &result,
                  bool &katakanaSeen);

// 10 when the cell holds the key of code row 10, the character that continues
// a number.
void IsRow10At(const Grid &charGrid, const CodeColumn &codeKeys, int column, int line, int &result);
// 1 when the cell holds the key of code row 1, the comma.
void IsRow1At(const Grid &charGrid, const CodeColumn &codeKeys, int column, int line, int &result);
// 1 when the cell holds a full-width or a half-width space.
void IsSpaceAt(const Grid &charGrid, int column, int line, int &result);

// The row (19..27 or 153..160) of a syllable that shares a digit's braille,
// by its code-table key or its katakana key; a hit raises connectorNeeded.
// Of the vowel rows the last match counts; of the ラ rows the first.
void FindDigitLikeKana(const Grid &charGrid, const KatakanaTable &katakanaKeys, const CodeColumn &codeKeys,
                       int column, int line, int &result, bool &connectorNeeded);

// Gives the full-width Latin letters of the whole line their braille: the
// letter sign (row 31) before a run of letters, which a slash or comma
// between letters does not end; the capital sign before each capital, and
// the double one where every letter to the end of the word is a capital.
// The first letter of a run takes the prefix rows 28 (⠰⠠) or 104 (⠰⠠⠠);
// later ones the capital signs alone. The text row gets one "　" per prefix
// cell in front of the letter.
void ConvertLetters(const SymbolLine &charGrid, StringLine &cellGrid, StringLine &textGrid,
                    const AnswerTable &answers, const LetterTable &upperLetters,
                    const LetterTable &lowerLetters, const LetterTable &letterPatterns,
                    const CodeColumn &codePatterns);

// The letter sign and the capital signs that follow it inside a run, from
// the code table's prefix rows; the table must outlive them.
struct LetterSigns
{
    explicit LetterSigns(const CodeColumn &codePatterns);
    QStringView letterSign;
    QStringView capital;
    QStringView capitals;
};

// The same a column at a time, for a caller that knows where the letters
// are: convert() is given the columns in ascending order, and every column
// it is not given must hold no letter.
class LetterConversion
{
public:
    LetterConversion(const SymbolLine &charGrid, StringLine &cellGrid, StringLine &textGrid,
                     const AnswerTable &answers, const LetterTable &upperLetters, const LetterTable &lowerLetters,
                     const LetterTable &letterPatterns, const CodeColumn &codePatterns, const LetterSigns &signs);
    // Gives the column its braille when it holds a letter.
    void convert(int column);

private:
    const SymbolLine &charGrid_;
    StringLine &cellGrid_;
    StringLine &textGrid_;
    const AnswerTable &answers_;
    const LetterTable &upperLetters_;
    const LetterTable &lowerLetters_;
    const LetterTable &letterPatterns_;
    const CodeColumn &codePatterns_;
    const LetterSigns &signs_;
    bool capitalsToEnd_ = false; // a ⠠⠠ stands for the rest of the word
};
