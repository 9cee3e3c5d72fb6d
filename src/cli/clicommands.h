#pragma once

#include "tables/codetable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <optional>

// Each command takes its arguments (without the program name and without the
// command word) and returns the process exit status.
// What the translate command prints for each line: the list's entries (the
// warning, the text row and the braille row), or the braille of the whole
// line alone (mirabo-cli braille).
enum class TranslateOutput { ListEntries, WholeBraille };
int runTranslateCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err,
                        TranslateOutput form = TranslateOutput::ListEntries);
int runLookupCommand(const QStringList &args, std::FILE *out, std::FILE *err);
int runKanaCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err);
int runCheckTableCommand(const QStringList &args, std::FILE *out, std::FILE *err);
int runExportCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err);
int runImportCommand(const QStringList &args, std::FILE *out, std::FILE *err);
int runBackCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err);

// Everything the commands print is UTF-8, whatever the locale. False when the
// stream did not take all of it.
inline bool writeUtf8(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream) == std::size_t(bytes.size());
}

// Tells the user that output was lost (a full disk, a closed pipe), with the
// system's reason for the error number given, if any.
inline void reportWriteFailure(std::FILE *err, int error)
{
    const QString reason = error ? QStringLiteral("（%1）").arg(QString::fromLocal8Bit(std::strerror(error))) : QString();
    writeUtf8(err, QStringLiteral("mirabo-cli: 出力を書き込めませんでした%1。\n").arg(reason));
}

// The text of FILE, or of standard input for "-" (UTF-8 or cp932 either
// way). On failure tells why on err and returns false.
bool readInputText(const QString &input, std::FILE *in, std::FILE *err, QString &text);

// The code table at tablePath, or the installed one when it is empty. Its
// problems are told on err; a table that could not be loaded gives nothing.
std::optional<CodeTable> loadTableForCommand(const QString &tablePath, std::FILE *err);
