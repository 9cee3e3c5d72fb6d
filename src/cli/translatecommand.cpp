#include "clicommands.h"

#include "engine/translation.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "tables/codetableloader.h"

#include <QByteArray>

#include <cerrno>

namespace {

const char kUsage[] = "usage: mirabo-cli [--table PATH] [FILE|-]\n";

const char kHelp[] = "Translates Japanese text into braille, line by line, as the braille translation\n"
                     "command of Mirabo does, and prints for every line its text row and its braille row.\n"
                     "\n"
                     "  FILE          the text to translate (UTF-8, UTF-16 or cp932); \"-\" or none reads\n"
                     "                standard input\n"
                     "  --table PATH  the code table to use instead of the installed gaiji.txt\n"
                     "  --help        show this help\n"
                     "\n"
                     "mirabo-cli check-table [PATH] checks a code table; mirabo-cli lookup PATTERN\n"
                     "tells what a braille sign means.\n";

struct Options
{
    QString tablePath;
    QString input; // "-" for standard input
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

} // namespace

int runTranslateCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err)
{
    const Options options = parseArguments(args);
    if (!options.error.isEmpty()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(options.error));
        std::fputs(kUsage, err);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, out);
        std::fputs(kHelp, out);
        return 0;
    }

    const CodeTableLoad load =
        options.tablePath.isEmpty() ? loadInstalledCodeTable() : loadCodeTable(options.tablePath);
    // A table with problems still translates; the user is told what is wrong.
    for (const CodeTableProblem &problem : load.problems)
        writeUtf8(err, QStringLiteral("mirabo-cli: %1: %2\n").arg(load.path, problem.text()));
    if (!load.ok) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(load.error));
        return 1;
    }

    const TextReadResult read = options.input == u"-" ? readTextStream(in, QStringLiteral("標準入力"))
                                                      : readTextFile(options.input);
    if (!read.ok) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(read.error));
        return 1;
    }
    if (!read.notice.isEmpty())
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(read.notice));

    Module1 m;
    m.codeTable = load.table;
    const QStringList entries = TranslateLines(m, splitLines(read.text));
    QString output;
    for (const QString &entry : entries) {
        output += entry;
        output += u'\n';
    }
    if (!writeUtf8(out, output) || std::fflush(out) != 0) {
        reportWriteFailure(err, errno);
        return 1;
    }
    return 0;
}
