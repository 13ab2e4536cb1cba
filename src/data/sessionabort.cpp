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
    const my_socket s = mysql_get_socket(mysql);
    if (s == my_socket(-1))
        return;
    const std::lock_guard<std::mutex> hold(m_lock);
    m_socket = Platform::holdSocket(qintptr(s));
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
    Platform::shutDownSocket(m_socket);
}
