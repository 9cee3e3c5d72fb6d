#include "conversion.h"

#include <algorithm>

namespace {

// The first index in first..last whose entry equals the cell, or -1.
template <std::size_t N>
int firstMatch(const std::array<QString, N> &table, int first, int last, const QString &cell)
{
    for (int k = first; k <= last; ++k) {
        if (table[std::size_t(k)] == cell)
            return k;
    }
    return -1;
}

} // namespace

void susearch(const Grid &da, const DigitTable &msu, int cw, int i, int &dt)
{
    dt = -1;
    const int d = firstMatch(msu, 0, 9, da.at(i, cw));
    if (d >= 0)
        dt = d;
}

void tumeru(Grid &da, Grid &damt, Grid &dat, int iti, int i)
{
    const int first = std::max(iti, 0);
    if (!da.contains(i, first) || !damt.contains(i, first) || !dat.contains(i, first))
        return;
    for (int c = first; c <= Grid::kShownColumns; ++c) {
        da.cell(i, c) = da.at(i, c + 1);
        damt.cell(i, c) = damt.at(i, c + 1);
        dat.cell(i, c) = dat.at(i, c + 1);
    }
}

void FindUpperLetter(const Grid &charGrid, const LetterTable &upperLetters, int column, int line, int &result)
{
    result = -1;
    const int k = firstMatch(upperLetters, 1, 26, charGrid.at(line, column));
    if (k >= 0)
        result = k;
}

void FindLowerLetter(const Grid &charGrid, const LetterTable &lowerLetters, int column, int line, int &result)
{
    result = -1;
    const int k = firstMatch(lowerLetters, 1, 26, charGrid.at(line, column));
    if (k >= 0)
        result = k;
}

void FindKatakana(const Grid &charGrid, const KatakanaTable &katakanaKeys, int column, int line, int &result,
                  bool &katakanaSeen)
{
    result = -1;
    const int row =
        firstMatch(katakanaKeys, CodeRow::FirstSyllable, CodeRow::Connector, charGrid.at(line, column));
    if (row >= 0) {
        result = row;
        katakanaSeen = true;
    }
}

void IsRow10At(const Grid &charGrid, const CodeColumn &codeKeys, int column, int line, int &result)
{
    result = -1;
    if (codeKeys[CodeRow::NumberContinuation] == charGrid.at(line, column))
        result = CodeRow::NumberContinuation;
}

void IsRow1At(const Grid &charGrid, const CodeColumn &codeKeys, int column, int line, int &result)
{
    result = -1;
    if (codeKeys[CodeRow::Comma] == charGrid.at(line, column))
        result = CodeRow::Comma;
}

void IsSpaceAt(const Grid &charGrid, int column, int line, int &result)
{
    result = -1;
    const QString &cell = charGrid.at(line, column);
    if (cell == kFullWidthSpace || cell == u" ")
        result = 1;
}

void FindDigitLikeKana(const Grid &charGrid, const KatakanaTable &katakanaKeys, const CodeColumn &codeKeys,
                       int column, int line, int &result, bool &connectorNeeded)
{
    result = -1;
    const QString &cell = charGrid.at(line, column);
    for (int k = CodeRow::FirstSyllable; k <= CodeRow::LastVowel; ++k) {
        if (codeKeys[k] == cell || katakanaKeys[k] == cell) {
            result = k;
            connectorNeeded = true;
        }
    }
    for (int k = CodeRow::FirstRaRow; k <= CodeRow::LastRaRow; ++k) {
        if (codeKeys[k] == cell || katakanaKeys[k] == cell) {
            result = k;
            connectorNeeded = true;
            return;
        }
    }
}

void ConvertLetters(const Grid &charGrid, Grid &cellGrid, Grid &textGrid, const LetterTable &upperLetters,
                    const LetterTable &lowerLetters, const LetterTable &letterPatterns,
                    const CodeColumn &codePatterns, int line)
{
    if (!cellGrid.contains(line, Grid::kShownColumns) || !textGrid.contains(line, Grid::kShownColumns))
        return;

    // Capitals: a single one, the first of a run, or one inside a run.
    for (int column = 1; column <= Grid::kShownColumns; ++column) {
        int UpperIndex = -1;
        FindUpperLetter(charGrid, upperLetters, column, line, UpperIndex);
        if (UpperIndex < 0)
            continue;
        int LeftUpper = -1;
        int RightUpper = -1;
        FindUpperLetter(charGrid, upperLetters, column - 1, line, LeftUpper);
        FindUpperLetter(charGrid, upperLetters, column + 1, line, RightUpper);
        const QString &letter = upperLetters[UpperIndex];
        if (LeftUpper < 0 && RightUpper < 0) {
            textGrid.cell(line, column) = kFullWidthSpace + kFullWidthSpace + letter;
            cellGrid.cell(line, column) =
                codePatterns[CodeRow::SingleCapitalPrefix] + letterPatterns[UpperIndex];
        } else if (LeftUpper < 0) {
            textGrid.cell(line, column) = kFullWidthSpace + kFullWidthSpace + kFullWidthSpace + letter;
            cellGrid.cell(line, column) =
                codePatterns[CodeRow::CapitalRunPrefix] + letterPatterns[UpperIndex];
        } else {
            textGrid.cell(line, column) = letter;
            cellGrid.cell(line, column) = letterPatterns[UpperIndex];
        }
    }

    // Small letters: only one that starts a run gets the prefix, so a small
    // letter after a capital continues the capital's run.
    for (int column = 1; column <= Grid::kShownColumns; ++column) {
        int LowerIndex = -1;
        FindLowerLetter(charGrid, lowerLetters, column, line, LowerIndex);
        if (LowerIndex < 0)
            continue;
        int NeighbourLower = -1;
        int NeighbourUpper = -1;
        FindLowerLetter(charGrid, lowerLetters, column - 1, line, NeighbourLower);
        FindUpperLetter(charGrid, upperLetters, column - 1, line, NeighbourUpper);
        const QString &letter = lowerLetters[LowerIndex];
        if (NeighbourLower < 0 && NeighbourUpper < 0) {
            textGrid.cell(line, column) = kFullWidthSpace + letter;
            cellGrid.cell(line, column) = codePatterns[CodeRow::LetterPrefix] + letterPatterns[LowerIndex];
        } else {
            textGrid.cell(line, column) = letter;
            cellGrid.cell(line, column) = letterPatterns[LowerIndex];
        }
    }
}
