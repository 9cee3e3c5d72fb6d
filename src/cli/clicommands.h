#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>

// Each command takes its arguments (without the program name and without the
// command word) and returns the process exit status.
int runTranslateCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err);
int runLookupCommand(const QStringList &args, std::FILE *out, std::FILE *err);
int runBackCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err);

// Everything the commands print is UTF-8, whatever the locale.
inline void writeUtf8(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}
