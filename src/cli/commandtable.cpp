#include "commandtable.h"

#include "clicommands.h"
#include "version.h"

#include <cerrno>

namespace {

int runBraille(const QStringList &args, const CliStreams &io)
{
    return runTranslateCommand(args, io, TranslateOutput::WholeBraille);
}

int runList(const QStringList &args, const CliStreams &io)
{
    return runTranslateCommand(args, io, TranslateOutput::ListEntries);
}

constexpr CliCommand kCommands[] = {
    {u"list", u"点字翻訳の一覧と同じ、文字の行と点字の行を出力する（コマンドを省いたとき）", runList},
    {u"braille", u"行ごとに、行全体の点字を出力する", runBraille},
    {u"kana", u"漢字かな混じり文を点訳かなに変換する（点訳かな変換）", runKanaCommand},
    {u"back", u"点字（Unicode）をかなに戻す", runBackCommand},
    {u"export", u"点字ページに割り付けて点字ファイル（txt, brf, pef, bes）に書き出す", runExportCommand},
    {u"import", u"点字ファイルを Unicode 点字の行として出力する", runImportCommand},
    {u"lookup", u"点字の記号の意味を表示する（点字逆翻訳）", runLookupCommand},
    {u"emboss", u"点字ページを点字プリンタ（CUPS）へ BRF で送る（点字印刷）", runEmbossCommand},
    {u"printers", u"点字印刷に使えるプリンタ（CUPS のプリンタ）を一覧する", runPrintersCommand},
    {u"check-table", u"コード表（gaiji.txt）を点検する", runCheckTableCommand},
};

const CliCommand *findCommand(const QString &name)
{
    for (const CliCommand &command : kCommands) {
        if (name == QStringView(command.name))
            return &command;
    }
    return nullptr;
}

QString programHelp()
{
    QString text = QStringLiteral("使い方: mirabo-cli コマンド [オプション] [引数]\n"
                                  "       mirabo-cli [--table PATH] [ファイル|-]   （list と同じ）\n"
                                  "日本語の文を点字に翻訳します。文字コードは UTF-8、UTF-16 または Shift_JIS（cp932）で、\n"
                                  "出力は UTF-8 です。ファイルを省くか「-」のときは標準入力を読みます。\n"
                                  "\nコマンド:\n");
    for (const CliCommand &command : kCommands)
        text += QStringLiteral("  %1%2\n").arg(QString::fromUtf16(command.name).leftJustified(13), QString::fromUtf16(command.summary));
    text += QStringLiteral("\n"
                           "  mirabo-cli コマンド --help   コマンドの説明\n"
                           "  mirabo-cli --version        版数\n"
                           "\n"
                           "終了コード: 0 完了、1 失敗（理由は標準エラー出力に）、2 コマンド行の誤り。\n");
    return text;
}

int dispatch(const QStringList &args, const CliStreams &io)
{
    const QString first = args.value(0);
    if (first == u"--help" || first == u"-h" || (first == u"help" && args.size() == 1)) {
        writeUtf8(io.out, programHelp());
        return kExitDone;
    }
    if (first == u"help") {
        const CliCommand *command = findCommand(args[1]);
        if (!command || args.size() > 2) {
            writeUtf8(io.err, QStringLiteral("mirabo-cli: 「%1」というコマンドはありません。"
                                             "mirabo-cli --help でコマンドの一覧を表示します。\n")
                                  .arg(args.mid(1).join(u' ')));
            return kExitUsage;
        }
        return command->run({QStringLiteral("--help")}, io);
    }
    if (first == u"--version" || first == u"-V") {
        if (args.size() > 1) {
            writeUtf8(io.err, QStringLiteral("mirabo-cli: --version は単独で使います。\n"));
            return kExitUsage;
        }
        writeUtf8(io.out, QStringLiteral("mirabo-cli %1\n").arg(QStringLiteral(MIRABO_VERSION)));
        return kExitDone;
    }
    if (const CliCommand *command = findCommand(first))
        return command->run(args.mid(1), io);
    // Without a command word the text is translated into the list's entries;
    // a file named like a command is given as ./NAME.
    return runList(args, io);
}

} // namespace

std::span<const CliCommand> cliCommands()
{
    return kCommands;
}

int runMiraboCli(const QStringList &args, const CliStreams &io)
{
    const int status = dispatch(args, io);
    // A full disk or a closed pipe loses the output: that must not pass for
    // success. A command that failed has said why already.
    errno = 0;
    const bool written = std::fflush(io.out) == 0 && !std::ferror(io.out);
    if (status == kExitDone && !written) {
        reportWriteFailure(io.err, errno);
        return kExitFailed;
    }
    return status;
}
