#include "cupslibrary.h"

#include <QLibrary>

namespace {

struct Loaded
{
    CupsLibrary functions;
    QString problem;
    bool ok = false;
};

Loaded load(QLibrary &library)
{
    Loaded loaded;
    if (!library.load()) {
        loaded.problem = library.errorString();
        return loaded;
    }
#define MIRABO_CUPS_RESOLVE(name)                                                                            \
    loaded.functions.name = reinterpret_cast<decltype(&::name)>(library.resolve(#name));                     \
    if (!loaded.functions.name) {                                                                            \
        loaded.problem = library.errorString();                                                              \
        return loaded;                                                                                       \
    }
    MIRABO_CUPS_FUNCTIONS(MIRABO_CUPS_RESOLVE)
#undef MIRABO_CUPS_RESOLVE
    loaded.ok = true;
    return loaded;
}

const Loaded &loadedOnce()
{
    // Kept open for the rest of the run: the table points into it.
    static QLibrary library(QStringLiteral("cups"), 2);
    static const Loaded loaded = load(library);
    return loaded;
}

} // namespace

const CupsLibrary *loadCupsLibrary(QString *why)
{
    const Loaded &loaded = loadedOnce();
    if (why)
        *why = loaded.problem;
    return loaded.ok ? &loaded.functions : nullptr;
}

const CupsLibrary &cups()
{
    Q_ASSERT(loadedOnce().ok);
    return loadedOnce().functions;
}
