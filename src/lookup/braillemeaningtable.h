#pragma once

#include <QString>

#include <optional>

#include <array>

// One braille sign the look-up window can read: its dot pattern and the
// captions, with their font sizes in points, for Label1, Label2 and Label4.
// A caption that an entry does not fill is nullptr with size 0.
struct BrailleMeaning
{
    const char *pattern; // 24 "0"/"1": dot d of cell c at 6 * (c - 1) + d
    const char16_t *label1Text;
    int label1Size;
    const char16_t *label2Text;
    int label2Size;
    const char16_t *label4Text;
    int label4Size;
};

constexpr int kBrailleMeaningCount = 215;
extern const std::array<BrailleMeaning, kBrailleMeaningCount> BrailleMeaningTable;

// The first entry whose pattern equals the given one exactly, or nullptr.
const BrailleMeaning *findBrailleMeaning(QStringView pattern);

// What the look-up shows for a sign: the captions of its entry in the table
// above, with the meanings that table lacks (a prefix's role, the signs the
// standard rules added) in the captions it leaves free, and the numeral
// sign with up to three digits read as a number. nullopt for a sign without
// meaning.
struct BrailleLookUp
{
    QString label1Text;
    int label1Size = 0;
    QString label2Text; // empty with size 0 when not filled
    int label2Size = 0;
    QString label4Text;
    int label4Size = 0;
};
std::optional<BrailleLookUp> lookUpBrailleSign(QStringView pattern);
