#include "pagesettings.h"

#include "platform/settings.h"

#include <algorithm>

namespace {

const char kCellsKey[] = "braillePages/cells";
const char kLinesKey[] = "braillePages/lines";
const char kPageNumbersKey[] = "braillePages/pageNumbers";

} // namespace

PageSettings PageSettings::bounded() const
{
    PageSettings result = *this;
    result.cells = std::clamp(cells, kMinCells, kMaxCells);
    result.lines = std::clamp(lines, kMinLines, kMaxLines);
    return result;
}

PageSettings PageSettings::load()
{
    QSettings &settings = Settings::instance();
    PageSettings result;
    result.cells = settings.value(kCellsKey, result.cells).toInt();
    result.lines = settings.value(kLinesKey, result.lines).toInt();
    result.pageNumbers = settings.value(kPageNumbersKey, result.pageNumbers).toBool();
    return result.bounded();
}

void PageSettings::save() const
{
    const PageSettings value = bounded();
    QSettings &settings = Settings::instance();
    settings.setValue(kCellsKey, value.cells);
    settings.setValue(kLinesKey, value.lines);
    settings.setValue(kPageNumbersKey, value.pageNumbers);
}
