#pragma once

#include "braillepages/booklayout.h"
#include "commandline.h"
#include "platform/textfile.h"
#include "tables/codetable.h"

#include <QByteArray>
#include <QFile>
#include <QStringEncoder>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
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

// The input of every command: FILE, or for "-" standard input. Held whole,
// standard input is read to its end (a pipe gives its bytes over time) and
// kept in a temporary file unless it is a regular file itself, and at most
// maxBytes are taken (kMaxTextFileBytes but in tests); streamed, it is read
// as it comes, once, whatever its size. Only a regular file or standard
// input is taken. On failure error says why (the returned file is then not
// to be read).
std::unique_ptr<QIODevice> openInput(const QString &input, std::FILE *in, QString &error,
                                 InputSize size = InputSize::HeldWhole, qint64 maxBytes = kMaxTextFileBytes);
// Why an input held whole is refused for its size, and that the translation
// to braille has no such limit.
QString heldWholeTooLargeMessage(const QString &name, qint64 maxBytes = kMaxTextFileBytes);

// The text of FILE, or of standard input for "-" (UTF-8, UTF-16 or cp932),
// read through openInput. On failure tells why on err and returns false;
// bytes that are no character are told on err as the translation tells them.
bool readInputText(const QString &input, std::FILE *in, std::FILE *err, QString &text);

// Reads FILE, or standard input for "-", a block at a time and calls line
// with every line in order (as splitLines cuts them), until it returns
// false; memory does not grow with the input. The encoding is decided from
// the first block (TextStreamReader). Tells on err why the input could not
// be read, that it is no text, and which bytes were no character; false
// when it could not be read.
bool streamInputLines(const QString &input, std::FILE *in, std::FILE *err,
                      const std::function<bool(QStringView)> &line);
// The same, but a line longer than TextStreamReader::kLinePartSize comes in
// parts: `part` is called with each and whether it ends its line, so that
// memory does not grow with a line either.
bool streamInputLineParts(const QString &input, std::FILE *in, std::FILE *err,
                          const std::function<bool(QStringView, bool)> &part);

// Collects UTF-8 output and writes it in large blocks.
class Utf8Output
{
public:
    explicit Utf8Output(std::FILE *out) : out_(out) {}

    void write(QStringView text)
    {
        const qsizetype needed = encoder_.requiredSpace(text.size());
        if (buffer_.size() - used_ < needed) {
            flush();
            buffer_.resize(qMax(buffer_.size(), needed + kBlock));
        }
        used_ = encoder_.appendToBuffer(buffer_.data() + used_, text) - buffer_.data();
    }
    void writeLine(QStringView text)
    {
        write(text);
        write(u"\n");
    }
    // Bytes already in UTF-8.
    void writeBytes(QByteArrayView bytes)
    {
        if (buffer_.size() - used_ < bytes.size()) {
            flush();
            // A long line goes out as it is, without a copy as large.
            if (bytes.size() > kBlock) {
                ok_ = ok_ && std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), out_) == std::size_t(bytes.size());
                return;
            }
            buffer_.resize(qMax(buffer_.size(), bytes.size() + kBlock));
        }
        std::copy_n(bytes.data(), bytes.size(), buffer_.data() + used_);
        used_ += bytes.size();
    }
    // False once something could not be written: the rest is not worth
    // working out.
    bool ok() const { return ok_; }
    // False when something could not be written.
    bool flush()
    {
        ok_ = ok_ && std::fwrite(buffer_.constData(), 1, std::size_t(used_), out_) == std::size_t(used_);
        used_ = 0;
        return ok_ && std::fflush(out_) == 0;
    }

private:
    static constexpr qsizetype kBlock = 1 << 16;
    std::FILE *out_;
    // Each piece is converted on its own, as a whole string would be.
    QStringEncoder encoder_{QStringConverter::Utf8, QStringConverter::Flag::Stateless};
    QByteArray buffer_;
    qsizetype used_ = 0;
    bool ok_ = true;
};

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

// A number from low to high written in text, into value; false otherwise.
bool parseBoundedNumber(const QString &text, int low, int high, int &value);
// The options that lay kana text out in pages (export, emboss); `of` says
// in their help what they lay out.
void addPageOptions(CommandArguments &arguments, const QString &of);
// Those options into page; a usage error is told on err and its exit
// status returned.
std::optional<int> readPageOptions(const CommandArguments &arguments, std::FILE *err, PageSettings &page);
