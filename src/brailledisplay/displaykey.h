#pragma once

#include <cstdint>

// A key of the braille display that Mirabo acts on, as BRLTTY reports it in
// command form, so that it means the same on every model.
struct DisplayKey
{
    enum class Kind {
        Other,    // a key Mirabo leaves alone
        PanLeft,  // the previous display-sized part of the line
        PanRight, // the next part
        LineUp,
        LineDown,
        Route,    // a routing key over a cell: value is the cell, from 0
        Dots,     // braille keys pressed together: value is the dot mask, dot 1 = bit 0
        Space,    // the space bar of the braille keyboard alone
    };
    Kind kind = Kind::Other;
    int value = 0;

    bool operator==(const DisplayKey &) const = default;
};

// Reads a BrlAPI key code in command form.
DisplayKey displayKeyFromCode(std::uint64_t code);
