#pragma once

#include "braillepages.h"

// How the braille lines of a translation are laid out in pages. The
// settings are kept between runs.
struct PageSettings
{
    static constexpr int kMinCells = 10;
    static constexpr int kMaxCells = 60;
    static constexpr int kMinLines = 10;
    static constexpr int kMaxLines = 40;

    int cells = BraillePages::kDefaultCells;
    int lines = BraillePages::kDefaultLines;
    bool pageNumbers = false;

    // Values out of range are brought to the nearest allowed value.
    PageSettings bounded() const;

    static PageSettings load();
    void save() const;

    bool operator==(const PageSettings &) const = default;
};
