#pragma once

#include <optional>

// How the main window places its editor and its braille list when its size
// changes. Sizes are in twips, computed in single precision; a value is left
// empty where the window is too small for it, and the control then keeps
// what it had.
struct ResizeRule
{
    static constexpr float kLeft = 240; // both controls keep their left edge
    static constexpr float kTextTop = 600;

    std::optional<float> listWidth;
    std::optional<float> textWidth;
    std::optional<float> textHeight;
    float textTop = kTextTop;
    std::optional<float> listTop;
    std::optional<float> listHeight;

    // outerWidth and outerHeight: the window's size with its frame, title bar
    // and menu bar.
    static ResizeRule compute(float outerWidth, float outerHeight);
};
