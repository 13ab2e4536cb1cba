#pragma once

#include "data/backgroundquery.h"
#include "data/dberror.h"
#include "data/writeonce.h"

#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

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
    // added about a write ("No quedó nada guardado..."), or that nothing was
    // sent when the work had not begun (its session still connecting).
    class Cancelled : public DbError
    {
    public:
        Cancelled(const QString &text, const QString &statement, unsigned code, bool nothingStored)
            : DbError(text, statement, code), m_nothingStored(nothingStored)
        {
        }
        // Nothing of the work is on the server: never sent, or a write found
        // not stored after the cut.
        bool nothingStored() const { return m_nothingStored; }

    private:
        bool m_nothingStored = false;
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

    // A catalogue check of the operations database as a field is left.
    template <class T> static T lookUp(QWidget *window, std::function<T()> work)
    {
        return run<T>(window, QStringLiteral("Buscando en el catálogo..."), Conn::Operations, std::move(work));
    }

    // Works for different connections, each on its own worker and all at
    // once, under one waiting line: the operator waits for the slowest, not
    // for the sum. What the first of them (in the order given) threw is
    // thrown when all have ended.
    struct Work {
        Conn conn;
        std::function<void()> work;
    };
    static void waitAll(QWidget *window, const QString &what, const std::vector<Work> &works);

    // How long the work runs before the line appears.
    static constexpr int kShowAfterMs = 500;
};

// The writes one window starts, each off the window's thread (ServerWait)
// under a ticket (WriteOnce). A form whose "Guardar" stores one thing keeps
// its ticket until that is stored, so "Guardar" again after an unknown
// outcome finds out first and never stores twice (SameWrite). A window of
// many small writes gives each its own, and an earlier one whose outcome
// could not be learnt is found out before the next goes (EachItsOwn).
class WindowWrites
{
public:
    enum Kind { SameWrite, EachItsOwn };
    explicit WindowWrites(Kind kind) : m_kind(kind) {}

    // `work` gets the ticket to hand to the repository; the rest as for
    // ServerWait::run.
    template <class T>
    T run(QWidget *window, const QString &what, Conn conn, std::function<T(WriteOnce::Ticket *)> work)
    {
        const std::shared_ptr<WriteOnce::Ticket> ticket = m_ticket;
        const bool settle = m_kind == EachItsOwn;
        T value = ServerWait::run<T>(window, what, conn, [ticket, settle, conn, work = std::move(work)] {
            if (settle)
                WriteOnce::Settle(conn, *ticket);
            return work(ticket.get());
        });
        m_ticket = std::make_shared<WriteOnce::Ticket>(); // stored: what follows is another write
        return value;
    }
    void run(QWidget *window, const QString &what, Conn conn, const std::function<void(WriteOnce::Ticket *)> &work)
    {
        run<bool>(window, what, conn, [work](WriteOnce::Ticket *t) {
            work(t);
            return true;
        });
    }

    // What the operator is told when a write ended in `e`: whether anything
    // was stored comes with it.
    static QString failure(const QString &notStored, const DbError &e);

private:
    Kind m_kind;
    std::shared_ptr<WriteOnce::Ticket> m_ticket = std::make_shared<WriteOnce::Ticket>();
};

} // namespace Widgets
