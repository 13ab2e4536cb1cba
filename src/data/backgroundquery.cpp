#include "data/backgroundquery.h"

#include "data/dm1.h"

#include <QCoreApplication>
#include <QMutex>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <map>
#include <memory>

Q_DECLARE_METATYPE(ConnectionSettings)

namespace
{

constexpr int timeoutSeconds = 30;

// One per connection of the data module, in a thread of its own.
class Worker : public QObject
{
    Q_OBJECT
public:
    explicit Worker(Conn conn) : m_name(QStringLiteral("%1-fondo").arg(DataModule::connectionName(conn))) {}
    ~Worker() override { closeSession(); }

    std::atomic<quint64> running{0};    // the job the session is working on
    std::atomic<qulonglong> session{0}; // its server thread id, for KILL QUERY

    Q_INVOKABLE void run(quint64 job, const ConnectionSettings &settings, const QString &sql, const QVariantMap &params)
    {
        QVector<QSqlRecord> rows;
        QString error;
        try {
            QSqlDatabase db = open(settings);
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.prepare(sql))
                throw q.lastError();
            for (auto it = params.cbegin(); it != params.cend(); ++it)
                q.bindValue(QLatin1Char(':') + it.key(), it.value());
            running = job;
            const bool ok = q.exec();
            running = 0;
            if (!ok)
                throw q.lastError();
            // Duplicate column names of a join get "_1", "_2"... as NamedQuery
            // gives them, so the grids find the same fields.
            QSqlRecord shape = q.record();
            QSet<QString> seen;
            for (int i = 0; i < shape.count(); ++i) {
                QSqlField f = shape.field(i);
                QString name = f.name();
                for (int n = 1; seen.contains(name.toLower()); ++n)
                    name = QStringLiteral("%1_%2").arg(f.name()).arg(n);
                f.setName(name);
                shape.replace(i, f);
                seen.insert(name.toLower());
            }
            while (q.next()) {
                QSqlRecord r = shape;
                for (int i = 0; i < r.count(); ++i)
                    r.setValue(i, q.value(i));
                rows << r;
            }
        } catch (const QSqlError &e) {
            running = 0;
            const QString text = e.databaseText().trimmed();
            error = text.isEmpty() ? e.text().trimmed() : text;
            if (e.nativeErrorCode() == QLatin1String("1317")) // interrupted: the cancel
                error.clear();
            else if (!m_db.isValid() || !m_db.isOpen() || isLost(e))
                closeSession();
            emit done(job, {}, error, error.isEmpty());
            return;
        }
        emit done(job, rows, {}, false);
    }

    Q_INVOKABLE void closeSession()
    {
        session = 0;
        if (m_db.isValid()) {
            m_db.close();
            m_db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
        }
    }

signals:
    void done(quint64 job, const QVector<QSqlRecord> &rows, const QString &error, bool killed);

private:
    static bool isLost(const QSqlError &e)
    {
        static const QStringList codes = {QStringLiteral("2006"), QStringLiteral("2013"), QStringLiteral("2055"),
                                          QStringLiteral("1927"), QStringLiteral("4031")};
        return codes.contains(e.nativeErrorCode());
    }

    // The session for `settings`, opened (again) when needed: the same
    // server and account as the window's connection, under the same rules.
    QSqlDatabase open(const ConnectionSettings &settings)
    {
        if (m_db.isValid() && m_db.isOpen() && settings == m_settings)
            return m_db;
        closeSession();
        if (settings.isEmpty())
            throw QSqlError(QStringLiteral("La conexión no está configurada para esta instalación."), {},
                            QSqlError::ConnectionError);
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_name);
        QString host = settings.hostName;
        const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
        if (colon > 0 && host.indexOf(QLatin1Char(':')) == colon && host.mid(colon + 1).toInt() > 0) {
            m_db.setPort(host.mid(colon + 1).toInt());
            host = host.left(colon);
        }
        m_db.setHostName(host);
        m_db.setDatabaseName(settings.database);
        m_db.setUserName(settings.userName);
        m_db.setPassword(settings.password);
        m_db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=10;MYSQL_OPT_READ_TIMEOUT=%1;"
                                              "MYSQL_OPT_WRITE_TIMEOUT=%1")
                                   .arg(timeoutSeconds));
        if (!m_db.open()) {
            const QSqlError e = m_db.lastError();
            closeSession();
            throw e;
        }
        m_settings = settings;
        QSqlQuery id(m_db);
        if (id.exec(QStringLiteral("select connection_id()")) && id.next())
            session = id.value(0).toULongLong();
        return m_db;
    }

    QString m_name;
    QSqlDatabase m_db;
    ConnectionSettings m_settings;
};

struct WorkerThread {
    QThread *thread = nullptr;
    Worker *worker = nullptr;
};

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
            qRegisterMetaType<ConnectionSettings>();
            qRegisterMetaType<QVector<QSqlRecord>>();
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

void BackgroundQuery::start(const QString &statement, const QVariantMap &params)
{
    cancel();
    const NamedQuery &q = dm1().query(statement);
    // Parameters by name, in any case, as NamedQuery takes them.
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
    m_conn = q.connection();
    Worker *worker = workerFor(m_conn);
    const quint64 job = nextJob();
    m_job = job;
    // Only this run's answer is taken; an older one arriving late is dropped.
    connect(
        worker, &Worker::done, this,
        [this](quint64 j, const QVector<QSqlRecord> &rows, const QString &error, bool killed) {
            onDone(j, rows, error, killed);
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(worker, "run", Qt::QueuedConnection, Q_ARG(quint64, job),
                              Q_ARG(ConnectionSettings, dm1().settings(m_conn)), Q_ARG(QString, q.sql()),
                              Q_ARG(QVariantMap, bound));
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
        try {
            NamedQuery kill(QStringLiteral("SQLKillQuery"), m_conn, QStringLiteral("kill query :id"));
            kill.setParam(QStringLiteral("id"), worker->session.load());
            kill.execute();
        } catch (const DbError &) {
            // It ended meanwhile: nothing to stop.
        }
    }
    emit cancelled();
}

void BackgroundQuery::onDone(quint64 job, const QVector<QSqlRecord> &rows, const QString &error, bool killed)
{
    if (job != m_job)
        return;
    m_job = 0;
    disconnect(workers()[m_conn].worker, nullptr, this, nullptr);
    if (killed)
        emit cancelled();
    else if (!error.isEmpty())
        emit failed(error);
    else
        emit finished(rows);
}

void BackgroundQuery::stopWorkers()
{
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
