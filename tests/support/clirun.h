#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// What one run of the command-line program gave; the exit code is -1 when it
// could not start, crashed or ran out of time.
struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the program with the arguments, `input` on its standard input.
inline CliRun runCli(const QString &program, const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcess process;
    process.start(program, args);
    CliRun result;
    if (!process.waitForStarted())
        return result;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
