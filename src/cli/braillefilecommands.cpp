// mirabo-cli export: kana text to a braille file laid out in pages.
// mirabo-cli import: a braille file as Unicode braille lines.

#include "braillefiles/braillefiles.h"
#include "braillepages/pagelayout.h"
#include "braillepages/translationlines.h"
#include "clicommands.h"
#include "platform/textcodec.h"

#include <QFileInfo>

namespace {

const char kExportUsage[] =
    "usage: mirabo-cli export --format txt|brf|pef|bes [--cells N] [--lines N]\n"
    "                  [--page-numbers] [--title T] [--table PATH] [-o OUT] [FILE|-]\n";
const char kImportUsage[] = "usage: mirabo-cli import FILE\n";

const char kExportHelp[] =
    "Translates Japanese text into braille, lays it out in pages and writes it as a braille file:\n"
    "Unicode braille text (txt), Braille ASCII (brf), PEF 1.0 (pef) or BES (bes).\n"
    "\n"
    "  --cells N       cells per line, 10..60 (32)\n"
    "  --lines N       lines per page, 10..40 (22)\n"
    "  --page-numbers  the page number on the first line of every page\n"
    "  --title T       the document's title (the input file's name)\n"
    "  --table PATH    the code table to use instead of the installed gaiji.txt\n"
    "  -o OUT          the file to write; txt and brf go to standard output without it\n";

struct ExportOptions
{
    std::optional<BrailleFiles::Format> format;
    PageSettings page;
    QString title;
    bool titleGiven = false;
    QString tablePath;
    QString output;
    QString input = QStringLiteral("-");
    bool help = false;
    QString error;
};

std::optional<BrailleFiles::Format> formatNamed(const QString &name)
{
    return BrailleFiles::formatForPath(QStringLiteral("x.") + name);
}

bool parseBounded(const QString &text, int low, int high, int &value)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < low || number > high)
        return false;
    value = number;
    return true;
}

ExportOptions parseExportArguments(const QStringList &args)
{
    ExportOptions options;
    bool haveInput = false;
    for (qsizetype i = 0; i < args.size() && options.error.isEmpty(); ++i) {
        const QString &arg = args[i];
        auto value = [&]() -> QString {
            if (i + 1 < args.size())
                return args[++i];
            options.error = QStringLiteral("%1 needs a value").arg(arg);
            return QString();
        };
        if (arg == u"--help" || arg == u"-h") {
            options.help = true;
        } else if (arg == u"--format") {
            const QString name = value();
            options.format = formatNamed(name);
            if (!options.format && options.error.isEmpty())
                options.error = QStringLiteral("unknown format %1 (txt, brf, pef or bes)").arg(name);
        } else if (arg == u"--cells") {
            const QString text = value();
            if (options.error.isEmpty() &&
                !parseBounded(text, PageSettings::kMinCells, PageSettings::kMaxCells, options.page.cells))
                options.error = QStringLiteral("--cells must be %1..%2")
                                    .arg(PageSettings::kMinCells)
                                    .arg(PageSettings::kMaxCells);
        } else if (arg == u"--lines") {
            const QString text = value();
            if (options.error.isEmpty() &&
                !parseBounded(text, PageSettings::kMinLines, PageSettings::kMaxLines, options.page.lines))
                options.error = QStringLiteral("--lines must be %1..%2")
                                    .arg(PageSettings::kMinLines)
                                    .arg(PageSettings::kMaxLines);
        } else if (arg == u"--page-numbers") {
            options.page.pageNumbers = true;
        } else if (arg == u"--title") {
            options.title = value();
            options.titleGiven = true;
        } else if (arg == u"--table") {
            options.tablePath = value();
        } else if (arg == u"-o" || arg == u"--output") {
            options.output = value();
        } else if (arg.startsWith(u'-') && arg != u"-") {
            options.error = QStringLiteral("unknown option %1").arg(arg);
        } else if (haveInput) {
            options.error = QStringLiteral("only one input file can be given");
        } else {
            options.input = arg;
            haveInput = true;
        }
    }
    if (options.error.isEmpty() && !options.help && !options.format)
        options.error = QStringLiteral("--format is needed");
    if (options.error.isEmpty() && options.output.isEmpty() &&
        (options.format == BrailleFiles::Format::Pef || options.format == BrailleFiles::Format::Bes))
        options.error = QStringLiteral("pef and bes files need -o OUT");
    if (!options.titleGiven && options.input != u"-")
        options.title = QFileInfo(options.input).completeBaseName();
    return options;
}

bool writeAll(std::FILE *out, const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out) == std::size_t(bytes.size()) &&
           std::fflush(out) == 0;
}

} // namespace

int runExportCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err)
{
    const ExportOptions options = parseExportArguments(args);
    if (options.help) {
        std::fputs(kExportUsage, out);
        std::fputs(kExportHelp, out);
        return 0;
    }
    if (!options.error.isEmpty()) {
        writeUtf8(err, QStringLiteral("mirabo-cli export: %1\n").arg(options.error));
        std::fputs(kExportUsage, err);
        return 1;
    }
    const std::optional<CodeTable> table = loadTableForCommand(options.tablePath, err);
    if (!table)
        return 1;
    QString text;
    if (!readInputText(options.input, in, err, text))
        return 1;

    BraillePages document =
        PageLayout::layout(translateToBrailleLines(*table, text), options.page);
    document.title = options.title;
    document.brailleTitle = translateToBrailleLines(*table, options.title).value(0);

    if (options.output.isEmpty()) {
        if (writeAll(out, BrailleFiles::encode(*options.format, document)))
            return 0;
        writeUtf8(err, QStringLiteral("mirabo-cli: could not write the braille\n"));
        return 1;
    }
    const QString error = BrailleFiles::save(options.output, *options.format, document);
    if (error.isEmpty())
        return 0;
    writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(error));
    return 1;
}

int runImportCommand(const QStringList &args, std::FILE *out, std::FILE *err)
{
    if (args.size() == 1 && (args[0] == u"--help" || args[0] == u"-h")) {
        std::fputs(kImportUsage, out);
        std::fputs("Prints a braille file (txt, brf, pef or bes) as Unicode braille lines,\n"
                   "with a form feed between pages.\n",
                   out);
        return 0;
    }
    if (args.size() != 1 || args[0].startsWith(u'-')) {
        std::fputs(kImportUsage, err);
        return 1;
    }
    const BrailleFiles::ReadResult read = BrailleFiles::open(args[0]);
    // What could be read is printed even when the file is damaged.
    const bool written =
        writeAll(out, BrailleFiles::encode(BrailleFiles::Format::UnicodeText, read.document));
    if (!read.problem.isEmpty()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1: %2\n").arg(args[0], read.problem));
        return 1;
    }
    if (!written) {
        writeUtf8(err, QStringLiteral("mirabo-cli: could not write the braille\n"));
        return 1;
    }
    return 0;
}
