#include "data/sessionabort.h"

#include "core/platform.h"

#include <mysql.h>

SessionAbort::~SessionAbort()
{
    release();
}

void SessionAbort::watch(st_mysql *mysql)
{
    release();
    if (!mysql)
        return;
    // my_socket is an int here and a SOCKET on Windows; an invalid one comes
    // out negative either way.
    const qintptr s = qintptr(mysql_get_socket(mysql));
    if (s < 0)
        return;
    const std::lock_guard<std::mutex> hold(m_lock);
    m_socket = Platform::holdSocket(s);
}

void SessionAbort::release()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    Platform::releaseSocket(m_socket);
    m_socket = -1;
}

void SessionAbort::abort()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    Platform::shutdownSocket(m_socket);
}
