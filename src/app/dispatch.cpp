#include "app/dispatch.h"

#include "core/global.h"
#include "core/navigation.h"
#include "widgets/waitcursor.h"

#include <QApplication>
#include <QCursor>
#include <QHash>
#include <QTimer>
#include <memory>

namespace {

// Keyed by window class, so that aliases share one factory.
QHash<QString, Dispatch::Opener> &openers()
{
    static QHash<QString, Dispatch::Opener> map;
    return map;
}

// The hourglass covers the window's set-up only: it goes once the window's
// own event loop runs, or when the opener returns, whichever comes first.
class SetupCursor
{
public:
    SetupCursor() : m_wait(std::make_shared<Widgets::WaitCursor>())
    {
        QTimer::singleShot(0, qApp, [wait = m_wait] { wait->release(); });
    }
    ~SetupCursor() { m_wait->release(); }

private:
    std::shared_ptr<Widgets::WaitCursor> m_wait;
};

} // namespace

namespace Dispatch {

bool registerWindow(const QString &key, Opener opener)
{
    const NavigationEntry *e = findNavigationEntry(key);
    if (!e || !opener)
        return false;
    openers().insert(e->window, std::move(opener));
    return true;
}

void clearRegistrations() { openers().clear(); }

bool isRegistered(const QString &key)
{
    const NavigationEntry *e = findNavigationEntry(key);
    return e && openers().contains(e->window);
}

bool open(const QString &key, QWidget *parent)
{
    const NavigationEntry *e = findNavigationEntry(key);
    if (!e)
        return false;
    const auto it = openers().constFind(e->window);
    if (it == openers().constEnd())
        return false;
    // A copy: the opener may run for a long time and registrations may change.
    const Opener opener = it.value();
    if (e->operationKind.isEmpty()) {
        opener(parent);
        return true;
    }
    Global.OperationKind = e->operationKind;
    SetupCursor wait;
    opener(parent);
    return true;
}

} // namespace Dispatch
