#include "app/navigator.h"

#include "widgets/messages.h"
#include "widgets/waitcursor.h"

#include <QApplication>
#include <QTimer>
#include <memory>
#include <stdexcept>

namespace
{

Navigator *&installed()
{
    static Navigator program;
    static Navigator *current = &program;
    return current;
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

void Navigator::add(WindowId window, std::function<void(QWidget *)> open)
{
    if (!open)
        throw std::logic_error("Navigator: empty opener for " + windowIdName(window).toStdString());
    insert(window, typeid(Nav::Open),
           Handler<Nav::Open>([open = std::move(open)](const Nav::Open &, QWidget *parent) { open(parent); }));
}

void Navigator::insert(WindowId window, std::type_index request, std::any handler)
{
    if (!isWindowId(window))
        throw std::logic_error("Navigator: " + windowIdName(window).toStdString() + " is not a window");
    if (!m_handlers.emplace(std::make_pair(static_cast<int>(window), request), std::move(handler)).second)
        throw std::logic_error("Navigator: " + windowIdName(window).toStdString() +
                               " registered twice for the same request");
}

const std::any *Navigator::find(WindowId window, std::type_index request) const
{
    const auto it = m_handlers.find(std::make_pair(static_cast<int>(window), request));
    return it == m_handlers.end() ? nullptr : &it->second;
}

void Navigator::tellNotAvailable(WindowId window, QWidget *parent) const
{
    Msg::info(parent, notAvailableNotice(window));
}

Navigator::Route Navigator::route(const QString &caption) const
{
    const NavigationEntry *e = findNavigationEntry(caption);
    if (!e)
        return Route::Nothing;
    const bool answered =
        e->operationKind.isEmpty() ? answers<Nav::Open>(e->window) : answers<Nav::OpenOperation>(e->window);
    return answered ? Route::Opens : Route::Notice;
}

bool Navigator::openCaption(const QString &caption, QWidget *parent)
{
    const NavigationEntry *e = findNavigationEntry(caption);
    if (!e)
        return false;
    if (e->operationKind.isEmpty()) {
        request(Nav::Open{e->window}, parent);
    } else {
        SetupCursor wait;
        request(Nav::OpenOperation{e->operationKind}, parent);
    }
    return true;
}

QVector<WindowId> Navigator::registeredWindows() const
{
    QVector<WindowId> ids;
    for (const auto &[key, handler] : m_handlers) {
        const auto id = static_cast<WindowId>(key.first);
        if (!ids.contains(id))
            ids << id;
    }
    return ids;
}

Navigator &navigator()
{
    return *installed();
}

ScopedNavigator::ScopedNavigator() : m_previous(installed())
{
    installed() = &m_navigator;
}

ScopedNavigator::~ScopedNavigator()
{
    installed() = m_previous;
}
