// mirabo-cli export: kana text to a braille file laid out in pages.
// mirabo-cli import: a braille file as Unicode braille lines.

#include "braillefiles/braillefiles.h"
#include "braillepages/booklayout.h"
#include "braillepages/pagelayout.h"
#include "braillepages/translationlines.h"
#include "braillepages/volumespool.h"
#include "clicommands.h"
#include "platform/textcodec.h"
#include "usermessages/usermessages.h"

#include <QFileInfo>

#include <cerrno>

namespace {

struct ExportOptions
{
    std::optional<BrailleFiles::Format> format;
    PageSettings page;
    QString title;
    QString infoPath;
    QString tablePath;
    QString output;
    QString input;
};

std::optional<BrailleFiles::Format> formatNamed(const QString &name)
{
    return BrailleFiles::formatForPath(QStringLiteral("x.") + name);
}


bool writeAll(std::FILE *out, const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out) == std::size_t(bytes.size()) &&
           std::fflush(out) == 0;
}

// Where the volumes of an export go as they are made: standard output, one
// after the other, or each volume to its own file named after -o.
class VolumeOutput
{
public:
    VolumeOutput(BrailleFiles::Format format, const QString &output, const CliStreams &io)
        : format_(format), output_(output), io_(io)
    {
    }

    // Volume `number` (from 1) of a book of `volumes`; false when it could
    // not be written, which is told.
    bool write(const BraillePages &volume, int number, int volumes)
    {
        if (output_.isEmpty()) {
            // One after the other, the pages of a text file are divided
            // by form feeds also where a volume ends.
            QByteArray bytes;
            if (format_ == BrailleFiles::Format::UnicodeText) {
                for (const QStringList &page : volume.pages)
                    bytes += text_.page(page);
            } else {
                bytes = BrailleFiles::encode(format_, volume);
            }
            return writeOut(bytes);
        }
        const QString path = BrailleFiles::volumePath(output_, number, volumes);
        const QString error = UserMessages::brailleFileMessage(BrailleFiles::save(path, format_, volume));
        if (error.isEmpty())
            return true;
        writeUtf8(io_.err, QStringLiteral("mirabo-cli: %1\n").arg(error));
        return false;
    }

    // After the last volume; false when it could not be written, which is
    // told.
    bool finish() { return output_.isEmpty() ? writeOut(text_.end()) : true; }

private:
    bool writeOut(const QByteArray &bytes)
    {
        if (writeAll(io_.out, bytes))
            return true;
        reportWriteFailure(io_.err, errno);
        return false;
    }

    BrailleFiles::Format format_;
    QString output_;
    const CliStreams &io_;
    BrailleFiles::UnicodeTextWriter text_;
};

void reportSpoolFailure(std::FILE *err, const VolumeSpool &spool)
{
    writeUtf8(err, QStringLiteral("mirabo-cli: 一時ファイルを使えません。\n%1\n").arg(spool.errorString()));
}

} // namespace

bool parseBoundedNumber(const QString &text, int low, int high, int &value)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < low || number > high)
        return false;
    value = number;
    return true;
}

void addPageOptions(CommandArguments &arguments, const QString &of)
{
    arguments.addOption({QStringLiteral("cells")},
                        of + QStringLiteral("1 行のマス数 %1〜%2（%3）")
                                 .arg(PageSettings::kMinCells)
                                 .arg(PageSettings::kMaxCells)
                                 .arg(PageSettings().cells),
                        QStringLiteral("N"));
    arguments.addOption({QStringLiteral("lines")},
                        of + QStringLiteral("1 ページの行数 %1〜%2（%3）")
                                 .arg(PageSettings::kMinLines)
                                 .arg(PageSettings::kMaxLines)
                                 .arg(PageSettings().lines),
                        QStringLiteral("N"));
    arguments.addOption({QStringLiteral("page-numbers")}, of + QStringLiteral("各ページの 1 行目にページ番号を入れる"));
    arguments.addOption({QStringLiteral("preset")},
                        of + QStringLiteral("点字本のページ: single（片面 32 マス 22 行）、interpoint（両面 32 マス 18 行）。"
                                            "ページ番号を入れる。--cells と --lines で変えられる"),
                        QStringLiteral("PRESET"));
    arguments.addOption({QStringLiteral("no-indent")}, of + QStringLiteral("段落の 1 行目を 3 マス目から始めない"));
}

std::optional<int> readPageOptions(const CommandArguments &arguments, std::FILE *err, PageSettings &page)
{
    if (arguments.isSet(QStringLiteral("preset"))) {
        const QString preset = arguments.value(QStringLiteral("preset"));
        if (preset == u"single")
            page = PageSettings::preset(PageSettings::Preset::Single);
        else if (preset == u"interpoint")
            page = PageSettings::preset(PageSettings::Preset::Interpoint);
        else
            return arguments.usageError(err, QStringLiteral("--preset は single か interpoint です。"));
    }
    page.paragraphIndent = !arguments.isSet(QStringLiteral("no-indent"));
    if (arguments.isSet(QStringLiteral("cells")) &&
        !parseBoundedNumber(arguments.value(QStringLiteral("cells")), PageSettings::kMinCells, PageSettings::kMaxCells,
                            page.cells))
        return arguments.usageError(
            err, QStringLiteral("--cells は %1〜%2 です。").arg(PageSettings::kMinCells).arg(PageSettings::kMaxCells));
    if (arguments.isSet(QStringLiteral("lines")) &&
        !parseBoundedNumber(arguments.value(QStringLiteral("lines")), PageSettings::kMinLines, PageSettings::kMaxLines,
                            page.lines))
        return arguments.usageError(
            err, QStringLiteral("--lines は %1〜%2 です。").arg(PageSettings::kMinLines).arg(PageSettings::kMaxLines));
    page.pageNumbers = page.pageNumbers || arguments.isSet(QStringLiteral("page-numbers"));
    return std::nullopt;
}

BookLayout::Book layOutBook(const CodeTable &table, const QString &text, const DocumentInfo &info,
                            const PageSettings &page, const QString &title)
{
    const BookLayout::Translate translate = firstLineTranslator(table);
    return BookLayout::layout(BookLayout::blocks(text, translateToBrailleLines(table, text), translate), info, page,
                              translate, title);
}

int runExportCommand(const QStringList &args, const CliStreams &io)
{
    CommandArguments arguments(QStringLiteral("export"), QStringLiteral("[ファイル|-]"),
                               QStringLiteral("日本語の文を点字に翻訳し、点字ページに割り付けて点字ファイルに書き出します。\n"
                                              "形式は Unicode 点字のテキスト（txt）、点字 ASCII（brf）、PEF 1.0（pef）、"
                                              "BES（bes）です。"));
    arguments.describeOperand(QStringLiteral("ファイル"),
                              QStringLiteral("翻訳する文（UTF-8、UTF-16 または cp932）。省くか「-」で標準入力"));
    arguments.addOption({QStringLiteral("format")}, QStringLiteral("書き出す形式: txt、brf、pef、bes（必須）"),
                        QStringLiteral("FORMAT"));
    addPageOptions(arguments, QString());
    arguments.addOption(
        {QStringLiteral("volume-pages")},
        QStringLiteral("1 巻のページ数の上限 %1〜%2（%3、標題紙と奥付を含む）。超えると巻を分け、"
                       "-o の名前に巻の番号を付けて 1 巻ずつ書き出す")
            .arg(PageSettings::kMinVolumePages)
            .arg(PageSettings::kMaxVolumePages)
            .arg(PageSettings::kDefaultVolumePages),
        QStringLiteral("N"));
    arguments.addOption({QStringLiteral("info")},
                        QStringLiteral("文書情報のファイル（省くと入力ファイルの横の「名前.bookinfo」）"),
                        QStringLiteral("PATH"));
    arguments.addOption({QStringLiteral("title")}, QStringLiteral("文書の題名（省くと入力ファイルの名前）"),
                        QStringLiteral("T"));
    arguments.addOption({QStringLiteral("table")}, QStringLiteral("組み込みの gaiji.txt の代わりに使うコード表"),
                        QStringLiteral("PATH"));
    arguments.addOption({QStringLiteral("o"), QStringLiteral("output")},
                        QStringLiteral("書き出すファイル。txt と brf は省くと標準出力"), QStringLiteral("OUT"));
    if (const auto outcome = arguments.parse(args, io.out, io.err); !outcome.run)
        return outcome.status;

    ExportOptions options;
    options.input = arguments.inputOperand();
    if (!arguments.isSet(QStringLiteral("format")))
        return arguments.usageError(io.err, QStringLiteral("--format で形式を指定してください。"));
    options.format = formatNamed(arguments.value(QStringLiteral("format")));
    if (!options.format)
        return arguments.usageError(io.err, QStringLiteral("形式「%1」は書き出せません（txt、brf、pef、bes のどれか）。")
                                                .arg(arguments.value(QStringLiteral("format"))));
    if (const std::optional<int> usage = readPageOptions(arguments, io.err, options.page))
        return *usage;
    if (arguments.isSet(QStringLiteral("volume-pages")) &&
        !parseBoundedNumber(arguments.value(QStringLiteral("volume-pages")), PageSettings::kMinVolumePages,
                            PageSettings::kMaxVolumePages, options.page.volumePages))
        return arguments.usageError(io.err, QStringLiteral("--volume-pages は %1〜%2 です。")
                                                .arg(PageSettings::kMinVolumePages)
                                                .arg(PageSettings::kMaxVolumePages));
    options.infoPath = arguments.value(QStringLiteral("info"));
    options.tablePath = arguments.value(QStringLiteral("table"));
    options.output = arguments.value(QStringLiteral("output"));
    if (arguments.isSet(QStringLiteral("output")) && options.output.isEmpty())
        return arguments.usageError(io.err, QStringLiteral("-o にはファイル名が必要です。"));
    if (options.output.isEmpty() &&
        (options.format == BrailleFiles::Format::Pef || options.format == BrailleFiles::Format::Bes))
        return arguments.usageError(io.err, QStringLiteral("pef と bes は -o でファイルを指定してください。"));
    if (arguments.isSet(QStringLiteral("title")))
        options.title = arguments.value(QStringLiteral("title"));
    else if (options.input != u"-")
        options.title = QFileInfo(options.input).completeBaseName();
    std::FILE *const err = io.err;

    const std::optional<CodeTable> table = loadTableForCommand(options.tablePath, err);
    if (!table)
        return kExitFailed;

    DocumentInfo info;
    FileProblem infoError;
    if (!options.infoPath.isEmpty()) {
        const FileBytes read = readUserFile(options.infoPath, 64 * 1024);
        if (!read.ok) {
            writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::fileMessage(read.error)));
            return kExitFailed;
        }
        info = DocumentInfo::fromBytes(read.bytes);
    } else if (options.input != u"-") {
        info = DocumentInfo::loadBeside(options.input, &infoError);
        if (!infoError.ok()) {
            writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::fileMessage(infoError)));
            return kExitFailed;
        }
    }

    // The text is read as it comes and every volume written as soon as it
    // is laid out. Title pages and colophons name the number of volumes:
    // with them, the volumes wait in a temporary file until the text ends.
    const BookLayout::Translate translate = firstLineTranslator(*table);
    VolumeOutput output(*options.format, options.output, io);
    const bool counted = BookLayout::hasFrontMatter(info);
    VolumeSpool spool;
    if (counted && !spool.open()) {
        reportSpoolFailure(err, spool);
        return kExitFailed;
    }
    auto pagesOf = [&](const BookLayout::VolumeBody &body, int number, int volumes) {
        return BookLayout::volumePages(body, number, volumes, info, options.page, translate, options.title);
    };
    bool ok = true;
    int made = 0;
    BookLayout::VolumeStream volumes(info, options.page, translate, [&](BookLayout::VolumeBody &&body, bool last) {
        if (!ok)
            return;
        if (counted) {
            ok = spool.append(body);
            if (!ok)
                reportSpoolFailure(err, spool);
            return;
        }
        // Without front matter a volume needs to know only whether others follow.
        ++made;
        const int known = made == 1 && last ? 1 : qMax(made, 2);
        ok = output.write(pagesOf(body, made, known), made, known);
    });
    BrailleLineTranslator lines(*table);
    const bool read = streamInputLines(options.input, io.in, err, [&](QStringView line) {
        volumes.add(BookLayout::block(line, lines.translate(line), translate));
        return ok;
    });
    if (!read || !ok)
        return kExitFailed;
    volumes.finish();
    if (!ok)
        return kExitFailed;
    if (counted) {
        if (!spool.rewind()) {
            reportSpoolFailure(err, spool);
            return kExitFailed;
        }
        BookLayout::VolumeBody body;
        for (int number = 1; number <= spool.count(); ++number) {
            if (!spool.next(body)) {
                reportSpoolFailure(err, spool);
                return kExitFailed;
            }
            if (!output.write(pagesOf(body, number, spool.count()), number, spool.count()))
                return kExitFailed;
        }
    }
    return output.finish() ? kExitDone : kExitFailed;
}

int runImportCommand(const QStringList &args, const CliStreams &io)
{
    CommandArguments arguments(QStringLiteral("import"), QStringLiteral("ファイル"),
                               QStringLiteral("点字ファイル（txt、brf、pef、bes）を Unicode 点字の行として出力します。"
                                              "ページの間には改ページ（U+000C）を入れます。"));
    arguments.describeOperand(QStringLiteral("ファイル"), QStringLiteral("読み込む点字ファイル"));
    if (const auto outcome = arguments.parse(args, io.out, io.err); !outcome.run)
        return outcome.status;
    if (arguments.operands().isEmpty() || arguments.operands().first() == u"-")
        return arguments.usageError(io.err, QStringLiteral("点字ファイルを指定してください。"));
    const QString path = arguments.operands().first();
    // Page by page, as the file is read; what could be read is printed even
    // when the file is damaged.
    Utf8Output out(io.out);
    BrailleFiles::UnicodeTextWriter writer;
    const BrailleFiles::ReadProblem problem = BrailleFiles::readPages(path, [&](const QStringList &page) {
        out.writeBytes(writer.page(page));
        return out.ok();
    });
    out.writeBytes(writer.end());
    const bool written = out.flush();
    if (problem) {
        writeUtf8(io.err, QStringLiteral("mirabo-cli: %1: %2\n").arg(path, UserMessages::brailleFileMessage(problem)));
        return kExitFailed;
    }
    if (!written) {
        reportWriteFailure(io.err, errno);
        return kExitFailed;
    }
    return kExitDone;
}
