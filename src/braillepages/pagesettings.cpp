#include "pagesettings.h"

#include "platform/settings.h"

#include <algorithm>

namespace {

const char kCellsKey[] = "braillePages/cells";
const char kLinesKey[] = "braillePages/lines";
const char kPageNumbersKey[] = "braillePages/pageNumbers";
const char kInterpointKey[] = "braillePages/interpoint";
const char kParagraphIndentKey[] = "braillePages/paragraphIndent";
const char kHeadingBlankLinesKey[] = "braillePages/headingBlankLines";
const char kTocDotLeaderKey[] = "braillePages/tocDotLeader";
const char kVolumePagesKey[] = "braillePages/volumePages";

} // namespace

PageSettings PageSettings::preset(Preset preset)
{
    PageSettings result;
    result.cells = 32;
    result.lines = preset == Preset::Interpoint ? 18 : 22;
    result.interpoint = preset == Preset::Interpoint;
    result.pageNumbers = true;
    return result;
}

PageSettings PageSettings::bounded() const
{
    PageSettings result = *this;
    result.cells = std::clamp(cells, kMinCells, kMaxCells);
    result.lines = std::clamp(lines, kMinLines, kMaxLines);
    result.volumePages = std::clamp(volumePages, kMinVolumePages, kMaxVolumePages);
    return result;
}

PageSettings PageSettings::load()
{
    QSettings &settings = Settings::instance();
    PageSettings result;
    result.cells = settings.value(kCellsKey, result.cells).toInt();
    result.lines = settings.value(kLinesKey, result.lines).toInt();
    result.pageNumbers = settings.value(kPageNumbersKey, result.pageNumbers).toBool();
    result.interpoint = settings.value(kInterpointKey, result.interpoint).toBool();
    result.paragraphIndent = settings.value(kParagraphIndentKey, result.paragraphIndent).toBool();
    result.headingBlankLines = settings.value(kHeadingBlankLinesKey, result.headingBlankLines).toBool();
    result.tocDotLeader = settings.value(kTocDotLeaderKey, result.tocDotLeader).toBool();
    result.volumePages = settings.value(kVolumePagesKey, result.volumePages).toInt();
    return result.bounded();
}

void PageSettings::save() const
{
    const PageSettings value = bounded();
    QSettings &settings = Settings::instance();
    settings.setValue(kCellsKey, value.cells);
    settings.setValue(kLinesKey, value.lines);
    settings.setValue(kPageNumbersKey, value.pageNumbers);
    settings.setValue(kInterpointKey, value.interpoint);
    settings.setValue(kParagraphIndentKey, value.paragraphIndent);
    settings.setValue(kHeadingBlankLinesKey, value.headingBlankLines);
    settings.setValue(kTocDotLeaderKey, value.tocDotLeader);
    settings.setValue(kVolumePagesKey, value.volumePages);
}
