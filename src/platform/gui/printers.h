#pragma once

#include <optional>

// Whether the system offers a printer to print on. Tests answer in the
// system's place, so they can take the path of either answer.
class Printers
{
public:
    // True when at least one printer is installed.
    static bool available();

    // Puts a fixed answer in place of the system's; std::nullopt asks the
    // system again.
    static void setAvailableOverride(std::optional<bool> available);
};
