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

    QString text;
    if (!readInputText(arguments.inputOperand(), io.in, io.err, text))
        return kExitFailed;

    QString output;
    for (const QString &line : backTranslateLines(splitLines(text), script, contractedEnglish))
        output += line + u'\n';
    if (!writeUtf8(io.out, output) || std::fflush(io.out) != 0) {
        reportWriteFailure(io.err, errno);
        return kExitFailed;
    }
    return kExitDone;
}
