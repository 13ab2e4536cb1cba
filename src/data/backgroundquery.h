#pragma once

#include "core/connectionsettings.h"

#include <QObject>
#include <QSqlRecord>
#include <QVariantMap>
#include <QVector>
#include <functional>
#include <memory>

// Long reads run off the window's thread, so that a list of thousands of
// operations never freezes the window. Each connection of the data module
// has a worker thread with a data module of its own (dm1() there): the same
// servers, accounts and rules as the window's, in sessions opened on first
// use and kept. The result comes back on the thread that started the run;
// cancel() stops the statement on the server. One run at a time per object:
// a new start() cancels the last.
class BackgroundQuery : public QObject
{
    Q_OBJECT
public:
    using Rows = QVector<QSqlRecord>;
    // Runs on the worker; what it returns runs back on the starting thread.
    using Task = std::function<std::function<void()>()>;

    explicit BackgroundQuery(QObject *parent = nullptr);
    ~BackgroundQuery() override; // a run still going is cancelled

    // The catalogue statement `statement` with `params` by name (any case,
    // with or without ':'; names it does not use are ignored).
    void start(const QString &statement, const QVariantMap &params, std::function<void(const Rows &)> done);

    // `work` on the worker of `conn`: repositories called there read through
    // the worker's own sessions. It must use only what it captured by value,
    // never a widget; a DbError it throws arrives as failed().
    template <class T> void start(Conn conn, std::function<T()> work, std::function<void(T)> done)
    {
        startTask(conn, [work = std::move(work), done = std::move(done)]() -> std::function<void()> {
            auto result = std::make_shared<T>(work());
            return [result, done] { done(std::move(*result)); };
        });
    }

    void startTask(Conn conn, Task task);
    // The catalogue statement `statement` with `params` (its own names) on
    // this thread's module: its rows, the statement keeping no copy. For
    // work that runs on a worker.
    static Rows readAll(const QString &statement, const QVariantMap &params);
    void cancel();
    // Cuts the run's session without waiting for the server: the statement
    // it is in fails at once as a lost connection, and the run goes on to its
    // end (a write finds out what became of it) and is delivered as usual.
    // A run whose work has not begun (waiting for its turn or for its session
    // to connect) is dropped instead: it never starts, and cancelled() comes
    // at once.
    void interrupt();
    bool isRunning() const { return m_job != 0; }

    // Opens the session of `conn`'s worker now, in the background, so that
    // the first action that needs it does not wait for its handshake. Quiet
    // when it cannot: that action then says why.
    static void openAhead(Conn conn);

    // Stops every worker and closes their sessions (tests, program end).
    static void stopWorkers();

signals:
    void arrived();                   // the result is here; it is handed over right after
    void failed(const QString &text); // the client's text, or why it could not run
    void cancelled();

private:
    void onDone(quint64 job, const std::function<void()> &deliver, const QString &error, bool killed);

    quint64 m_job = 0;
    Conn m_conn = Conn::Operations;
};
