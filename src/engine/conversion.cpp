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

void tumeru(SymbolLine &da, StringLine &damt, StringLine &dat, int iti)
{
    for (int c = std::max(iti, 0); c <= LineColumns::kShown; ++c) {
        da.set(c, da.at(c + 1));
        damt.assignColumn(c, c + 1);
        dat.assignColumn(c, c + 1);
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

void ConvertLetters(const SymbolLine &charGrid, StringLine &cellGrid, StringLine &textGrid,
                    const AnswerTable &answers, const LetterTable &upperLetters,
                    const LetterTable &lowerLetters, const LetterTable &letterPatterns,
                    const CodeColumn &codePatterns)
{
    const auto upperAt = [&](int column) { return answers.answers(charGrid.at(column)).upperLetter; };
    const auto lowerAt = [&](int column) { return answers.answers(charGrid.at(column)).lowerLetter; };

    // Capitals: a single one, the first of a run, or one inside a run.
    for (int column = 1; column <= LineColumns::kShown; ++column) {
        const int UpperIndex = upperAt(column);
        if (UpperIndex < 0)
            continue;
        const int LeftUpper = upperAt(column - 1);
        const int RightUpper = upperAt(column + 1);
        const QString &letter = upperLetters[UpperIndex];
        if (LeftUpper < 0 && RightUpper < 0) {
            textGrid.assign(column, kFullWidthSpace);
            textGrid.append(column, kFullWidthSpace);
            cellGrid.assign(column, codePatterns[CodeRow::SingleCapitalPrefix]);
        } else if (LeftUpper < 0) {
            textGrid.assign(column, kFullWidthSpace);
            textGrid.append(column, kFullWidthSpace);
            textGrid.append(column, kFullWidthSpace);
            cellGrid.assign(column, codePatterns[CodeRow::CapitalRunPrefix]);
        } else {
            textGrid.assign(column, QStringView());
            cellGrid.assign(column, QStringView());
        }
        textGrid.append(column, letter);
        cellGrid.append(column, letterPatterns[UpperIndex]);
    }

    // Small letters: only one that starts a run gets the prefix, so a small
    // letter after a capital continues the capital's run.
    for (int column = 1; column <= LineColumns::kShown; ++column) {
        const int LowerIndex = lowerAt(column);
        if (LowerIndex < 0)
            continue;
        const int NeighbourLower = lowerAt(column - 1);
        const int NeighbourUpper = upperAt(column - 1);
        const QString &letter = lowerLetters[LowerIndex];
        if (NeighbourLower < 0 && NeighbourUpper < 0) {
            textGrid.assign(column, kFullWidthSpace);
            cellGrid.assign(column, codePatterns[CodeRow::LetterPrefix]);
        } else {
            textGrid.assign(column, QStringView());
            cellGrid.assign(column, QStringView());
        }
        textGrid.append(column, letter);
        cellGrid.append(column, letterPatterns[LowerIndex]);
    }
}
