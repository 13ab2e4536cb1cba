#pragma once

#include "data/backgroundquery.h"
#include "data/dberror.h"

#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace Widgets
{

// A write (or a read the window cannot go on without) done off the window's
// thread while the caller waits for it: the window keeps repainting, and
// after half a second a window-modal line says what is being done, with the
// seconds gone and "Cancelar". "Cancelar" cuts the session: the work sees a
// lost connection at once and, for a write, finds out what became of it
// before it ends. The caller gets what the work returned, or what it threw
// (Cancelled for a session cut by "Cancelar").
class ServerWait
{
public:
    // What "Cancelar" ends a wait with when the work itself could only say
    // that its session was cut. Its text says so, followed by what the work
    // added about a write ("No quedó nada guardado...").
    class Cancelled : public DbError
    {
    public:
        using DbError::DbError;
    };

    // `work` runs on the worker of `conn`: it must use only what it captured
    // by value (or what outlives the wait and no one else touches meanwhile).
    template <class T> static T run(QWidget *window, const QString &what, Conn conn, std::function<T()> work)
    {
        auto value = std::make_shared<std::optional<T>>();
        wait(window, what, conn, [work = std::move(work), value] { *value = work(); });
        return std::move(**value);
    }

    static void wait(QWidget *window, const QString &what, Conn conn, const std::function<void()> &work);

    // How long the work runs before the line appears.
    static constexpr int kShowAfterMs = 500;
};

} // namespace Widgets
