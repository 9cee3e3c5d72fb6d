#pragma once

#include "cli/commandtable.h"
#include "clirun.h"

#include <QByteArray>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

// The bytes a memory stream collected; closes it.
inline QByteArray takeMemoryStream(std::FILE *stream, char *&buffer, std::size_t &size)
{
    std::fclose(stream);
    QByteArray bytes(buffer, qsizetype(size));
    std::free(buffer);
    buffer = nullptr;
    return bytes;
}

// Runs mirabo-cli's commands in this process, `input` as standard input (a
// memory stream, read as a pipe is: it is no regular file), and `out` as
// standard output when given (a file that refuses writes, say).
inline CliRun runCliInProcess(const QStringList &args, const QByteArray &input = QByteArray(),
                              std::FILE *out = nullptr)
{
    QByteArray inputBytes = input;
    std::FILE *in = fmemopen(inputBytes.data(), std::size_t(inputBytes.size()), "r");
    char *outBuffer = nullptr;
    std::size_t outSize = 0;
    char *errBuffer = nullptr;
    std::size_t errSize = 0;
    std::FILE *collectedOut = out ? nullptr : open_memstream(&outBuffer, &outSize);
    std::FILE *err = open_memstream(&errBuffer, &errSize);
    CliRun result;
    if (!in || !err || (!out && !collectedOut))
        return result;
    result.exitCode = runMiraboCli(args, CliStreams{in, out ? out : collectedOut, err});
    std::fclose(in);
    if (collectedOut)
        result.out = takeMemoryStream(collectedOut, outBuffer, outSize);
    result.err = takeMemoryStream(err, errBuffer, errSize);
    return result;
}
