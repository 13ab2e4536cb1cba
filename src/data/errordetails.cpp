#include "data/errordetails.h"

#include "data/wire.h"

#include <QList>
#include <QPair>
#include <mutex>

namespace ErrorDetails
{

namespace
{

std::mutex &lock()
{
    static std::mutex m;
    return m;
}

// The latest few, from any thread: an error is shown soon after it is
// raised, or never.
QList<QPair<QString, QString>> &recent()
{
    static QList<QPair<QString, QString>> list;
    return list;
}

} // namespace

void remember(const QString &text, const QString &details)
{
    if (details.isEmpty())
        return;
    const std::lock_guard<std::mutex> hold(lock());
    auto &list = recent();
    list.prepend({text, details});
    while (list.size() > 16)
        list.removeLast();
}

QString lookup(const QString &shown)
{
    const std::lock_guard<std::mutex> hold(lock());
    for (const auto &[text, details] : std::as_const(recent()))
        if (shown.startsWith(text))
            return details;
    return {};
}

bool lostConnection(unsigned code)
{
    return Wire::isLost(code);
}

bool unreachable(unsigned code)
{
    // No socket, no route or no answer to the connection, an unknown host.
    return lostConnection(code) || code == 2002 || code == 2003 || code == 2005;
}

} // namespace ErrorDetails
