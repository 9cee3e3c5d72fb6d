#include "cli/commandtable.h"
#include "cli/clicommands.h"
#include "platform/settings.h"

#include <QCoreApplication>

#include <cerrno>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Settings::setApplicationNames();

    const int status = runMiraboCli(QCoreApplication::arguments().mid(1), CliStreams{});
    // Closing reports what the last flush could not (NFS, for one).
    errno = 0;
    if (std::fclose(stdout) != 0 && status == kExitDone) {
        reportWriteFailure(stderr, errno);
        return kExitFailed;
    }
    return status;
}
