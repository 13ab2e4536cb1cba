#include "data/backgroundquery.h"

#include "data/dm1.h"
#include "data/dm1_p.h"
#include "data/sessionabort.h"
#include "data/wire.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <map>
#include <mutex>

namespace
{

constexpr unsigned kInterrupted = 1317; // what the server answers a KILL QUERY with

const Conn kConns[] = {Conn::Operations, Conn::PostVenta, Conn::Sister};

// How the window's module reaches its servers, copied for a worker's module.
struct Links {
    std::map<Conn, ConnectionSettings> settings;
    std::map<Conn, LinkOptions> options;

    static Links ofThisThread()
    {
        Links l;
        for (Conn c : kConns) {
            l.settings[c] = dm1().settings(c);
            l.options[c] = dm1().linkOptions(c);
        }
        return l;
    }
    void apply() const
    {
        for (Conn c : kConns) {
            dm1().configure(c, settings.at(c));
            dm1().setLinkOptions(c, options.at(c));
        }
    }
};

struct Outcome {
    std::function<void()> deliver;
    QString error;
    bool killed = false;
};

} // namespace

Q_DECLARE_METATYPE(Outcome)

namespace
{

// One per connection of the data module, in a thread of its own.
class Worker : public QObject
{
    Q_OBJECT
public:
    explicit Worker(Conn conn) : m_conn(conn) {}

    std::atomic<quint64> running{0};    // the job whose work is under way
    std::atomic<qulonglong> session{0}; // its server's id, for KILL QUERY
    SessionAbort link;                  // its socket, for an interrupt

    void run(quint64 job, const Links &links, const BackgroundQuery::Task &task)
    {
        Outcome out;
        out.killed = true; // unless its work begins
        try {
            if (!dropped(job)) {
                useLinks(links);
                // Opened (again) when needed, so that its id is known.
                link.watch(DataModulePrivate::handle(m_conn));
                session = DataModulePrivate::serverSession(m_conn);
                if (begin(job)) {
                    out.killed = false;
                    out.deliver = task();
                }
            }
        } catch (const DbError &e) {
            out.killed = e.code() == kInterrupted;
            out.error = out.killed ? QString() : e.text();
        } catch (const std::exception &e) {
            out.killed = false;
            out.error = QString::fromLocal8Bit(e.what());
        }
        {
            const std::lock_guard<std::mutex> hold(m_phase);
            running = 0;
            m_done = job;
        }
        link.release();
        emit done(job, out);
    }

    // From the window's thread. True when the job's work is under way (its
    // statement is cut: it finds out what became of a write) or over; false
    // when it has not begun (queued, or its session still connecting): it
    // then never will.
    bool interrupt(quint64 job)
    {
        const std::lock_guard<std::mutex> hold(m_phase);
        if (running == job) {
            link.abort();
            return true;
        }
        if (m_done >= job)
            return true;
        m_dropped = job;
        return false;
    }

    // On the stopper's thread, in its own session: the server stops `job`'s
    // statement. Neither that job's end nor the next job's start passes
    // until the KILL is answered, so it never reaches a later statement.
    void killRunning(quint64 job)
    {
        const std::lock_guard<std::mutex> hold(m_phase);
        if (running != job || session == 0)
            return;
        try {
            NamedQuery &kill =
                dm1().statement(QStringLiteral("KillQuery"), m_conn, [] { return QStringLiteral("kill query :id"); });
            kill.setParam(QStringLiteral("id"), session.load());
            kill.execute();
        } catch (const DbError &) {
            // It ended meanwhile, or the server cannot be reached: nothing to stop.
        }
    }

    void openSession(const Links &links)
    {
        try {
            useLinks(links);
            dm1().connect(m_conn);
        } catch (const DbError &) {
            // The first statement tries again and says why.
        }
    }

    void closeSession()
    {
        session = 0;
        m_module.reset();
    }

signals:
    void done(quint64 job, const Outcome &outcome);

private:
    bool dropped(quint64 job)
    {
        const std::lock_guard<std::mutex> hold(m_phase);
        return m_dropped == job;
    }
    bool begin(quint64 job)
    {
        const std::lock_guard<std::mutex> hold(m_phase);
        if (m_dropped == job)
            return false;
        running = job;
        return true;
    }

    // The worker's own module, reaching the servers as the window's does.
    void useLinks(const Links &links)
    {
        if (!m_module)
            m_module = DataModulePrivate::makeThreadModule(
                QStringLiteral("-fondo-%1").arg(DataModule::connectionName(m_conn)));
        links.apply();
    }

    Conn m_conn;
    std::unique_ptr<DataModule> m_module; // made and ended on the worker's thread
    std::mutex m_phase;                   // a job's start and end against an interrupt
    quint64 m_dropped = 0;                // interrupted before its work began
    quint64 m_done = 0;                   // the last job ended (jobs run in the order given)
};

struct WorkerThread {
    QThread *thread = nullptr;
    Worker *worker = nullptr;
};

// Sends the KILL QUERY of a cancelled run from a thread and sessions of its
// own: the window never waits for it, nor for their handshakes.
class Stopper : public QObject
{
public:
    void stop(Worker *worker, quint64 job, const Links &links)
    {
        if (!m_module)
            m_module = DataModulePrivate::makeThreadModule(QStringLiteral("-parada"));
        links.apply();
        worker->killRunning(job);
    }
    void closeSessions() { m_module.reset(); }

private:
    std::unique_ptr<DataModule> m_module; // made and ended on the stopper's thread
};

struct StopperThread {
    QThread *thread = nullptr;
    Stopper *stopper = nullptr;
};

StopperThread &stoppers()
{
    static StopperThread s;
    return s;
}

Stopper *stopper()
{
    StopperThread &s = stoppers();
    if (!s.stopper) {
        s.thread = new QThread;
        s.thread->setObjectName(QStringLiteral("BackgroundQuery-parada"));
        s.stopper = new Stopper;
        s.stopper->moveToThread(s.thread);
        s.thread->start();
    }
    return s.stopper;
}

std::map<Conn, WorkerThread> &workers()
{
    static std::map<Conn, WorkerThread> s;
    return s;
}

Worker *workerFor(Conn conn)
{
    WorkerThread &s = workers()[conn];
    if (!s.worker) {
        static bool cleanUp = [] {
            qAddPostRoutine(&BackgroundQuery::stopWorkers);
            qRegisterMetaType<Outcome>();
            return true;
        }();
        Q_UNUSED(cleanUp);
        s.thread = new QThread;
        s.thread->setObjectName(QStringLiteral("BackgroundQuery"));
        s.worker = new Worker(conn);
        s.worker->moveToThread(s.thread);
        s.thread->start();
    }
    return s.worker;
}

quint64 nextJob()
{
    static quint64 n = 0;
    return ++n;
}

} // namespace

BackgroundQuery::BackgroundQuery(QObject *parent) : QObject(parent) {}

BackgroundQuery::~BackgroundQuery()
{
    cancel();
}

void BackgroundQuery::start(const QString &statement, const QVariantMap &params, std::function<void(const Rows &)> done)
{
    const NamedQuery &q = dm1().query(statement);
    // Only the names the statement uses, as it spells them; one it lacks is
    // refused here, before anything is sent.
    QVariantMap bound;
    for (const QString &name : q.paramNames()) {
        auto it = params.cbegin();
        for (; it != params.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0 ||
                (it.key().startsWith(QLatin1Char(':')) && it.key().mid(1).compare(name, Qt::CaseInsensitive) == 0))
                break;
        if (it == params.cend())
            throw DbError(QStringLiteral("Falta el valor del parámetro %1 de la sentencia %2.").arg(name, statement),
                          statement);
        bound.insert(name, it.value());
    }
    start<Rows>(
        q.connection(), [statement, bound] { return readAll(statement, bound); },
        [done = std::move(done)](const Rows &rows) { done(rows); });
}

BackgroundQuery::Rows BackgroundQuery::readAll(const QString &statement, const QVariantMap &params)
{
    NamedQuery &q = dm1().query(statement);
    q.close();
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        q.setParam(it.key(), it.value());
    q.open();
    Rows rows = q.rows();
    q.close(); // the worker keeps no copy of a long list
    return rows;
}

void BackgroundQuery::startTask(Conn conn, Task task)
{
    cancel();
    m_conn = conn;
    Worker *worker = workerFor(conn);
    const quint64 job = nextJob();
    m_job = job;
    // Only this run's answer is taken; an older one arriving late is dropped.
    connect(
        worker, &Worker::done, this, [this](quint64 j, const Outcome &o) { onDone(j, o.deliver, o.error, o.killed); },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        worker, [worker, job, links = Links::ofThisThread(), task = std::move(task)] { worker->run(job, links, task); },
        Qt::QueuedConnection);
}

void BackgroundQuery::openAhead(Conn conn)
{
    Worker *worker = workerFor(conn);
    QMetaObject::invokeMethod(
        worker, [worker, links = Links::ofThisThread()] { worker->openSession(links); }, Qt::QueuedConnection);
}

void BackgroundQuery::cancel()
{
    if (!m_job)
        return;
    const quint64 job = m_job;
    m_job = 0;
    Worker *worker = workers()[m_conn].worker;
    disconnect(worker, nullptr, this, nullptr);
    if (worker && worker->running == job && worker->session != 0) {
        // The server stops the statement; the worker is free for the next.
        Stopper *s = stopper();
        QMetaObject::invokeMethod(
            s, [stopper = s, worker, job, links = Links::ofThisThread()] { stopper->stop(worker, job, links); },
            Qt::QueuedConnection);
    }
    emit cancelled();
}

void BackgroundQuery::interrupt()
{
    Worker *worker = m_job ? workers()[m_conn].worker : nullptr;
    if (!worker || worker->interrupt(m_job))
        return;
    // Its work had not begun and never will: nothing was sent.
    m_job = 0;
    disconnect(worker, nullptr, this, nullptr);
    emit cancelled();
}

void BackgroundQuery::onDone(quint64 job, const std::function<void()> &deliver, const QString &error, bool killed)
{
    if (job != m_job)
        return;
    m_job = 0;
    disconnect(workers()[m_conn].worker, nullptr, this, nullptr);
    if (killed) {
        emit cancelled();
    } else if (!error.isEmpty() || !deliver) {
        emit failed(error.isEmpty() ? QStringLiteral("La consulta no devolvió resultado.") : error);
    } else {
        emit arrived();
        deliver();
    }
}

void BackgroundQuery::stopWorkers()
{
    // First the stopper, which may be holding a worker for its KILL.
    if (StopperThread &st = stoppers(); st.stopper) {
        QMetaObject::invokeMethod(
            st.stopper, [stopper = st.stopper] { stopper->closeSessions(); }, Qt::BlockingQueuedConnection);
        st.thread->quit();
        st.thread->wait();
        delete st.stopper;
        delete st.thread;
        st = {};
    }
    for (auto &[conn, s] : workers()) {
        if (!s.worker)
            continue;
        QMetaObject::invokeMethod(s.worker, &Worker::closeSession, Qt::BlockingQueuedConnection);
        s.thread->quit();
        s.thread->wait();
        delete s.worker;
        delete s.thread;
        s = {};
    }
}

#include "backgroundquery.moc"
