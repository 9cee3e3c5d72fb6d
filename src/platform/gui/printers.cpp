#include "printers.h"

#include <QPrinterInfo>

namespace {

std::optional<bool> overridden;

} // namespace

bool Printers::available()
{
    if (overridden)
        return *overridden;
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void Printers::setAvailableOverride(std::optional<bool> available)
{
    overridden = available;
}
