#pragma once

#include <QString>

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
