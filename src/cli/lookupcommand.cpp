#include "clicommands.h"

#include "lookup/braillemeaningtable.h"
#include "lookup/dotpatterninput.h"

namespace {

const char kUsage[] =
    "使い方: mirabo-cli lookup 点の並び\n"
    "  点の並びは 0 と 1 の 24 文字 (1 マス 6 点、4 マス分) か、\n"
    "  点字 (U+2800〜U+283F) 1〜4 文字 (1 文字 1 マス) で書きます。\n"
    "  見つかった意味を 1 行に 1 つ、文字、タブ、文字の大きさ (ポイント) の順に表示します。\n"
    "  終了コード: 0 見つかった、1 表にない、2 点の並びが読めない。\n";

// One label's caption as the window would show it, with its font size.
void writeCaption(std::FILE *out, const QString &caption, int size)
{
    writeUtf8(out, caption + u'\t' + QString::number(size) + u'\n');
}

} // namespace

int runLookupCommand(const QStringList &args, std::FILE *out, std::FILE *err)
{
    if (args.size() == 1 && (args.first() == u"--help" || args.first() == u"-h")) {
        std::fputs(kUsage, out);
        return 0;
    }
    if (args.size() != 1) {
        std::fputs(kUsage, err);
        return 2;
    }

    const std::optional<QString> pattern = parseDotPattern(args.first());
    if (!pattern) {
        writeUtf8(err, QStringLiteral("mirabo-cli lookup: 点の並び「%1」は読めません。0 と 1 を 24 文字か、"
                                      "点字 (U+2800〜U+283F) を 1〜4 文字で書いてください。\n")
                           .arg(args.first()));
        return 2;
    }

    const std::optional<BrailleLookUp> meaning = lookUpBrailleSign(*pattern);
    if (!meaning)
        return 1;
    writeCaption(out, meaning->label1Text, meaning->label1Size);
    if (!meaning->label2Text.isEmpty())
        writeCaption(out, meaning->label2Text, meaning->label2Size);
    if (!meaning->label4Text.isEmpty())
        writeCaption(out, meaning->label4Text, meaning->label4Size);
    return 0;
}
