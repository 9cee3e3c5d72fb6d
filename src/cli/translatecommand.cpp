#include "clicommands.h"

#include "engine/translation.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "platform/textstream.h"
#include "tables/codetableloader.h"
#include "usermessages/usermessages.h"

#include <QByteArray>
#include <QFile>
#include <QStringEncoder>

#include <cerrno>
#include <memory>

namespace {

// The list's entries (mirabo-cli [list]) or the whole braille of every line
// (mirabo-cli braille): the same options.
CommandArguments translateArguments(TranslateOutput form)
{
    const bool wholeBraille = form == TranslateOutput::WholeBraille;
    CommandArguments arguments(
        wholeBraille ? QStringLiteral("braille") : QString(), QStringLiteral("[ファイル|-]"),
        wholeBraille ? QStringLiteral("日本語の文を行ごとに点字に翻訳し、行全体の点字だけを出力します。\n"
                                      "空白のマスは U+2800 で、行末の空白は出力しません。")
                     : QStringLiteral("日本語の文を行ごとに点字に翻訳し、点字翻訳の一覧と同じく、"
                                      "文字の行と点字の行を出力します。"));
    arguments.describeOperand(QStringLiteral("ファイル"),
                              QStringLiteral("翻訳する文（UTF-8、UTF-16 または cp932）。省くか「-」で標準入力"));
    arguments.addOption({QStringLiteral("table")}, QStringLiteral("組み込みの gaiji.txt の代わりに使うコード表"),
                        QStringLiteral("PATH"));
    addEnglishGradeOption(arguments);
    arguments.addNote(QStringLiteral("点字のない文字は標準エラー出力に書き出します（終了コードは 0）。"));
    return arguments;
}

} // namespace

int runTranslateCommand(const QStringList &args, const CliStreams &io, TranslateOutput form)
{
    const bool wholeBraille = form == TranslateOutput::WholeBraille;
    CommandArguments arguments = translateArguments(form);
    if (const auto outcome = arguments.parse(args, io.out, io.err); !outcome.run)
        return outcome.status;
    if (arguments.isSet(QStringLiteral("table")) && arguments.value(QStringLiteral("table")).isEmpty())
        return arguments.usageError(io.err, QStringLiteral("--table にはファイル名が必要です。"));
    const QString tablePath = arguments.value(QStringLiteral("table"));
    const QString inputPath = arguments.inputOperand();
    const std::optional<EnglishGrade> englishGrade = englishGradeOf(arguments);
    if (!englishGrade)
        return arguments.usageError(io.err, QStringLiteral("--english-grade は 1 か 2 です。"));

    const std::optional<CodeTable> table = loadTableForCommand(tablePath, io.err);
    if (!table)
        return kExitFailed;

    // Translated a block at a time, so memory does not grow with the input;
    // a long line comes in parts and its braille is written as it is made.
    LineTranslator translator(*table);
    translator.setEnglishGrade(*englishGrade);
    TranslatedLine line;
    Utf8Output output(io.out);
    QByteArray braille;
    const bool read = wholeBraille
        ? streamInputLineParts(inputPath, io.in, io.err,
                               [&](QStringView part, bool endsLine) {
                                   // Only the row that is written is built, straight in UTF-8.
                                   braille.resize(0);
                                   translator.appendPartBrailleUtf8(part, endsLine, braille);
                                   if (endsLine)
                                       braille += '\n';
                                   output.writeBytes(braille);
                                   return output.ok();
                               })
        : streamInputLines(inputPath, io.in, io.err, [&](QStringView source) {
              translator.translate(source, line);
              if (line.tooLong)
                  output.writeLine(kLongLineWarning);
              output.writeLine(line.text);
              output.writeLine(line.braille);
              return output.ok();
          });
    if (!read) {
        output.flush();
        return kExitFailed;
    }
    if (!output.flush()) {
        reportWriteFailure(io.err, errno);
        return kExitFailed;
    }
    // Told, but not a failure: the braille is there, with blank cells.
    if (!translator.charactersWithoutBraille().isEmpty())
        writeUtf8(io.err, QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::withoutBrailleMessage(translator.charactersWithoutBraille())));
    return kExitDone;
}
