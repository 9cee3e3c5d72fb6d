#include "clicommands.h"

#include "backtranslation/backtranslation.h"
#include "engine/mixedtext.h"
#include "platform/textfile.h"

#include <cerrno>

int runBackCommand(const QStringList &args, const CliStreams &io)
{
    CommandArguments arguments(QStringLiteral("back"), QStringLiteral("[ファイル|-]"),
                               QStringLiteral("Unicode の点字をかなに戻します。点字 1 行からかな 1 行です。\n"
                                              "読みのないマスはそのまま出力します。"));
    arguments.describeOperand(QStringLiteral("ファイル"), QStringLiteral("点字の文（UTF-8）。省くか「-」で標準入力"));
    arguments.addOption({QStringLiteral("katakana")}, QStringLiteral("ひらがなの代わりにカタカナで書く"));
    addEnglishGradeOption(arguments);
    if (const auto outcome = arguments.parse(args, io.out, io.err); !outcome.run)
        return outcome.status;
    const std::optional<EnglishGrade> englishGrade = englishGradeOf(arguments);
    if (!englishGrade)
        return arguments.usageError(io.err, QStringLiteral("--english-grade は 1 か 2 です。"));
    const bool contractedEnglish = *englishGrade == EnglishGrade::Contracted;
    const KanaScript script =
        arguments.isSet(QStringLiteral("katakana")) ? KanaScript::Katakana : KanaScript::Hiragana;

    // Read back a line at a time, so memory does not grow with the input;
    // one reader keeps the brackets open from line to line.
    BackTranslator translator(script);
    translator.setContractedEnglish(contractedEnglish);
    Utf8Output output(io.out);
    const bool read = streamInputLines(arguments.inputOperand(), io.in, io.err, [&](QStringView line) {
        output.writeLine(translator.line(line));
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
    return kExitDone;
}
