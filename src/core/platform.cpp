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
    return ::dup(int(socket));
#endif
}

void releaseSocket(qintptr held)
{
#ifdef _WIN32
    Q_UNUSED(held);
#else
    if (held >= 0)
        ::close(int(held));
#endif
}

void shutdownSocket(qintptr held)
{
    if (held < 0)
        return;
#ifdef _WIN32
    ::shutdown(SOCKET(held), SD_BOTH);
#else
    ::shutdown(int(held), SHUT_RDWR);
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
