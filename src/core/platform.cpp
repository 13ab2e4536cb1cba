#include "core/platform.h"

#ifdef _WIN32
#include <winsock2.h>
#else
#include <poll.h>
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
