#include "data/sessionabort.h"

#include <mysql.h>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/socket.h>
#include <unistd.h>
#endif

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
#ifdef Q_OS_WIN
    m_socket = qintptr(s); // no dup() for sockets there: the session's own handle
#else
    m_socket = ::dup(int(s));
#endif
}

void SessionAbort::release()
{
    const std::lock_guard<std::mutex> hold(m_lock);
#ifndef Q_OS_WIN
    if (m_socket >= 0)
        ::close(int(m_socket));
#endif
    m_socket = -1;
}

void SessionAbort::abort()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (m_socket < 0)
        return;
#ifdef Q_OS_WIN
    ::shutdown(SOCKET(m_socket), SD_BOTH);
#else
    ::shutdown(int(m_socket), SHUT_RDWR);
#endif
}
