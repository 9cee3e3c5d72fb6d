#pragma once

#include "braillepages/booklayout.h"
#include "commandline.h"
#include "platform/textfile.h"
#include "tables/codetable.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <optional>

enum class EnglishGrade;

// Each command takes its arguments (without the program name and without the
// command word) and returns its exit status (kExitDone, kExitFailed or
// kExitUsage). The command table (commandtable.h) names them.
// What the translate command prints for each line: the list's entries (the
// warning, the text row and the braille row), or the braille of the whole
// line alone (mirabo-cli braille).
enum class TranslateOutput { ListEntries, WholeBraille };
int runTranslateCommand(const QStringList &args, const CliStreams &io,
                        TranslateOutput form = TranslateOutput::ListEntries);
int runLookupCommand(const QStringList &args, const CliStreams &io);
int runKanaCommand(const QStringList &args, const CliStreams &io);
int runCheckTableCommand(const QStringList &args, const CliStreams &io);
int runExportCommand(const QStringList &args, const CliStreams &io);
int runImportCommand(const QStringList &args, const CliStreams &io);
int runBackCommand(const QStringList &args, const CliStreams &io);
int runEmbossCommand(const QStringList &args, const CliStreams &io);
int runPrintersCommand(const QStringList &args, const CliStreams &io);

// Tells the user that output was lost (a full disk, a closed pipe), with the
// system's reason for the error number given, if any.
void reportWriteFailure(std::FILE *err, int error);

// What stands for the input in messages: its path, or 標準入力 for "-".
QString inputName(const QString &input);

// How much input a command takes: a command that holds the whole text in
// memory takes at most kMaxTextFileBytes; one that translates block by block
// takes any size.
enum class InputSize { HeldWhole, Streamed };

// The input of every command, as a file that can be read twice: FILE, or for
// "-" standard input, read to its end (a pipe gives its bytes over time) and
// kept in a temporary file unless it is a regular file itself. Only a
// regular file or standard input is taken, for HeldWhole of at most maxBytes
// (kMaxTextFileBytes but in tests). On failure error says why (the returned
// file is then not to be read).
std::unique_ptr<QFile> openInput(const QString &input, std::FILE *in, QString &error,
                                 InputSize size = InputSize::HeldWhole, qint64 maxBytes = kMaxTextFileBytes);
// Why an input held whole is refused for its size, and that the translation
// to braille has no such limit.
QString heldWholeTooLargeMessage(const QString &name, qint64 maxBytes = kMaxTextFileBytes);

// The text of FILE, or of standard input for "-" (UTF-8, UTF-16 or cp932),
// read through openInput. On failure tells why on err and returns false;
// bytes that are no character are told on err as the translation tells them.
bool readInputText(const QString &input, std::FILE *in, std::FILE *err, QString &text);

// --english-grade 1|2 of the commands that write or read English braille
// inside 外国語引用符; englishGradeOf() gives nothing for another value.
void addEnglishGradeOption(CommandArguments &arguments);
std::optional<EnglishGrade> englishGradeOf(const CommandArguments &arguments);

// The code table at tablePath, or the installed one when it is empty. Its
// problems are told on err; a table that could not be loaded gives nothing.
std::optional<CodeTable> loadTableForCommand(const QString &tablePath, std::FILE *err);

// Kana text laid out as a braille book, as export and emboss lay it out:
// paragraphs, headings, the front and back matter of `info`, volumes.
BookLayout::Book layOutBook(const CodeTable &table, const QString &text, const DocumentInfo &info,
                            const PageSettings &page, const QString &title);
