#include "cliinput.h"

#include "clicommands.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "tables/codetableloader.h"

#include <QByteArray>

namespace {

QByteArray readAll(std::FILE *in, bool &ok)
{
    QByteArray bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes.append(buffer, qsizetype(n));
    ok = !std::ferror(in);
    return bytes;
}

} // namespace

std::optional<CodeTable> loadTableForCommand(const QString &tablePath, std::FILE *err)
{
    const CodeTableLoad load = tablePath.isEmpty() ? loadInstalledCodeTable() : loadCodeTable(tablePath);
    for (const QString &warning : load.warnings)
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(warning));
    if (!load.ok) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(load.error));
        return std::nullopt;
    }
    return load.table;
}

std::optional<QString> readInputText(const QString &input, std::FILE *in, std::FILE *err)
{
    if (input == u"-") {
        bool ok = false;
        const QByteArray bytes = readAll(in, ok);
        if (!ok) {
            writeUtf8(err, QStringLiteral("mirabo-cli: 標準入力を読み込めません。\n"));
            return std::nullopt;
        }
        return decodeText(bytes);
    }
    const TextReadResult read = readTextFile(input);
    if (!read.ok) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(read.error));
        return std::nullopt;
    }
    return read.text;
}
