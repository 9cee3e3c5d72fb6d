// Translation with a fuzzed code table and fuzzed text: whatever the table
// holds, every line gives its rows and a second translation the same rows.
#include "fuzzcheck.h"

#include "engine/translation.h"
#include "platform/textcodec.h"
#include "tables/codetableloader.h"

#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string table = provider.ConsumeRandomLengthString();
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const CodeTableLoad load = parseCodeTable(QString::fromUtf8(table.data(), qsizetype(table.size())));
    const QString text = QString::fromUtf8(rest.data(), qsizetype(rest.size()));

    const Translation translation = translateText(load.table, text);
    FUZZ_CHECK(translation.size() == splitLines(text).size());
    FUZZ_CHECK(translateText(load.table, text) == translation);
    return 0;
}
