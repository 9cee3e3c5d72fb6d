#include "clicommands.h"

int runLookupCommand(const QStringList &, std::FILE *, std::FILE *err)
{
    std::fputs("mirabo-cli: lookup is not built yet\n", err);
    return 2;
}
