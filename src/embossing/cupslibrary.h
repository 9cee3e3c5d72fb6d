#pragma once

#include <cups/cups.h>

#include <QString>

// libcups, opened at the first embossing or queue listing rather than at
// start-up: most runs never print, and loading it costs some 6 MB. Its
// headers give the types; the functions are reached through this table.
#define MIRABO_CUPS_FUNCTIONS(X)                                                                             \
    X(cupsAddIntegerOption)                                                                                  \
    X(cupsAddOption)                                                                                         \
    X(cupsCancelJob2)                                                                                        \
    X(cupsCreateJob)                                                                                         \
    X(cupsDoRequest)                                                                                         \
    X(cupsEncryption)                                                                                        \
    X(cupsFinishDocument)                                                                                    \
    X(cupsFreeDests)                                                                                         \
    X(cupsFreeOptions)                                                                                       \
    X(cupsGetNamedDest)                                                                                      \
    X(cupsLastError)                                                                                         \
    X(cupsLastErrorString)                                                                                   \
    X(cupsServer)                                                                                            \
    X(cupsSetPasswordCB2)                                                                                    \
    X(cupsStartDocument)                                                                                     \
    X(cupsWriteRequestData)                                                                                  \
    X(httpAssembleURI)                                                                                       \
    X(httpClose)                                                                                             \
    X(httpConnect2)                                                                                          \
    X(httpSetTimeout)                                                                                        \
    X(ippAddString)                                                                                          \
    X(ippAddStrings)                                                                                         \
    X(ippDelete)                                                                                             \
    X(ippFindAttribute)                                                                                      \
    X(ippFirstAttribute)                                                                                     \
    X(ippGetBoolean)                                                                                         \
    X(ippGetName)                                                                                            \
    X(ippGetStatusCode)                                                                                      \
    X(ippGetString)                                                                                          \
    X(ippNewRequest)                                                                                         \
    X(ippNextAttribute)                                                                                      \
    X(ippPort)

struct CupsLibrary
{
#define MIRABO_CUPS_MEMBER(name) decltype(&::name) name = nullptr;
    MIRABO_CUPS_FUNCTIONS(MIRABO_CUPS_MEMBER)
#undef MIRABO_CUPS_MEMBER
};

// The table, loaded once and kept; null when libcups cannot be loaded or
// lacks a function, with the reason in `why`.
const CupsLibrary *loadCupsLibrary(QString *why = nullptr);

// The loaded table, for code that runs only after loadCupsLibrary()
// succeeded.
const CupsLibrary &cups();
