#include "clicommands.h"

#include "lookup/braillemeaningtable.h"
#include "lookup/dotpatterninput.h"

namespace {

// One label's caption as the window would show it, with its font size.
void writeCaption(std::FILE *out, const QString &caption, int size)
{
    writeUtf8(out, caption + u'\t' + QString::number(size) + u'\n');
}

} // namespace

int runLookupCommand(const QStringList &args, const CliStreams &io)
{
    CommandArguments arguments(QStringLiteral("lookup"), QStringLiteral("点の並び"),
                               QStringLiteral("点字の記号の意味を、点字逆翻訳の画面と同じく表示します。\n"
                                              "見つかった意味を 1 行に 1 つ、文字、タブ、文字の大きさ（ポイント）の順に"
                                              "出力します。表にない記号は終了コード 1 です。"));
    arguments.describeOperand(QStringLiteral("点の並び"),
                              QStringLiteral("0 と 1 の 24 文字（1 マス 6 点、4 マス分）か、"
                                             "点字（U+2800〜U+283F）1〜4 文字"));
    if (const auto outcome = arguments.parse(args, io.out, io.err); !outcome.run)
        return outcome.status;
    if (arguments.operands().size() != 1)
        return arguments.usageError(io.err, QStringLiteral("点の並びを 1 つ指定してください。"));
    const QString written = arguments.operands().first();
    const std::optional<QString> pattern = parseDotPattern(written);
    if (!pattern)
        return arguments.usageError(io.err, QStringLiteral("点の並び「%1」は読めません。0 と 1 を 24 文字か、"
                                                           "点字（U+2800〜U+283F）を 1〜4 文字で書いてください。")
                                                .arg(written));
    std::FILE *const out = io.out;

    const std::optional<BrailleLookUp> meaning = lookUpBrailleSign(*pattern);
    if (!meaning)
        return kExitFailed;
    writeCaption(out, meaning->label1Text, meaning->label1Size);
    if (!meaning->label2Text.isEmpty())
        writeCaption(out, meaning->label2Text, meaning->label2Size);
    if (!meaning->label4Text.isEmpty())
        writeCaption(out, meaning->label4Text, meaning->label4Size);
    return kExitDone;
}
