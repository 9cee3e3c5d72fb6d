#pragma once

#include <QString>

// Braille written by hand in tests: Unicode braille cells, with '_' for a
// blank cell so that blanks can be seen.
inline QString b(const char16_t *cells)
{
    QString text = QString::fromUtf16(cells);
    text.replace(u'_', QChar(0x2800));
    return text;
}
