// mirabo-cli emboss: kana text or a braille file sent to an embosser's CUPS
// queue as BRF. mirabo-cli printers: the queues.

#include "braillefiles/braillefiles.h"
#include "braillepages/pagelayout.h"
#include "braillepages/translationlines.h"
#include "clicommands.h"
#include "usermessages/usermessages.h"
#include "embossing/embossing.h"

#include <QFileInfo>

namespace {

const QString kBrfFallback =
    QStringLiteral("点字印刷の代わりに mirabo-cli export --format brf -o ファイル.brf で BRF ファイルを書き出し、"
                   "点字プリンタへ送ることができます。");

bool isBrailleFile(const QString &input)
{
    const std::optional<BrailleFiles::Format> format = BrailleFiles::formatForPath(input);
    return input != u"-" && format && *format != BrailleFiles::Format::UnicodeText;
}

} // namespace

int runEmbossCommand(const QStringList &args, const CliStreams &io)
{
    CommandArguments arguments(QStringLiteral("emboss"), QStringLiteral("[ファイル|-]"),
                               QStringLiteral("日本語の文を点字ページに割り付け、点字プリンタ（CUPS のプリンタ）へ BRF で"
                                              "送ります（点字印刷）。点字ファイル（.brf .pef .bes）はそのページを送ります。"));
    arguments.describeOperand(QStringLiteral("ファイル"),
                              QStringLiteral("翻訳する文（UTF-8、UTF-16 または cp932）か点字ファイル。省くか「-」で"
                                             "標準入力の文"));
    arguments.addOption({QStringLiteral("printer")}, QStringLiteral("送り先のプリンタ（mirabo-cli printers の名前、必須）"),
                        QStringLiteral("QUEUE"));
    arguments.addOption({QStringLiteral("copies")},
                        QStringLiteral("部数 1〜%1（1）").arg(Embossing::kMaxCopies), QStringLiteral("N"));
    arguments.addOption({QStringLiteral("pages")},
                        QStringLiteral("印刷するページ: A-B、A、A-、-B（省くとすべて）"), QStringLiteral("A-B"));
    arguments.addOption({QStringLiteral("two-sided")},
                        QStringLiteral("両面（インターポイント）の点字ページとして用紙の両面に打つ。"
                                       "ページ範囲は用紙単位に広げる"));
    addPageOptions(arguments, QStringLiteral("文の "));
    arguments.addNote(QStringLiteral("印刷サーバー（CUPS）に接続できないときは終了コード 1 で終わります。") + kBrfFallback);
    if (const auto outcome = arguments.parse(args, io.out, io.err); !outcome.run)
        return outcome.status;

    Embossing::Job job;
    job.queue = arguments.value(QStringLiteral("printer"));
    if (job.queue.isEmpty())
        return arguments.usageError(io.err, QStringLiteral("--printer で送り先のプリンタを指定してください。"));
    if (arguments.isSet(QStringLiteral("copies")) &&
        !parseBoundedNumber(arguments.value(QStringLiteral("copies")), 1, Embossing::kMaxCopies, job.copies))
        return arguments.usageError(io.err, QStringLiteral("--copies は 1〜%1 です。").arg(Embossing::kMaxCopies));
    if (arguments.isSet(QStringLiteral("pages"))) {
        const std::optional<PageRange> range = PageRange::parse(arguments.value(QStringLiteral("pages")));
        if (!range)
            return arguments.usageError(io.err, QStringLiteral("--pages は 3-5、3、3-、-5 のように 1 以上で書きます。"));
        job.pages = *range;
    }
    job.twoSided = arguments.isSet(QStringLiteral("two-sided"));
    PageSettings page;
    if (const std::optional<int> usage = readPageOptions(arguments, io.err, page))
        return *usage;

    const QString input = arguments.inputOperand();
    job.title = input == u"-" ? QStringLiteral("Mirabo") : QFileInfo(input).fileName();
    if (isBrailleFile(input)) {
        const BrailleFiles::ReadResult read = BrailleFiles::open(input, page.lines);
        // A damaged file is not embossed in part: paper and time are dear.
        if (!read.problem.ok()) {
            writeUtf8(io.err,
                      QStringLiteral("mirabo-cli: %1: %2\n").arg(input, UserMessages::brailleFileMessage(read.problem)));
            return kExitFailed;
        }
        job.document = read.document;
    } else {
        const std::optional<CodeTable> table = loadTableForCommand(QString(), io.err);
        if (!table)
            return kExitFailed;
        QString text;
        if (!readInputText(input, io.in, io.err, text))
            return kExitFailed;
        FileProblem infoError;
        const DocumentInfo info = input == u"-" ? DocumentInfo() : DocumentInfo::loadBeside(input, &infoError);
        if (!infoError.ok()) {
            writeUtf8(io.err, QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::fileMessage(infoError)));
            return kExitFailed;
        }
        // Every volume, one after the other: the embosser makes the whole book.
        job.document = layOutBook(*table, text, info, page, QFileInfo(input).completeBaseName()).shown();
    }
    // Interpoint pages are embossed on both sides of the sheet.
    job.twoSided = job.twoSided || job.document.duplex;

    const Embossing::Sent sent = Embossing::send(job);
    if (!sent.error.ok()) {
        QString message = QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::embossingMessage(sent.error));
        if (sent.error.failure != Embossing::Failure::NothingToSend)
            message += kBrfFallback + u'\n';
        writeUtf8(io.err, message);
        return kExitFailed;
    }
    writeUtf8(io.err, QStringLiteral("mirabo-cli: %1 にジョブ %2 として送りました。\n").arg(job.queue).arg(sent.jobId));
    return kExitDone;
}

int runPrintersCommand(const QStringList &args, const CliStreams &io)
{
    CommandArguments arguments(QStringLiteral("printers"), QString(),
                               QStringLiteral("点字印刷に使える CUPS のプリンタを 1 行に 1 つ、タブで区切って出力します:\n"
                                              "名前、既定のプリンタなら「既定」、説明、ドライバ、場所。"));
    arguments.setMaxOperands(0);
    if (const auto outcome = arguments.parse(args, io.out, io.err); !outcome.run)
        return outcome.status;
    const Embossing::QueueList list = Embossing::listQueues();
    if (!list.error.ok()) {
        writeUtf8(io.err, QStringLiteral("mirabo-cli: %1\n%2\n").arg(UserMessages::embossingMessage(list.error), kBrfFallback));
        return kExitFailed;
    }
    if (list.queues.isEmpty())
        writeUtf8(io.err, QStringLiteral("mirabo-cli: 印刷サーバー（%1）にプリンタがありません。\n")
                              .arg(Embossing::serverName()));
    QString out;
    for (const Embossing::Queue &queue : list.queues)
        out += QStringList{queue.name, queue.isDefault ? QStringLiteral("既定") : QString(), queue.info,
                           queue.makeAndModel, queue.location}
                   .join(u'\t') +
               u'\n';
    // Output lost on a full disk or a closed pipe is told on the way out.
    writeUtf8(io.out, out);
    return kExitDone;
}
