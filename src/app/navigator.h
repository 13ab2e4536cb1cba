#pragma once

#include "app/requests.h"

#include <any>
#include <functional>
#include <map>
#include <type_traits>
#include <typeindex>
#include <utility>

class QWidget;

// Opens windows by id. Each feature registers the windows it owns and the
// requests they answer (`registerWindows(Navigator &)` in its folder); the
// main window's nodes and every hand-over between features go through here.
// A request nobody answers yet tells the operator the function is not
// available. Registering a window twice for one request, or an id that is not
// a window, throws: a wrong registration stops the program at start-up.
class Navigator
{
public:
    Navigator() = default;
    Navigator(const Navigator &) = delete;
    Navigator &operator=(const Navigator &) = delete;

    template <class R> using Handler = std::function<typename R::Result(const R &, QWidget *parent)>;

    // The request's own window answers it with `handler`.
    template <class R, class F> void add(F &&handler)
    {
        insert(R::window, typeid(R), Handler<R>(std::forward<F>(handler)));
    }
    // A main-window function without arguments.
    void add(WindowId window, std::function<void(QWidget *parent)> open);
    // The usual case: a modal window class created, run and freed.
    template <class Form> void addForm(WindowId window)
    {
        add(window, [](QWidget *parent) {
            Form form(parent);
            form.exec();
        });
    }

    template <class R> bool answers(WindowId window) const { return find(window, typeid(R)) != nullptr; }
    template <class R> bool answers() const { return answers<R>(R::window); }

    template <class R> typename R::Result request(const R &r, QWidget *parent)
    {
        if (const std::any *found = find(r.target(), typeid(R))) {
            // A copy: the window may run long and registrations may change meanwhile.
            const Handler<R> handler = std::any_cast<const Handler<R> &>(*found);
            return handler(r, parent);
        }
        tellNotAvailable(r.target(), parent);
        if constexpr (!std::is_void_v<typename R::Result>)
            return {};
    }

    // What a node or menu item of the main window does.
    enum class Route { Nothing, Opens, Notice };
    Route route(const QString &caption) const;
    // Opens what a node or menu item names; the operation nodes show the
    // hourglass until the form is up. False for a text that opens nothing.
    bool openCaption(const QString &caption, QWidget *parent);

    // Windows that answer at least one request.
    QVector<WindowId> registeredWindows() const;

    // The notice a request for `window` shows while nobody answers it.
    void tellNotAvailable(WindowId window, QWidget *parent) const;

private:
    void insert(WindowId window, std::type_index request, std::any handler);
    const std::any *find(WindowId window, std::type_index request) const;

    std::map<std::pair<int, std::type_index>, std::any> m_handlers;
};

// The program's navigator; a test installs its own with ScopedNavigator.
Navigator &navigator();

// Makes a fresh navigator the program's for its lifetime (tests).
class ScopedNavigator
{
public:
    ScopedNavigator();
    ~ScopedNavigator();
    ScopedNavigator(const ScopedNavigator &) = delete;
    ScopedNavigator &operator=(const ScopedNavigator &) = delete;

    Navigator &get() { return m_navigator; }
    Navigator *operator->() { return &m_navigator; }

private:
    Navigator m_navigator;
    Navigator *m_previous;
};
