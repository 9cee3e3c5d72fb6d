#include "clicommands.h"

#include "engine/translation.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "platform/textstream.h"
#include "tables/codetableloader.h"

#include <QByteArray>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryFile>

#include <sys/stat.h>

#include <cerrno>
#include <memory>

namespace {

const char kUsage[] = "usage: mirabo-cli [--table PATH] [--english-grade 1|2] [FILE|-]\n";
const char kBrailleUsage[] = "usage: mirabo-cli braille [--table PATH] [--english-grade 1|2] [FILE|-]\n";

const char kHelp[] = "Translates Japanese text into braille, line by line, as the braille translation\n"
                     "command of Mirabo does, and prints for every line its text row and its braille row.\n";
const char kBrailleHelp[] = "Translates Japanese text into braille, line by line, and prints for every line\n"
                            "the braille of the whole line: blank cells as U+2800, none at the end.\n";
const char kOptionsHelp[] = "\n"
                            "  FILE          the text to translate (UTF-8, UTF-16 or cp932); \"-\" or none reads\n"
                            "                standard input\n"
                            "  --table PATH  the code table to use instead of the installed gaiji.txt\n"
                            "  --english-grade 1|2\n"
                            "                English inside 外国語引用符 uncontracted (1, the default) or\n"
                            "                contracted (2, UEB grade 2)\n"
                            "  --help        show this help\n"
                            "\n"
                            "Characters that have no braille are named on standard error.\n"
                            "mirabo-cli check-table [PATH] checks a code table; mirabo-cli lookup PATTERN\n"
                            "tells what a braille sign means.\n";

struct Options
{
    QString tablePath;
    QString input; // "-" for standard input
    EnglishGrade englishGrade = EnglishGrade::Uncontracted;
    bool help = false;
    QString error; // bad usage
};

Options parseArguments(const QStringList &args)
{
    Options options;
    bool optionsEnded = false;
    bool haveInput = false;
    bool tableGiven = false;
    for (qsizetype i = 0; i < args.size() && options.error.isEmpty(); ++i) {
        const QString &arg = args[i];
        if (!optionsEnded && (arg == u"--help" || arg == u"-h")) {
            options.help = true;
        } else if (!optionsEnded && arg == u"--table") {
            tableGiven = true;
            if (i + 1 < args.size())
                options.tablePath = args[++i];
        } else if (!optionsEnded && arg.startsWith(u"--table=")) {
            tableGiven = true;
            options.tablePath = arg.mid(8);
        } else if (!optionsEnded && (arg == u"--english-grade" || arg.startsWith(u"--english-grade="))) {
            const QString grade = arg.contains(u'=') ? arg.section(u'=', 1) : (i + 1 < args.size() ? args[++i] : QString());
            if (grade == u"1")
                options.englishGrade = EnglishGrade::Uncontracted;
            else if (grade == u"2")
                options.englishGrade = EnglishGrade::Contracted;
            else
                options.error = QStringLiteral("--english-grade needs 1 or 2");
        } else if (!optionsEnded && arg == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.startsWith(u'-') && arg != u"-") {
            options.error = QStringLiteral("unknown option %1").arg(arg);
        } else if (haveInput) {
            options.error = QStringLiteral("only one input file can be given");
        } else {
            options.input = arg;
            haveInput = true;
        }
    }
    if (options.error.isEmpty() && tableGiven && options.tablePath.isEmpty())
        options.error = QStringLiteral("--table needs a file name");
    if (!haveInput)
        options.input = QStringLiteral("-");
    return options;
}

// Collects the UTF-8 of the entries and writes it in large blocks.
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
    // False once something could not be written: the rest is not worth
    // translating.
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

QString inputName(const QString &input)
{
    return input == u"-" ? QStringLiteral("標準入力") : input;
}

// The input as a file that can be read twice: standard input that is not a
// file itself is copied into a temporary file first. Only a regular file or
// standard input of at most kMaxTextFileBytes is read.
std::unique_ptr<QFile> openInput(const QString &input, std::FILE *in, QString &error)
{
    if (input != u"-") {
        auto file = std::make_unique<QFile>(input);
        error = refusalOfFile(input);
        if (error.isEmpty() && !file->open(QIODevice::ReadOnly))
            error = QStringLiteral("ファイル「%1」を開けません。\n%2").arg(input, file->errorString());
        return file;
    }
    struct stat status{};
    if (fstat(fileno(in), &status) == 0 && S_ISREG(status.st_mode)) {
        auto file = std::make_unique<QFile>();
        if (status.st_size > kMaxTextFileBytes)
            error = tooLargeMessage(inputName(input));
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
    char buffer[65536];
    std::size_t n;
    qint64 copied = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        copied += qint64(n);
        if (copied > kMaxTextFileBytes) {
            error = tooLargeMessage(inputName(input));
            return copy;
        }
        if (copy->write(buffer, qint64(n)) != qint64(n)) {
            error = QStringLiteral("一時ファイルに書き込めません。\n%1").arg(copy->errorString());
            return copy;
        }
    }
    if (std::ferror(in))
        error = QStringLiteral("標準入力を読み込めません。");
    else if (!copy->seek(0))
        error = copy->errorString();
    return copy;
}

} // namespace

int runTranslateCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err,
                        TranslateOutput form)
{
    const bool wholeBraille = form == TranslateOutput::WholeBraille;
    const Options options = parseArguments(args);
    if (!options.error.isEmpty()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(options.error));
        std::fputs(wholeBraille ? kBrailleUsage : kUsage, err);
        return 2;
    }
    if (options.help) {
        std::fputs(wholeBraille ? kBrailleUsage : kUsage, out);
        std::fputs(wholeBraille ? kBrailleHelp : kHelp, out);
        std::fputs(kOptionsHelp, out);
        return 0;
    }

    const std::optional<CodeTable> table = loadTableForCommand(options.tablePath, err);
    if (!table)
        return 1;

    QString error;
    const std::unique_ptr<QFile> input = openInput(options.input, in, error);
    TextStreamReader reader(*input);
    if (error.isEmpty() && !reader.detectEncoding())
        error = QStringLiteral("「%1」を読み込めません。").arg(inputName(options.input));
    if (error.isEmpty() && reader.looksBinary())
        error = notTextMessage(inputName(options.input));
    if (!error.isEmpty()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(error));
        return 1;
    }

    // Translated a block at a time, so memory does not grow with the input.
    LineTranslator translator(*table);
    translator.setEnglishGrade(options.englishGrade);
    TranslatedLine line;
    Utf8Output output(out);
    QString piece;
    QString braille;
    while (reader.readPiece(piece) && output.ok()) {
        forEachLine(piece, [&](QStringView source) {
            translator.translate(source, line);
            if (wholeBraille) {
                braille.resize(0);
                translator.appendWholeBraille(braille);
                output.writeLine(braille);
                return;
            }
            if (line.tooLong)
                output.writeLine(kLongLineWarning);
            output.writeLine(line.text);
            output.writeLine(line.braille);
        });
    }
    const QString notice = replacementNotice(inputName(options.input), reader.replacements().replaced(),
                                             reader.replacements().lines());
    if (!notice.isEmpty())
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(notice));
    if (reader.hasError()) {
        output.flush();
        writeUtf8(err, QStringLiteral("mirabo-cli: 「%1」を読み込めません。\n").arg(inputName(options.input)));
        return 1;
    }
    if (!output.flush()) {
        reportWriteFailure(err, errno);
        return 1;
    }
    // Told, but not a failure: the braille is there, with blank cells.
    if (!translator.charactersWithoutBraille().isEmpty())
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(withoutBrailleMessage(translator.charactersWithoutBraille())));
    return 0;
}
