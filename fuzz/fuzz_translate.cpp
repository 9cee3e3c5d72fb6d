// Translation with the shipped table: every line gives its rows, a second
// translation and a line-by-line one give the same rows, and every character
// that the program's files (cp932) would change is reported as lost before it
// is.
#include "fuzzcheck.h"

#include "engine/translation.h"
#include "platform/textcodec.h"
#include "tables/codetableloader.h"

#include <QSet>
#include <QStringList>

namespace {

const CodeTable &shippedTable()
{
    static const CodeTable table = [] {
        const CodeTableLoad load = loadCodeTable(QStringLiteral(MIRABO_SOURCE_DIR "/data/gaiji.txt"));
        FUZZ_CHECK(load.ok && load.problems.isEmpty());
        return load.table;
    }();
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = decodeText(fuzzBytes(data, size));
    const Translation translation = translateText(shippedTable(), text);
    FUZZ_CHECK(translation.size() == splitLines(text).size());
    FUZZ_CHECK(translateText(shippedTable(), text) == translation);
    // Line by line, as the command line streams a file, the rows are the same.
    LineTranslator translator(shippedTable());
    TranslatedLine line;
    qsizetype index = 0;
    forEachLine(text, [&](QStringView source) {
        translator.translate(source, line);
        FUZZ_CHECK(index < translation.size() && line == translation[index]);
        ++index;
    });

    const QStringList lost = Cp932::unencodableCharacters(text);
    const QSet<QString> lostSet(lost.cbegin(), lost.cend());
    FUZZ_CHECK(lostSet.size() == lost.size());
    bool anyLost = false;
    Cp932::encode(text, &anyLost);
    FUZZ_CHECK(anyLost == !lost.isEmpty());
    // Character by character, a lone surrogate (UTF-16 files may hold one)
    // being a character of its own.
    QSet<QString> checked;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QString character = text.mid(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        if (checked.contains(character))
            continue;
        checked.insert(character);
        if (Cp932::decode(Cp932::encode(character)) != character)
            FUZZ_CHECK(lostSet.contains(character));
    }
    return 0;
}
