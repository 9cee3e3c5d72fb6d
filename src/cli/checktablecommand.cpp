#include "clicommands.h"

#include "tables/codetableloader.h"
#include "usermessages/usermessages.h"

int runCheckTableCommand(const QStringList &args, const CliStreams &io)
{
    CommandArguments arguments(QStringLiteral("check-table"), QStringLiteral("[PATH]"),
                               QStringLiteral("コード表（PATH を省くと組み込みの gaiji.txt）を点検し、問題をすべて "
                                              "PATH:行: 内容 の形で出力します。\n"
                                              "問題があれば終了コードは 1 です。"));
    if (const auto outcome = arguments.parse(args, io.out, io.err); !outcome.run)
        return outcome.status;
    const QStringList operands = arguments.operands();
    std::FILE *const out = io.out;

    const CodeTableLoad load = operands.isEmpty() ? loadInstalledCodeTable() : loadCodeTable(operands.first());
    if (!load.ok) {
        writeUtf8(io.err, QStringLiteral("mirabo-cli check-table: %1\n").arg(UserMessages::codeTableError(load)));
        return kExitFailed;
    }
    QString report;
    const QString notice = UserMessages::replacementNotice(load.path, load.replaced);
    if (!notice.isEmpty())
        report += QStringLiteral("%1: %2\n").arg(load.path, notice);
    for (const CodeTableProblem &problem : load.problems) {
        const QString message = UserMessages::codeTableProblemMessage(problem);
        report += problem.line > 0 ? QStringLiteral("%1:%2: %3\n").arg(load.path).arg(problem.line).arg(message)
                                   : QStringLiteral("%1: %2\n").arg(load.path, message);
    }
    if (report.isEmpty())
        report = QStringLiteral("%1: %2組、問題はありません。\n").arg(load.path).arg(load.rows);
    // What the stream could not take is told once, by runMiraboCli's flush.
    writeUtf8(out, report);
    return load.problems.isEmpty() && notice.isEmpty() ? kExitDone : kExitFailed;
}
