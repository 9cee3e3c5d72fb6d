#include "clicommands.h"

#include "documentimport/documentimport.h"
#include "kana/kanaconverter.h"
#include "kana/rubyreading.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QFileInfo>

namespace {

const char kUsage[] = "usage: mirabo-cli kana [--dict PATH] [--mecab-dir DIR] [--from FORMAT] [FILE|-]\n";

const char kHelp[] =
    "Converts kanji-mixed Japanese text into braille kana with the blanks between words,\n"
    "as 点訳かな変換 does, and prints it line by line (UTF-8). Words that have no reading\n"
    "are kept as written and listed on standard error.\n"
    "\n"
    "  FILE         the text to convert (UTF-8 or cp932); \"-\" or none reads standard input\n"
    "  --dict PATH  the user dictionary to use instead of the one in your data directory\n"
    "  --mecab-dir DIR\n"
    "               the MeCab dictionary (UTF-8 IPA dictionary) to use; without it the\n"
    "               environment variable MIRABO_MECAB_DICDIR, the setting, then the usual places\n"
    "  --from FORMAT  read FILE as a document: docx, odt, html, xhtml, epub or pdf (by default\n"
    "               from its suffix), or text; ruby readings in it are used for their words\n"
    "  --help       show this help\n";

} // namespace

int runKanaCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err)
{
    QString dictPath = UserDictionary::defaultPath();
    QString input = QStringLiteral("-");
    QString mecabDir;
    bool haveInput = false;
    QString from;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == u"--help" || arg == u"-h") {
            std::fputs(kUsage, out);
            std::fputs(kHelp, out);
            return 0;
        }
        QString error;
        if (arg == u"--dict" && i + 1 < args.size())
            dictPath = args[++i];
        else if (arg.startsWith(u"--dict=") && arg.size() > 7)
            dictPath = arg.mid(7);
        else if (arg == u"--mecab-dir" && i + 1 < args.size() && !args[i + 1].isEmpty())
            mecabDir = args[++i];
        else if (arg.startsWith(u"--mecab-dir=") && arg.size() > 12)
            mecabDir = arg.mid(12);
        else if (arg.startsWith(u"--mecab-dir"))
            error = QStringLiteral("--mecab-dir needs a folder");
        else if (arg == u"--from" && i + 1 < args.size())
            from = args[++i];
        else if (arg.startsWith(u"--from=") && arg.size() > 7)
            from = arg.mid(7);
        else if (arg.startsWith(u'-') && arg != u"-")
            error = arg.startsWith(u"--dict")   ? QStringLiteral("--dict needs a file name")
                    : arg.startsWith(u"--from") ? QStringLiteral("--from needs a format")
                                                : QStringLiteral("unknown option %1").arg(arg);
        else if (haveInput)
            error = QStringLiteral("only one input file can be given");
        else {
            input = arg;
            haveInput = true;
        }
        if (!error.isEmpty()) {
            writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(error));
            std::fputs(kUsage, err);
            return 2;
        }
    }

    const bool fromText = from == u"text" || from == u"txt";
    const DocumentImporter::Format format = fromText           ? DocumentImporter::Format::Unknown
                                            : !from.isEmpty() ? DocumentImporter::formatNamed(from)
                                                              : DocumentImporter::formatOfFile(input);
    if (!from.isEmpty() && !fromText && format == DocumentImporter::Format::Unknown) {
        writeUtf8(err, QStringLiteral("mirabo-cli: unknown format %1 (one of text, %2)\n")
                           .arg(from, DocumentImporter::formatNames().join(QStringLiteral(", "))));
        std::fputs(kUsage, err);
        return 2;
    }

    KanaConverter converter(MorphemeAnalyzer::locateDictionaryDir(mecabDir));
    if (!converter.isReady()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(converter.error()));
        return 1;
    }
    // The user's own file may be missing (nothing registered yet); one named
    // on the command line must be there.
    if (dictPath != UserDictionary::defaultPath() && !QFileInfo::exists(dictPath)) {
        writeUtf8(err, QStringLiteral("mirabo-cli: 単語登録のファイル %1 がありません。\n").arg(dictPath));
        return 1;
    }
    const UserDictionaryLoad dictionary = UserDictionary::load(dictPath);
    if (!dictionary.error.isEmpty()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(dictionary.error));
        return 1;
    }
    for (const QString &problem : dictionary.problems)
        writeUtf8(err, QStringLiteral("mirabo-cli: %1: %2\n").arg(dictPath, problem));
    converter.setUserEntries(dictionary.entries);

    QString output;
    QStringList unknownWords;
    if (format != DocumentImporter::Format::Unknown) {
        QByteArray bytes;
        QFile standardInput;
        if (input == u"-" && standardInput.open(in, QIODevice::ReadOnly))
            bytes = standardInput.read(DocumentImporter::kMaxFileBytes + 1);
        const DocumentImport imported = input == u"-" ? DocumentImporter::importBytes(bytes, format)
                                                      : DocumentImporter::importFile(input, format);
        if (!imported.ok) {
            writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(imported.error));
            return 1;
        }
        QList<FixedWord> readings;
        for (const RubyReading &ruby : imported.document.readings)
            readings.append(KanaWords::fixedWordOfRuby(ruby.start, ruby.length, ruby.reading));
        const KanaConversion converted = converter.convertText(imported.document.text, readings);
        output = converted.text + u'\n';
        unknownWords = converted.unknownWords;
    }
    QString text;
    if (format == DocumentImporter::Format::Unknown && !readInputText(input, in, err, text))
        return 1;

    for (const QString &line : splitLines(text)) {
        const KanaConversion converted = converter.convertLine(line);
        output += converted.text + u'\n';
        for (const QString &word : converted.unknownWords) {
            if (!unknownWords.contains(word))
                unknownWords.append(word);
        }
    }
    if (!unknownWords.isEmpty())
        writeUtf8(err, QStringLiteral("mirabo-cli: 読みの分からない語: %1\n").arg(unknownWords.join(u' ')));
    writeUtf8(out, output);
    if (std::fflush(out) != 0) {
        writeUtf8(err, QStringLiteral("mirabo-cli: could not write the converted text\n"));
        return 1;
    }
    return 0;
}
