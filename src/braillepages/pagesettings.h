#pragma once

#include "braillepages.h"

// How the braille lines of a translation are laid out in pages and in the
// volumes of a book. The settings are kept between runs.
struct PageSettings
{
    static constexpr int kMinCells = 10;
    static constexpr int kMaxCells = 60;
    static constexpr int kMinLines = 10;
    static constexpr int kMaxLines = 40;
    // Braille libraries bind at most 80 sheets: 160 pages of interpoint,
    // title page and colophon included.
    static constexpr int kDefaultVolumePages = 160;
    static constexpr int kMinVolumePages = 10;
    static constexpr int kMaxVolumePages = 9999;

    // The two page forms of braille books: one side of 32 × 22, or both
    // sides (interpoint) of 32 × 18.
    enum class Preset { Single, Interpoint };

    int cells = BraillePages::kDefaultCells;
    int lines = BraillePages::kDefaultLines;
    bool pageNumbers = false;
    bool interpoint = false;
    // A paragraph's first line starts at the third cell.
    bool paragraphIndent = true;
    // A blank line before every heading and after a level-1 heading.
    bool headingBlankLines = true;
    // 目次: a leader of dots 2-5 between a heading and its page, else blanks.
    bool tocDotLeader = true;
    int volumePages = kDefaultVolumePages;

    static PageSettings preset(Preset preset);

    // Values out of range are brought to the nearest allowed value.
    PageSettings bounded() const;

    static PageSettings load();
    void save() const;

    bool operator==(const PageSettings &) const = default;
};
