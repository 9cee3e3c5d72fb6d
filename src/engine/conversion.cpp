#include "conversion.h"

#include <algorithm>
#include <iterator>

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
    const int last = da.last();
    for (int c = std::max(iti, 0); c <= last; ++c) {
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

namespace {

// The capital sign alone and the double one: the table's prefixes without
// the letter sign they start with.
QStringView withoutLetterSign(const QString &prefix, const QString &letterSign, QStringView fallback)
{
    if (!letterSign.isEmpty() && prefix.startsWith(letterSign) && prefix.size() > letterSign.size())
        return QStringView(prefix).sliced(letterSign.size());
    return fallback;
}

// "　" over each prefix cell.
QStringView blanks(int cells)
{
    static const QString kBlanks = QStringLiteral("　　　　");
    return QStringView(kBlanks).first(cells);
}

} // namespace

LetterSigns::LetterSigns(const CodeColumn &codePatterns)
    : letterSign(codePatterns[CodeRow::LetterPrefix]),
      capital(withoutLetterSign(codePatterns[CodeRow::SingleCapitalPrefix], codePatterns[CodeRow::LetterPrefix],
                                u"\u2820")),
      capitals(withoutLetterSign(codePatterns[CodeRow::CapitalRunPrefix], codePatterns[CodeRow::LetterPrefix],
                                 u"\u2820\u2820"))
{}

LetterConversion::LetterConversion(const SymbolLine &charGrid, StringLine &cellGrid, StringLine &textGrid,
                                   const AnswerTable &answers, const LetterTable &upperLetters,
                                   const LetterTable &lowerLetters, const LetterTable &letterPatterns,
                                   const CodeColumn &codePatterns, const LetterSigns &signs)
    : charGrid_(charGrid), cellGrid_(cellGrid), textGrid_(textGrid), answers_(answers),
      upperLetters_(upperLetters), lowerLetters_(lowerLetters), letterPatterns_(letterPatterns),
      codePatterns_(codePatterns), signs_(signs)
{}

void LetterConversion::convert(int column)
{
    const auto upperAt = [&](int at) { return answers_.answers(charGrid_.at(at)).upperLetter; };
    const auto letterAt = [&](int at) {
        const Answers &a = answers_.answers(charGrid_.at(at));
        return a.upperLetter >= 0 || a.lowerLetter >= 0;
    };
    const Answers &a = answers_.answers(charGrid_.at(column));
    const int upper = a.upperLetter;
    const int lower = a.lowerLetter;
    if (upper < 0 && lower < 0)
        return;
    // The letter sign once per run of letters (a slash or comma between
    // letters does not end it); ⠠ before each capital, ⠠⠠ where every
    // letter to the end of the word is a capital.
    const bool continuesWord = letterAt(column - 1);
    const bool continuesRun =
        continuesWord || (answers_.answers(charGrid_.at(column - 1)).joinsLetters && letterAt(column - 2));
    if (!continuesWord)
        capitalsToEnd_ = false;
    bool capitalWord = false;
    if (upper >= 0 && !capitalsToEnd_) {
        int end = column;
        while (upperAt(end) >= 0)
            ++end;
        capitalWord = capitalsToEnd_ = end - column >= 2 && !letterAt(end);
    }
    // The prefix and the cells it has, each with a "　" over it.
    QStringView prefix;
    int cells = 0;
    if (upper >= 0 && (capitalWord || !capitalsToEnd_)) {
        if (capitalWord)
            prefix = continuesRun ? signs_.capitals : QStringView(codePatterns_[CodeRow::CapitalRunPrefix]);
        else
            prefix = continuesRun ? signs_.capital : QStringView(codePatterns_[CodeRow::SingleCapitalPrefix]);
        cells = (capitalWord ? 2 : 1) + (continuesRun ? 0 : 1);
    } else if (!continuesRun) {
        prefix = signs_.letterSign;
        cells = 1;
    }
    textGrid_.assign(column, blanks(cells));
    textGrid_.append(column, upper >= 0 ? upperLetters_[upper] : lowerLetters_[lower]);
    // The prefix and the letter's cells, written at once.
    const QString &pattern = letterPatterns_[upper >= 0 ? upper : lower];
    char16_t joined[16];
    if (prefix.size() + pattern.size() <= qsizetype(std::size(joined))) {
        qsizetype n = 0;
        for (const QChar c : prefix)
            joined[n++] = c.unicode();
        for (const QChar c : pattern)
            joined[n++] = c.unicode();
        cellGrid_.assign(column, QStringView(joined, n));
    } else {
        cellGrid_.assign(column, prefix);
        cellGrid_.append(column, pattern);
    }
}

void ConvertLetters(const SymbolLine &charGrid, StringLine &cellGrid, StringLine &textGrid,
                    const AnswerTable &answers, const LetterTable &upperLetters,
                    const LetterTable &lowerLetters, const LetterTable &letterPatterns,
                    const CodeColumn &codePatterns)
{
    const LetterSigns signs(codePatterns);
    LetterConversion letters(charGrid, cellGrid, textGrid, answers, upperLetters, lowerLetters, letterPatterns,
                             codePatterns, signs);
    const int last = charGrid.last();
    for (int column = 1; column <= last; ++column)
        letters.convert(column);
}
