#pragma once

#include <cups/cups.h>

// One connection to the CUPS server that gives up after a timeout, both
// when connecting and while waiting for an answer, so that a server that is
// missing or stuck never hangs the program.
class CupsConnection
{
public:
    explicit CupsConnection(int timeoutMs);
    ~CupsConnection();
    CupsConnection(const CupsConnection &) = delete;
    CupsConnection &operator=(const CupsConnection &) = delete;

    http_t *http() const { return m_http; }
    bool isOpen() const { return m_http != nullptr; }

private:
    http_t *m_http = nullptr;
};
