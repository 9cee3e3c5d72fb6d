// The look-up window's pattern parser: what it accepts is a pattern of 24
// dots, read the same again in either of the two ways a user can type it.
#include "fuzzcheck.h"

#include "lookup/braillemeaningtable.h"
#include "lookup/dotpatterninput.h"

#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    const std::optional<QString> pattern = parseDotPattern(text);
    if (!pattern)
        return 0;
    FUZZ_CHECK(pattern->size() == kDotPatternLength);
    for (const QChar c : *pattern)
        FUZZ_CHECK(c == u'0' || c == u'1');
    FUZZ_CHECK(parseDotPattern(*pattern) == pattern);

    // The same sign typed as braille characters, one per cell, up to the last
    // cell with a dot (at least one cell).
    QString braille;
    int cells = 1;
    for (int c = 0; c < kSignCells; ++c) {
        if (pattern->sliced(c * kDotsPerCell, kDotsPerCell).contains(u'1'))
            cells = c + 1;
    }
    for (int c = 0; c < cells; ++c) {
        int bits = 0;
        for (int d = 0; d < kDotsPerCell; ++d)
            bits |= (*pattern)[c * kDotsPerCell + d] == u'1' ? 1 << d : 0;
        braille += QChar(0x2800 + bits);
    }
    FUZZ_CHECK(parseDotPattern(braille) == pattern);

    if (const BrailleMeaning *meaning = findBrailleMeaning(*pattern))
        FUZZ_CHECK(QLatin1StringView(meaning->pattern) == *pattern);
    return 0;
}
