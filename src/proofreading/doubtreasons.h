#pragma once

#include "kana/convertedword.h"

#include <QString>

// The reasons a reading is doubted, as the user reads them.
namespace ReadingDoubtText {

// "辞書にない語、読みが複数ある語" …; empty for a trusted word.
QString reasons(ReadingDoubts doubts);

} // namespace ReadingDoubtText
