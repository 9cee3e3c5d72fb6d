#include "clicommands.h"

#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "tables/codetableloader.h"

#include <QFile>

bool readInputText(const QString &input, std::FILE *in, std::FILE *err, QString &text)
{
    // Standard input is held to the checks of a file: text, and no more of it
    // than a file may have.
    QFile standardInput;
    if (input == u"-" && !standardInput.open(in, QIODevice::ReadOnly)) {
        writeUtf8(err, QStringLiteral("mirabo-cli: 標準入力を読み込めません。\n"));
        return false;
    }
    const TextReadResult read =
        input == u"-" ? readOpenedTextFile(standardInput, QStringLiteral("標準入力")) : readTextFile(input);
    if (!read.ok) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(read.error));
        return false;
    }
    text = read.text;
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
