#include "clicommands.h"

#include "kana/kanaconverter.h"
#include "platform/textcodec.h"

#include <QFileInfo>

#include <cerrno>

int runKanaCommand(const QStringList &args, const CliStreams &io)
{
    CommandArguments arguments(QStringLiteral("kana"), QStringLiteral("[ファイル|-]"),
                               QStringLiteral("漢字かな混じり文を、点訳かな変換と同じく分かち書きした点訳かなに変換し、"
                                              "1 行ずつ出力します（UTF-8）。\n読みの分からない語は書かれたまま残し、"
                                              "標準エラー出力に書き出します。"));
    arguments.describeOperand(QStringLiteral("ファイル"),
                              QStringLiteral("変換する文（UTF-8、UTF-16 または cp932）。省くか「-」で標準入力"));
    arguments.addOption({QStringLiteral("dict")}, QStringLiteral("データフォルダーのものの代わりに使う単語登録のファイル"),
                        QStringLiteral("PATH"));
    if (const auto outcome = arguments.parse(args, io.out, io.err); !outcome.run)
        return outcome.status;
    QString dictPath = UserDictionary::defaultPath();
    if (arguments.isSet(QStringLiteral("dict"))) {
        dictPath = arguments.value(QStringLiteral("dict"));
        if (dictPath.isEmpty())
            return arguments.usageError(io.err, QStringLiteral("--dict にはファイル名が必要です。"));
    }
    const QString input = arguments.inputOperand();
    std::FILE *const err = io.err;

    KanaConverter converter;
    if (!converter.isReady()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(converter.error()));
        return kExitFailed;
    }
    // The user's own file may be missing (nothing registered yet); one named
    // on the command line must be there.
    if (dictPath != UserDictionary::defaultPath() && !QFileInfo::exists(dictPath)) {
        writeUtf8(err, QStringLiteral("mirabo-cli: 単語登録のファイル %1 がありません。\n").arg(dictPath));
        return kExitFailed;
    }
    const UserDictionaryLoad dictionary = UserDictionary::load(dictPath);
    if (!dictionary.error.isEmpty()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(dictionary.error));
        return kExitFailed;
    }
    for (const QString &problem : dictionary.problems)
        writeUtf8(err, QStringLiteral("mirabo-cli: %1: %2\n").arg(dictPath, problem));
    converter.setUserEntries(dictionary.entries);

    QString text;
    if (!readInputText(input, io.in, err, text))
        return kExitFailed;

    QString output;
    QStringList unknownWords;
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
    if (!writeUtf8(io.out, output) || std::fflush(io.out) != 0) {
        reportWriteFailure(err, errno);
        return kExitFailed;
    }
    return kExitDone;
}
