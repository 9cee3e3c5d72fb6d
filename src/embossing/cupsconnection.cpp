#include "cupsconnection.h"

#include "cupslibrary.h"

namespace {

// libcups would ask for a password on the terminal, where a window has
// nobody to answer: a server that wants one refuses the job instead.
const char *noPassword(const char *, http_t *, const char *, const char *, void *)
{
    return nullptr;
}

} // namespace

CupsConnection::CupsConnection(int timeoutMs)
{
    cups().cupsSetPasswordCB2(noPassword, nullptr);
    int cancel = 0;
    const CupsLibrary &library = cups();
    m_http = library.httpConnect2(library.cupsServer(), library.ippPort(), nullptr, AF_UNSPEC,
                                  library.cupsEncryption(), 1, timeoutMs, &cancel);
    // Without a callback, a read or write that waits longer fails instead of
    // waiting on.
    if (m_http)
        cups().httpSetTimeout(m_http, timeoutMs / 1000.0, nullptr, nullptr);
}

CupsConnection::~CupsConnection()
{
    if (m_http)
        cups().httpClose(m_http);
}
