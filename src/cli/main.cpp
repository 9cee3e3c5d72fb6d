#include "clicommands.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mirabo"));

    QStringList args = QCoreApplication::arguments().mid(1);
    if (!args.isEmpty() && args.first() == QLatin1String("lookup")) {
        args.removeFirst();
        return runLookupCommand(args, stdout, stderr);
    }
    if (!args.isEmpty() && args.first() == QLatin1String("back")) {
        args.removeFirst();
        return runBackCommand(args, stdin, stdout, stderr);
    }
    return runTranslateCommand(args, stdin, stdout, stderr);
}
