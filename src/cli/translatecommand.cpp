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

// Collects the UTF-8 of the entries and writes it in large blocks.
class Utf8Output
{
public:
    explicit Utf8Output(std::FILE *out) : out_(out) {}

    void write(QStringView text)
    {
        const qsizetype needed = encoder_.requiredSpace(text.size());
        if (buffer_.size() - used_ < needed) {
            flush();
            buffer_.resize(qMax(buffer_.size(), needed + kBlock));
        }
        used_ = encoder_.appendToBuffer(buffer_.data() + used_, text) - buffer_.data();
    }
    void writeLine(QStringView text)
    {
        write(text);
        write(u"\n");
    }
    // False once something could not be written: the rest is not worth
    // translating.
    bool ok() const { return ok_; }
    // False when something could not be written.
    bool flush()
    {
        ok_ = ok_ && std::fwrite(buffer_.constData(), 1, std::size_t(used_), out_) == std::size_t(used_);
        used_ = 0;
        return ok_ && std::fflush(out_) == 0;
    }

private:
    static constexpr qsizetype kBlock = 1 << 16;
    std::FILE *out_;
    // Each piece is converted on its own, as a whole string would be.
    QStringEncoder encoder_{QStringConverter::Utf8, QStringConverter::Flag::Stateless};
    QByteArray buffer_;
    qsizetype used_ = 0;
    bool ok_ = true;
};

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

    QString error;
    const std::unique_ptr<QFile> input = openInput(inputPath, io.in, error, InputSize::Streamed);
    TextStreamReader reader(*input);
    if (error.isEmpty() && !reader.detectEncoding())
        error = QStringLiteral("「%1」を読み込めません。").arg(inputName(inputPath));
    if (error.isEmpty() && reader.looksBinary())
        error = UserMessages::fileMessage({FileError::NotText, inputName(inputPath), QString()});
    if (!error.isEmpty()) {
        writeUtf8(io.err, QStringLiteral("mirabo-cli: %1\n").arg(error));
        return kExitFailed;
    }

    // Translated a block at a time, so memory does not grow with the input.
    LineTranslator translator(*table);
    translator.setEnglishGrade(*englishGrade);
    TranslatedLine line;
    Utf8Output output(io.out);
    QString piece;
    QString braille;
    while (reader.readPiece(piece) && output.ok()) {
        forEachLine(piece, [&](QStringView source) {
            translator.translate(source, line);
            if (wholeBraille) {
                braille.resize(0);
                translator.appendWholeBraille(braille);
                output.writeLine(braille);
                return;
            }
            if (line.tooLong)
                output.writeLine(kLongLineWarning);
            output.writeLine(line.text);
            output.writeLine(line.braille);
        });
    }
    const QString notice = UserMessages::replacementNotice(
        inputName(inputPath), {reader.replacements().replaced(), reader.replacements().lines()});
    if (!notice.isEmpty())
        writeUtf8(io.err, QStringLiteral("mirabo-cli: %1\n").arg(notice));
    if (reader.hasError()) {
        output.flush();
        writeUtf8(io.err, QStringLiteral("mirabo-cli: 「%1」を読み込めません。\n").arg(inputName(inputPath)));
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
