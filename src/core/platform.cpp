#include "core/platform.h"

#ifdef _WIN32
#include <winsock2.h>
#else
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Platform
{

bool socketHasInput(qintptr socket)
{
    if (socket < 0)
        return true;
#ifdef _WIN32
    WSAPOLLFD p{};
    p.fd = SOCKET(socket);
    p.events = POLLRDNORM;
    return WSAPoll(&p, 1, 0) != 0;
#else
    pollfd p{};
    p.fd = int(socket);
    p.events = POLLIN | POLLPRI;
    return poll(&p, 1, 0) != 0;
#endif
}

qintptr holdSocket(qintptr socket)
{
    if (socket < 0)
        return -1;
#ifdef _WIN32
    return socket;
#else
    return qintptr(::dup(int(socket)));
#endif
}

void releaseSocket(qintptr held)
{
#ifndef _WIN32
    if (held >= 0)
        ::close(int(held));
#else
    Q_UNUSED(held);
#endif
}

void shutDownSocket(qintptr socket)
{
    if (socket < 0)
        return;
#ifdef _WIN32
    ::shutdown(SOCKET(socket), SD_BOTH);
#else
    ::shutdown(int(socket), SHUT_RDWR);
#endif
}

void keepLargeBlocks()
{
#if defined(__GLIBC__)
    static const bool once = [] {
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
        return true;
    }();
    Q_UNUSED(once);
#endif
}

} // namespace Platform
