#include "clicommands.h"

#include "backtranslation/backtranslation.h"
#include "platform/textfile.h"

namespace {

const char kUsage[] = "usage: mirabo-cli back [--katakana] [--english-grade 1|2] [FILE|-]\n";

const char kHelp[] = "Reads Unicode braille back into kana, one kana line for each braille line.\n"
                     "Cells with no reading are printed as they are.\n"
                     "\n"
                     "  FILE        the braille text (UTF-8); \"-\" or none reads standard input\n"
                     "  --katakana  write katakana instead of hiragana\n"
                     "  --english-grade 1|2\n"
                     "              read English inside 外国語引用符 as uncontracted (1, the default)\n"
                     "              or as UEB grade 2\n"
                     "  --help      show this help\n";

} // namespace

int runBackCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err)
{
    KanaScript script = KanaScript::Hiragana;
    bool contractedEnglish = false;
    QString input;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!optionsEnded && (arg == u"--help" || arg == u"-h")) {
            std::fputs(kUsage, out);
            std::fputs(kHelp, out);
            return 0;
        }
        if (!optionsEnded && arg == u"--katakana") {
            script = KanaScript::Katakana;
        } else if (!optionsEnded && (arg == u"--english-grade" || arg.startsWith(u"--english-grade="))) {
            const QString grade = arg.contains(u'=') ? arg.section(u'=', 1) : args.value(++i);
            if (grade != u"1" && grade != u"2") {
                writeUtf8(err, QStringLiteral("mirabo-cli back: --english-grade needs 1 or 2\n"));
                std::fputs(kUsage, err);
                return 2;
            }
            contractedEnglish = grade == u"2";
        } else if (!optionsEnded && arg == u"--") {
            optionsEnded = true;
        } else if ((!optionsEnded && arg.startsWith(u'-') && arg != u"-") || !input.isEmpty()) {
            writeUtf8(err, QStringLiteral("mirabo-cli back: %1 is not understood\n").arg(arg));
            std::fputs(kUsage, err);
            return 2;
        } else {
            input = arg;
        }
    }

    QString text;
    if (!readInputText(input.isEmpty() ? QStringLiteral("-") : input, in, err, text))
        return 1;

    QString output;
    for (const QString &line : backTranslateLines(splitLines(text), script, contractedEnglish))
        output += line + u'\n';
    writeUtf8(out, output);
    if (std::fflush(out) != 0) {
        writeUtf8(err, QStringLiteral("mirabo-cli back: could not write the kana\n"));
        return 1;
    }
    return 0;
}
