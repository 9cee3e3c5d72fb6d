#include "clicommands.h"

#include "tables/codetableloader.h"

namespace {

const char kUsage[] = "usage: mirabo-cli check-table [PATH]\n"
                      "Checks a code table (without PATH, the installed gaiji.txt) and prints every\n"
                      "problem as PATH:LINE: message. Exit status: 0 sound, 1 problems, 2 bad usage.\n";

} // namespace

int runCheckTableCommand(const QStringList &args, std::FILE *out, std::FILE *err)
{
    if (args.size() == 1 && (args.first() == u"--help" || args.first() == u"-h")) {
        std::fputs(kUsage, out);
        return 0;
    }
    if (args.size() > 1 || (args.size() == 1 && args.first().startsWith(u'-'))) {
        std::fputs(kUsage, err);
        return 2;
    }

    const CodeTableLoad load = args.isEmpty() ? loadInstalledCodeTable() : loadCodeTable(args.first());
    if (!load.ok) {
        writeUtf8(err, QStringLiteral("mirabo-cli check-table: %1\n").arg(load.error));
        return 1;
    }
    QString report;
    for (const CodeTableProblem &problem : load.problems) {
        report += problem.line > 0 ? QStringLiteral("%1:%2: %3\n").arg(load.path).arg(problem.line).arg(problem.message)
                                   : QStringLiteral("%1: %2\n").arg(load.path, problem.message);
    }
    if (report.isEmpty())
        report = QStringLiteral("%1: %2組、問題はありません。\n").arg(load.path).arg(load.rows);
    if (!writeUtf8(out, report))
        return 1;
    return load.problems.isEmpty() ? 0 : 1;
}
