#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// A sign of up to four braille cells, six dots each, written as 24 characters
// "0"/"1": character 6 * (c - 1) + d is dot d of cell c.
constexpr int kSignCells = 4;
constexpr int kDotsPerCell = 6;
constexpr int kDotPatternLength = kSignCells * kDotsPerCell;

// Reads a sign as a user types it: either the 24 characters "0"/"1" of a dot
// pattern, or one to four six-dot Unicode braille characters (U+2800 to
// U+283F), one per cell, the cells after the last one left empty. Anything
// else yields nothing.
std::optional<QString> parseDotPattern(QStringView text);
