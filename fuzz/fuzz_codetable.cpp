// The code-table loader: any file loads as far as it can, within the table's
// bounds, and every shortfall is reported at a line the file has.
#include "fuzzcheck.h"

#include "platform/textcodec.h"
#include "tables/codetableloader.h"
#include "usermessages/usermessages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = decodeText(fuzzBytes(data, size));
    const CodeTableLoad load = parseCodeTable(text);
    FUZZ_CHECK(load.ok);
    // Rows 1..200 always, and as many more as the file gives, up to the limit.
    FUZZ_CHECK(load.rows >= 0 && load.rows <= CodeTable::kMaxRows);
    FUZZ_CHECK(load.table.lastRow() == qMax(load.rows, CodeTable::kRows));
    FUZZ_CHECK(load.table.CodePatterns.size() == load.table.CodeKeys.size());
    FUZZ_CHECK(load.table.CodeKeys[CodeRow::Comma] == u",");
    for (int row = 1; row <= load.table.lastRow(); ++row) {
        const QString &cells = load.table.CodePatterns[row];
        FUZZ_CHECK(QStringView(cells).toUcs4().size() <= kMaxCells);
        if (row > load.rows)
            FUZZ_CHECK(cells.isEmpty() && (row == CodeRow::Comma || load.table.CodeKeys[row].isEmpty()));
    }

    // A table too short for the translation is never taken in silence.
    if (load.rows < CodeTable::kLookupRows)
        FUZZ_CHECK(!load.problems.isEmpty());
    FUZZ_CHECK(UserMessages::codeTableReport(load).isEmpty() == load.problems.isEmpty());
    const qsizetype lines = countLineEnds(text) + 1;
    for (qsizetype i = 0; i < load.problems.size(); ++i) {
        FUZZ_CHECK(load.problems[i].line >= 0 && load.problems[i].line <= lines);
        FUZZ_CHECK(!UserMessages::codeTableProblemMessage(load.problems[i]).isEmpty());
        FUZZ_CHECK(i == 0 || load.problems[i - 1].line <= load.problems[i].line);
    }

    const CodeTableLoad again = parseCodeTable(text);
    FUZZ_CHECK(again.table.CodeKeys == load.table.CodeKeys);
    FUZZ_CHECK(again.table.CodePatterns == load.table.CodePatterns);
    FUZZ_CHECK(UserMessages::codeTableReport(again) == UserMessages::codeTableReport(load));
    return 0;
}
