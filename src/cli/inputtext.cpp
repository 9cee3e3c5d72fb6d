#include "clicommands.h"

#include "engine/mixedtext.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "platform/textstream.h"
#include "tables/codetableloader.h"
#include "usermessages/usermessages.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <sys/stat.h>

#include <cstring>
#include <limits>

namespace {

// Standard input read as it comes, through the C stream it was given as:
// fread waits for more until the writer closes a pipe, so nothing written
// late is lost, and any stream will do (QFile needs one with a descriptor).
class StandardInputDevice : public QIODevice
{
public:
    explicit StandardInputDevice(std::FILE *in) : in_(in) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const std::size_t n = std::fread(data, 1, std::size_t(maxSize), in_);
        if (n == 0 && std::ferror(in_)) {
            setErrorString(QStringLiteral("標準入力を読み込めません。"));
            return -1;
        }
        return qint64(n);
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    std::FILE *in_;
};

} // namespace

void reportWriteFailure(std::FILE *err, int error)
{
    const QString reason = error ? QStringLiteral("（%1）").arg(QString::fromLocal8Bit(std::strerror(error))) : QString();
    writeUtf8(err, QStringLiteral("mirabo-cli: 出力を書き込めませんでした%1。\n").arg(reason));
}

QString inputName(const QString &input)
{
    return input == u"-" ? QStringLiteral("標準入力") : input;
}

QString heldWholeTooLargeMessage(const QString &name, qint64 maxBytes)
{
    return UserMessages::fileMessage({FileError::TooLarge, name, QString(), maxBytes}) +
           QStringLiteral("\nこのコマンドは全文をメモリーに置くため、この大きさまでに限っています。"
                          "1 行ずつ読む点字への翻訳（mirabo-cli、braille）、逆翻訳（back）、"
                          "点訳かな変換（kana）と点字ファイルへの書き出し（export）には大きさの制限はありません。");
}

std::unique_ptr<QIODevice> openInput(const QString &input, std::FILE *in, QString &error, InputSize size,
                                 qint64 maxBytes)
{
    // A streamed input is read block by block: its size does not matter.
    const qint64 limit = size == InputSize::Streamed ? std::numeric_limits<qint64>::max() : maxBytes;
    if (input != u"-") {
        auto file = std::make_unique<QFile>(input);
        const QFileInfo info(input);
        error = info.isFile() && info.size() > limit ? heldWholeTooLargeMessage(input, maxBytes)
                                                     : UserMessages::fileMessage(refusalOfFile(input, limit));
        if (error.isEmpty() && !file->open(QIODevice::ReadOnly))
            error = QStringLiteral("ファイル「%1」を開けません。\n%2").arg(input, file->errorString());
        return file;
    }
    // Streamed, standard input is read as it comes, once: nothing is kept.
    if (size == InputSize::Streamed)
        return std::make_unique<StandardInputDevice>(in);
    struct stat status{};
    const int descriptor = fileno(in);
    if (descriptor >= 0 && fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        auto file = std::make_unique<QFile>();
        if (status.st_size > limit)
            error = heldWholeTooLargeMessage(inputName(input), maxBytes);
        else if (file->open(in, QIODevice::ReadOnly) && file->seek(0))
            return file;
    }
    auto copy = std::make_unique<QTemporaryFile>();
    if (!error.isEmpty())
        return copy;
    if (!copy->open()) {
        error = QStringLiteral("一時ファイルを作成できません。\n%1").arg(copy->errorString());
        return copy;
    }
    // A pipe hands its bytes over as the writer writes them: fread waits for
    // more until the writer closes it, so nothing written late is lost.
    char buffer[65536];
    std::size_t n;
    qint64 copied = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        copied += qint64(n);
        if (copied > limit) {
            error = heldWholeTooLargeMessage(inputName(input), maxBytes);
            return copy;
        }
        if (copy->write(buffer, qint64(n)) != qint64(n)) {
            error = QStringLiteral("一時ファイルに書き込めません。\n%1").arg(copy->errorString());
            return copy;
        }
    }
    if (std::ferror(in))
        error = QStringLiteral("標準入力を読み込めません。");
    else if (!copy->flush() || !copy->seek(0))
        error = copy->errorString();
    return copy;
}

bool readInputText(const QString &input, std::FILE *in, std::FILE *err, QString &text)
{
    QString error;
    const std::unique_ptr<QIODevice> device = openInput(input, in, error);
    // Held whole, the input is always a file.
    auto *file = qobject_cast<QFile *>(device.get());
    if (error.isEmpty() && !file)
        error = QStringLiteral("「%1」を読み込めません。").arg(inputName(input));
    if (!error.isEmpty()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(error));
        return false;
    }
    const TextReadResult read = readOpenedTextFile(*file, inputName(input));
    if (!read.ok) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::fileMessage(read.error)));
        return false;
    }
    // Told, but not a failure: the rest of the text is good.
    if (const QString notice = UserMessages::replacementNotice(inputName(input), read.replacedBytes());
        !notice.isEmpty())
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(notice));
    text = read.text;
    return true;
}

namespace {

// Hands every piece the reader reads to `piece`, with whether its last line
// goes on in the next one, until it returns false; tells on err what the
// streaming commands tell.
bool streamInputPieces(const QString &input, std::FILE *in, std::FILE *err, bool linesInParts,
                       const std::function<bool(QStringView, bool)> &piece)
{
    const QString name = inputName(input);
    QString error;
    const std::unique_ptr<QIODevice> file = openInput(input, in, error, InputSize::Streamed);
    std::optional<TextStreamReader> reader;
    if (error.isEmpty()) {
        reader.emplace(*file);
        if (linesInParts)
            reader->handLongLinesInParts();
        if (!reader->begin())
            error = QStringLiteral("「%1」を読み込めません。").arg(name);
        else if (reader->looksBinary())
            error = UserMessages::fileMessage({FileError::NotText, name, QString()});
    }
    if (!error.isEmpty()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(error));
        return false;
    }
    QString text;
    while (reader->readPiece(text) && piece(text, reader->lineContinues())) {
    }
    // Told, but not a failure: the rest of the text is good.
    const QString notice =
        UserMessages::replacementNotice(name, {reader->replacements().replaced(), reader->replacements().lines()});
    if (!notice.isEmpty())
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(notice));
    if (reader->hasError()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: 「%1」を読み込めません。\n").arg(name));
        return false;
    }
    return true;
}

} // namespace

bool streamInputLines(const QString &input, std::FILE *in, std::FILE *err,
                      const std::function<bool(QStringView)> &line)
{
    return streamInputPieces(input, in, err, false, [&](QStringView piece, bool) {
        bool going = true;
        forEachLine(piece, [&](QStringView text) { going = going && line(text); });
        return going;
    });
}

bool streamInputLineParts(const QString &input, std::FILE *in, std::FILE *err,
                          const std::function<bool(QStringView, bool)> &part)
{
    return streamInputPieces(input, in, err, true, [&](QStringView piece, bool continues) {
        // A part holds no line end: it is one line's, which goes on.
        if (continues)
            return part(piece, false);
        bool going = true;
        forEachLine(piece, [&](QStringView text) { going = going && part(text, true); });
        return going;
    });
}

std::optional<CodeTable> loadTableForCommand(const QString &tablePath, std::FILE *err)
{
    const CodeTableLoad load = tablePath.isEmpty() ? loadInstalledCodeTable() : loadCodeTable(tablePath);
    // A table with problems still translates; the user is told what is wrong.
    for (const QString &problem : UserMessages::codeTableProblems(load))
        writeUtf8(err, QStringLiteral("mirabo-cli: %1: %2\n").arg(load.path, problem));
    if (!load.ok) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::codeTableError(load)));
        return std::nullopt;
    }
    return load.table;
}

void addEnglishGradeOption(CommandArguments &arguments)
{
    arguments.addOption({QStringLiteral("english-grade")},
                        QStringLiteral("外国語引用符の中の英語を 1 級（1、既定）か 2 級（2、UEB の縮約）で"),
                        QStringLiteral("1|2"));
}

std::optional<EnglishGrade> englishGradeOf(const CommandArguments &arguments)
{
    if (!arguments.isSet(QStringLiteral("english-grade")))
        return EnglishGrade::Uncontracted;
    const QString grade = arguments.value(QStringLiteral("english-grade"));
    if (grade == u"1")
        return EnglishGrade::Uncontracted;
    if (grade == u"2")
        return EnglishGrade::Contracted;
    return std::nullopt;
}
