#include "cupsconnection.h"

CupsConnection::CupsConnection(int timeoutMs)
{
    int cancel = 0;
    m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, timeoutMs, &cancel);
    // Without a callback, a read or write that waits longer fails instead of
    // waiting on.
    if (m_http)
        httpSetTimeout(m_http, timeoutMs / 1000.0, nullptr, nullptr);
}

CupsConnection::~CupsConnection()
{
    if (m_http)
        httpClose(m_http);
}
