// Translation with the shipped table: every line gives its rows, a second
// translation gives the same rows, and every character that the program's
// files (cp932) would change is reported as lost before it is.
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

QStringList translate(Module1 &m, const QStringList &lines)
{
    m.codeTable = shippedTable();
    return TranslateLines(m, lines);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = decodeText(fuzzBytes(data, size));
    const QStringList lines = splitLines(text);

    Module1 m;
    const QStringList entries = translate(m, lines);
    FUZZ_CHECK(m.LineCount == lines.size());
    FUZZ_CHECK(entries.size() == 2 * lines.size() + entries.count(kLongLineWarning));
    // What an earlier translation left in the grids does not show in the next.
    FUZZ_CHECK(translate(m, lines) == entries);
    Module1 fresh;
    FUZZ_CHECK(translate(fresh, lines) == entries);

    const QStringList lost = Cp932::unencodableCharacters(text);
    const QSet<QString> lostSet(lost.cbegin(), lost.cend());
    FUZZ_CHECK(lostSet.size() == lost.size());
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
