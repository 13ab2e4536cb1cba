#pragma once

#include <QtGlobal>
#include <mutex>

struct st_mysql;

// A session's link that another thread can end: the thread blocked reading
// the server's answer gets a lost connection at once instead of waiting for
// its timeout. "Cancelar" uses it while a server does not answer.
class SessionAbort
{
public:
    SessionAbort() = default;
    ~SessionAbort();
    SessionAbort(const SessionAbort &) = delete;
    SessionAbort &operator=(const SessionAbort &) = delete;

    // Takes hold of the session's socket (nothing when null).
    void watch(st_mysql *mysql);
    void release();
    // From any thread: shuts the watched socket in both directions.
    void abort();

private:
    std::mutex m_lock;
    qintptr m_socket = -1; // our own descriptor of it, so its number is never another file's
};
