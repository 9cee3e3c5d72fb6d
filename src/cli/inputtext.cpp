#include "clicommands.h"

#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "tables/codetableloader.h"

bool readInputText(const QString &input, std::FILE *in, std::FILE *err, QString &text)
{
    if (input != u"-") {
        const TextReadResult read = readTextFile(input);
        if (!read.ok) {
            writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(read.error));
            return false;
        }
        text = read.text;
        return true;
    }
    QByteArray bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes.append(buffer, qsizetype(n));
    if (std::ferror(in)) {
        writeUtf8(err, QStringLiteral("mirabo-cli: 標準入力を読み込めません。\n"));
        return false;
    }
    text = decodeText(bytes);
    return true;
}

std::optional<CodeTable> loadTableForCommand(const QString &tablePath, std::FILE *err)
{
    const CodeTableLoad load = tablePath.isEmpty() ? loadInstalledCodeTable() : loadCodeTable(tablePath);
    // A table with problems still translates; the user is told what is wrong.
    for (const CodeTableProblem &problem : load.problems)
        writeUtf8(err, QStringLiteral("mirabo-cli: %1: %2\n").arg(load.path, problem.text()));
    if (!load.ok) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(load.error));
        return std::nullopt;
    }
    return load.table;
}
