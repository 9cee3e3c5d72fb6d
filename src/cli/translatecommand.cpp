#include "clicommands.h"

int runTranslateCommand(const QStringList &, std::FILE *, std::FILE *, std::FILE *err)
{
    std::fputs("mirabo-cli: translation is not built yet\n", err);
    return 2;
}
