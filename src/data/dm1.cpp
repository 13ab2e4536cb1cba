#include "data/dm1.h"

#include "data/dm1_p.h"
#include "data/errordetails.h"
#include "data/statements.h"
#include "data/wire.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>

namespace
{

constexpr int connectTimeoutSeconds = 10;

} // namespace

// ---------------------------------------------------------------- DataModule

struct DataModule::Impl {
    struct ConnState {
        ConnectionSettings settings;
        LinkOptions options;
        quint64 session = 0;   // of the open session; 0 when closed
        int transactions = 0;  // open Transaction objects, outermost included
        bool txBegun = false;  // the outermost one's begin has reached the server
        bool txBroken = false; // the session it began on is gone
        quint64 txSession = 0;
        bool innerAbandoned = false;
        qulonglong lastServerSession = 0; // the server's id of the session the last exchange went on
        st_mysql *mysql = nullptr;        // the open session's client handle
        bool rulesSent = false;           // its sql_mode has reached the server
    };
    std::map<Conn, ConnState> conns;
    std::map<QString, std::unique_ptr<NamedQuery>> catalogue; // created on first use
    std::map<std::pair<int, QString>, std::unique_ptr<NamedQuery>> ownStatements;
    QString suffix; // names a worker's module; empty for the window's thread
    quint64 exchanges = 0;
    quint64 sessions = 0;

    struct Reply {
        QVector<Wire::Result> results;
        std::optional<Wire::Error> error;
        qint64 elapsedMs = 0;
    };

    void open(Conn c);
    static QByteArray setUpStatement();
    void drop(Conn c); // the session is gone: close it
    st_mysql *ready(Conn c);
    Reply exchange(Conn c, const QByteArray &sql);
    [[noreturn]] void fail(Conn c, const Wire::Error &e, const QString &statement, qint64 elapsedMs);
};

DataModule::DataModule() : d(std::make_unique<Impl>())
{
    for (Conn c : {Conn::Operations, Conn::PostVenta, Conn::Sister})
        d->conns[c].settings = defaultSettings(c);
}

namespace
{
thread_local DataModule *t_module = nullptr; // a worker thread's own
}

DataModule &DataModule::instance()
{
    if (t_module)
        return *t_module;
    static DataModule module;
    return module;
}

DataModule::~DataModule()
{
    if (d->suffix.isEmpty())
        return; // the program's own: its connections end with the program
    if (t_module == this)
        t_module = nullptr;
    d->catalogue.clear();
    d->ownStatements.clear();
    for (Conn c : {Conn::Operations, Conn::PostVenta, Conn::Sister})
        d->drop(c);
}

std::unique_ptr<DataModule> DataModulePrivate::makeThreadModule(const QString &suffix)
{
    std::unique_ptr<DataModule> module(new DataModule);
    module->d->suffix = suffix.isEmpty() ? QStringLiteral("-hilo") : suffix;
    t_module = module.get();
    return module;
}

st_mysql *DataModulePrivate::handle(Conn conn)
{
    return dm1().d->ready(conn);
}

qulonglong DataModulePrivate::serverSession(Conn conn)
{
    DataModule &dm = dm1();
    if (!dm.isOpen(conn))
        return 0;
    return Wire::serverSession(dm.d->conns[conn].mysql);
}

qulonglong DataModulePrivate::lastServerSession(Conn conn)
{
    return dm1().d->conns[conn].lastServerSession;
}

QString DataModule::connectionName(Conn conn)
{
    switch (conn) {
    case Conn::Operations:
        return QStringLiteral("SQLConnection1");
    case Conn::PostVenta:
        return QStringLiteral("SQLConnectionPostVenta");
    case Conn::Sister:
        return QStringLiteral("SQLConnection2");
    }
    return {};
}

ConnectionSettings DataModule::defaultSettings(Conn conn)
{
    switch (conn) {
    case Conn::Operations:
        return {QStringLiteral("localhost"), QStringLiteral("tarvil"), QStringLiteral("tarvil"),
                QStringLiteral("tarvil"), QStringLiteral("Local DB")};
    case Conn::PostVenta:
        return {QStringLiteral("postventa.example.invalid"), QStringLiteral("postventa"), QStringLiteral("tarvil"),
                QStringLiteral("tarvil"), QStringLiteral("Post Venta")};
    case Conn::Sister:
        break;
    }
    return {};
}

const char *DataModule::strictSqlMode()
{
    return "STRICT_ALL_TABLES,ERROR_FOR_DIVISION_BY_ZERO,NO_ZERO_IN_DATE,NO_ENGINE_SUBSTITUTION";
}

void DataModule::configure(Conn conn, const ConnectionSettings &settings)
{
    if (d->conns[conn].settings == settings)
        return;
    if (isOpen(conn))
        closeConnection(conn);
    d->conns[conn].settings = settings;
}

ConnectionSettings DataModule::settings(Conn conn) const
{
    return d->conns.at(conn).settings;
}

void DataModule::setLinkOptions(Conn conn, const LinkOptions &options)
{
    if (d->conns[conn].options == options)
        return;
    if (isOpen(conn))
        closeConnection(conn);
    d->conns[conn].options = options;
}

LinkOptions DataModule::linkOptions(Conn conn) const
{
    return d->conns.at(conn).options;
}

void DataModule::Impl::open(Conn c)
{
    ConnState &state = conns[c];
    drop(c);
    const ConnectionSettings &s = state.settings;
    const QString name = DataModule::connectionName(c);
    if (s.isEmpty())
        throw DbError(QStringLiteral("La conexión %1 no está configurada para esta instalación.").arg(name), name);

    Wire::Endpoint to;
    to.host = s.hostName;
    const qsizetype colon = to.host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && to.host.indexOf(QLatin1Char(':')) == colon) {
        bool ok = false;
        const int p = to.host.mid(colon + 1).toInt(&ok);
        if (ok && p > 0) {
            to.port = p;
            to.host = to.host.left(colon);
        }
    }
    to.database = s.database;
    to.user = s.userName;
    to.password = s.password;
    const int timeout = qMax(1, state.options.timeoutSeconds);
    to.connectTimeout = qMin(timeout, connectTimeoutSeconds);
    to.readTimeout = timeout;
    to.writeTimeout = timeout;
    if (state.options.tls) {
        // Encryption is only worth it with the server's certificate checked.
        if (state.options.tlsCaFile.isEmpty())
            throw DbError(QStringLiteral("La conexión cifrada (TLS) necesita el certificado de la autoridad del "
                                         "servidor: falta TLS_CA en tarvil.ini."),
                          name);
        if (!QFileInfo::exists(state.options.tlsCaFile))
            throw DbError(QStringLiteral("No se encuentra el certificado %1 (TLS_CA de tarvil.ini).")
                              .arg(QDir::toNativeSeparators(state.options.tlsCaFile)),
                          name);
        to.tlsCa = state.options.tlsCaFile;
    }
    Wire::Error refused;
    st_mysql *m = Wire::connect(to, refused);
    if (!m) {
        const QString &text = refused.text;
        const bool tlsRefused = state.options.tls && (text.contains(QLatin1String("SSL"), Qt::CaseInsensitive) ||
                                                      text.contains(QLatin1String("TLS"), Qt::CaseInsensitive) ||
                                                      text.contains(QLatin1String("certificate"), Qt::CaseInsensitive));
        const QString told =
            tlsRefused ? QStringLiteral("No se pudo establecer la conexión cifrada (TLS) con el servidor de la base de "
                                        "datos: su certificado no es de la autoridad de TLS_CA en tarvil.ini. Revise "
                                        "ese certificado o avise al PEC.")
                       : QStringLiteral("No se pudo conectar con el servidor de la base de datos. Revise la conexión "
                                        "a Internet y vuelva a intentarlo; si sigue igual, avise al PEC.");
        ErrorDetails::remember(told, QStringLiteral("%1, %2: %3").arg(name, s.hostName, text));
        throw DbError(told, name, refused.code);
    }
    if (state.options.tls && !Wire::encrypted(m)) {
        Wire::close(m);
        throw DbError(QStringLiteral("El servidor de %1 no aceptó una conexión cifrada (TLS).").arg(name), name);
    }
    state.mysql = m;
    state.session = ++sessions;
    state.rulesSent = false;

    // The session's rules go with its first statement, whose literals are
    // escaped with backslashes as those rules have it. A server whose own
    // rules escape quotes by doubling them gets ours alone first: literals
    // escaped its way could read differently under ours.
    if (!Wire::quotesOnlyEscaping(m))
        return;
    ++exchanges;
    QVector<Wire::Result> out;
    if (const auto e = Wire::exchange(m, setUpStatement(), out)) {
        drop(c);
        throw DbError(e->text, name, e->code);
    }
    state.rulesSent = true;
}

QByteArray DataModule::Impl::setUpStatement()
{
    return QByteArrayLiteral("SET SESSION sql_mode = '") + DataModule::strictSqlMode() + '\'';
}

void DataModule::Impl::drop(Conn c)
{
    ConnState &state = conns[c];
    if (state.txBegun)
        state.txBroken = true;
    state.session = 0;
    Wire::close(state.mysql);
    state.mysql = nullptr;
}

st_mysql *DataModule::Impl::ready(Conn c)
{
    ConnState &state = conns[c];
    if (!state.mysql || state.session == 0) {
        open(c);
        return state.mysql;
    }
    st_mysql *m = state.mysql;
    // An idle session the server closed has its farewell waiting on the
    // socket; anything unasked is checked with a ping before a statement
    // goes into it.
    if (Wire::hasUnaskedInput(m)) {
        ++exchanges;
        if (!Wire::ping(m)) {
            const bool inTransaction = state.txBegun && !state.txBroken;
            drop(c);
            if (inTransaction)
                throw DbError(QStringLiteral("Se perdió la conexión con el servidor de la base de datos; la "
                                             "operación en curso no se completó."),
                              DataModule::connectionName(c), 2006);
            open(c);
            return state.mysql;
        }
    }
    return m;
}

DataModule::Impl::Reply DataModule::Impl::exchange(Conn c, const QByteArray &sql)
{
    ConnState &state = conns[c];
    st_mysql *m = ready(c);
    const bool rules = !state.rulesSent;
    const bool begin = state.transactions > 0 && !state.txBegun && !state.txBroken;
    QByteArray lead;
    if (rules)
        lead = setUpStatement() + ';';
    if (begin)
        lead += QByteArrayLiteral("START TRANSACTION;");
    Reply reply;
    QElapsedTimer t;
    t.start();
    ++exchanges;
    state.lastServerSession = Wire::serverSession(m);
    reply.error = Wire::exchange(m, lead + sql, reply.results);
    reply.elapsedMs = t.elapsed();
    if (rules && !reply.results.isEmpty()) {
        reply.results.removeFirst();
        state.rulesSent = true;
    }
    if (begin && state.rulesSent && !reply.results.isEmpty()) {
        reply.results.removeFirst();
        state.txBegun = true;
        state.txSession = state.session;
    }
    if (reply.error && reply.error->lost)
        drop(c);
    return reply;
}

void DataModule::Impl::fail(Conn c, const Wire::Error &e, const QString &statement, qint64 elapsedMs)
{
    const int timeout = conns[c].options.timeoutSeconds;
    QString text = e.text;
    QString details;
    if (e.lost)
        details = QStringLiteral("%1, %2 (%3): %4")
                      .arg(DataModule::connectionName(c), conns[c].settings.hostName, statement, e.text);
    if (e.lost && elapsedMs >= qint64(timeout) * 1000 - 500)
        text = QStringLiteral("El servidor de la base de datos no respondió en %1 segundos; se cortó la conexión. "
                              "Revise la conexión a Internet y vuelva a intentarlo.")
                   .arg(timeout);
    else if (e.lost)
        text = QStringLiteral("Se perdió la conexión con el servidor de la base de datos. Revise la conexión a "
                              "Internet y vuelva a intentarlo.");
    else if (e.code == 1406)
        text = QStringLiteral("El servidor rechazó un dato más largo que su campo: %1").arg(e.text);
    else if (e.code == 1366 || e.code == 1292 || e.code == 1265)
        text = QStringLiteral("El servidor rechazó un dato no válido: %1").arg(e.text);
    else if (e.code == 1048)
        text = QStringLiteral("Falta un dato obligatorio: %1").arg(e.text);
    ErrorDetails::remember(text, details);
    throw DbError(text, statement, e.code);
}

void DataModule::connect(Conn conn)
{
    d->ready(conn);
}

bool DataModule::isOpen(Conn conn) const
{
    const Impl::ConnState &state = d->conns.at(conn);
    return state.session != 0 && state.mysql;
}

quint64 DataModule::session(Conn conn) const
{
    return isOpen(conn) ? d->conns.at(conn).session : 0;
}

void DataModule::closeConnection(Conn conn)
{
    d->drop(conn);
}

void DataModule::closeAll()
{
    for (Conn c : {Conn::Operations, Conn::PostVenta, Conn::Sister})
        closeConnection(c);
}

NamedQuery &DataModule::query(const QString &name)
{
    auto it = d->catalogue.find(name);
    if (it != d->catalogue.end())
        return *it->second;
    for (const StatementDef &def : statementCatalogue()) {
        if (def.name == name) {
            auto q = std::make_unique<NamedQuery>(def.name, def.conn, def.sql);
            NamedQuery &ref = *q;
            d->catalogue.emplace(name, std::move(q));
            return ref;
        }
    }
    throw DbError(QStringLiteral("La sentencia %1 no existe en el módulo de datos.").arg(name), name);
}

NamedQuery &DataModule::statement(const QString &name, Conn conn, const std::function<QString()> &sql)
{
    auto &slot = d->ownStatements[{int(conn), name}];
    if (!slot)
        slot = std::make_unique<NamedQuery>(name, conn, sql());
    return *slot;
}

NamedQuery &DataModule::multiRowInsert(const QString &catalogueName, int rows)
{
    NamedQuery &single = query(catalogueName);
    return statement(catalogueName + QLatin1Char('#') + QString::number(rows), single.connection(), [&] {
        const QString &sql = single.sql();
        const qsizetype at = sql.indexOf(QLatin1String("values"), 0, Qt::CaseInsensitive);
        const QString head = sql.left(at + 6);
        const QString tuple = sql.mid(at + 6).trimmed();
        static const QRegularExpression param(QStringLiteral(":(\\w+)"));
        QStringList tuples;
        for (int i = 0; i < rows; ++i)
            tuples << QString(tuple).replace(param, QStringLiteral(":\\1_") + QString::number(i));
        return head + QLatin1Char(' ') + tuples.join(QStringLiteral(", "));
    });
}

bool DataModule::hasQuery(const QString &name) const
{
    for (const StatementDef &def : statementCatalogue()) {
        if (def.name == name)
            return true;
    }
    return false;
}

QStringList DataModule::queryNames() const
{
    QStringList names;
    for (const StatementDef &def : statementCatalogue())
        names << def.name;
    return names;
}

quint64 DataModule::exchangeCount() const
{
    return d->exchanges;
}

void DataModule::resetExchangeCount()
{
    d->exchanges = 0;
}

// ---------------------------------------------------------------- Batch

struct Batch::Impl {
    struct Item {
        NamedQuery *statement = nullptr;
        bool select = false;
    };
    Conn conn;
    QVector<Item> items;
    bool atomic = false;
    bool commitAfter = false; // the last batch of a Transaction
};

Batch::Batch(Conn conn) : d(std::make_unique<Impl>())
{
    d->conn = conn;
}

Batch::~Batch() = default;

void Batch::add(NamedQuery &statement, bool select)
{
    if (statement.connection() != d->conn)
        throw DbError(QStringLiteral("La sentencia %1 no corre en %2.")
                          .arg(statement.name(), DataModule::connectionName(d->conn)),
                      statement.name());
    d->items.push_back({&statement, select});
}

void Batch::setAtomic(bool atomic)
{
    d->atomic = atomic;
}

int Batch::size() const
{
    return int(d->items.size());
}

void Batch::run()
{
    DataModule::Impl &dm = *dm1().d;
    if (d->items.isEmpty() && !d->commitAfter)
        return;
    for (const Impl::Item &item : std::as_const(d->items))
        DataModulePrivate::forgetRows(*item.statement);
    st_mysql *m = dm.ready(d->conn); // literals are escaped for this session

    const bool ownTransaction = d->atomic && dm.conns[d->conn].transactions == 0;
    QByteArrayList parts;
    QStringList names;
    if (ownTransaction) {
        parts << QByteArrayLiteral("START TRANSACTION");
        names << QStringLiteral("START TRANSACTION");
    }
    for (const Impl::Item &item : std::as_const(d->items)) {
        parts << DataModulePrivate::render(*item.statement, m);
        names << item.statement->name();
    }
    if (ownTransaction || d->commitAfter) {
        parts << QByteArrayLiteral("COMMIT");
        names << QStringLiteral("COMMIT");
    }

    DataModule::Impl::Reply reply = dm.exchange(d->conn, parts.join(";\n"));
    const int first = ownTransaction ? 1 : 0;
    for (int i = 0; i < d->items.size(); ++i) {
        const int at = first + i;
        if (at >= reply.results.size())
            break;
        DataModulePrivate::accept(*d->items[i].statement, reply.results[at], d->items[i].select);
    }
    if (!reply.error)
        return;

    const int failed = int(reply.results.size());
    const QString name = failed < names.size() ? names.at(failed) : names.value(names.size() - 1);
    if (failed >= first && failed - first < d->items.size())
        d->items[failed - first].statement->close();
    // The server stopped at the failure with the transaction open.
    if (ownTransaction && !reply.error->lost && dm1().isOpen(d->conn))
        dm.exchange(d->conn, QByteArrayLiteral("ROLLBACK"));
    dm.fail(d->conn, *reply.error, name, reply.elapsedMs);
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Conn conn) : m_conn(conn)
{
    auto &state = dm1().d->conns[conn];
    if (state.transactions > 0) {
        m_nested = true;
        ++state.transactions;
        return;
    }
    state.transactions = 1;
    state.txBegun = false;
    state.txBroken = false;
    state.innerAbandoned = false;
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    DataModule::Impl &dm = *dm1().d;
    auto &state = dm.conns[m_conn];
    if (m_nested) {
        --state.transactions;
        state.innerAbandoned = true;
        return;
    }
    state.transactions = 0;
    const bool rollBack = state.txBegun && !state.txBroken && dm1().session(m_conn) == state.txSession;
    state.txBegun = false;
    if (rollBack) {
        try {
            dm.exchange(m_conn, QByteArrayLiteral("ROLLBACK"));
        } catch (const DbError &) {
            // The session went with its uncommitted rows.
        }
    }
}

void Transaction::commit(Batch &last)
{
    if (m_done || m_nested) {
        last.run();
        commit();
        return;
    }
    DataModule::Impl &dm = *dm1().d;
    auto &state = dm.conns[m_conn];
    if (state.txBroken || (state.txBegun && dm1().session(m_conn) != state.txSession))
        throw DbError(QStringLiteral("Se perdió la conexión antes de confirmar los cambios."),
                      DataModule::connectionName(m_conn), 2013);
    if (state.innerAbandoned) {
        commit(); // refuses, rolling back
        return;
    }
    last.d->commitAfter = true;
    last.run(); // a failure leaves the rollback to the destructor
    m_done = true;
    state.transactions = 0;
    state.txBegun = false;
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_done = true;
    DataModule::Impl &dm = *dm1().d;
    auto &state = dm.conns[m_conn];
    if (m_nested) {
        --state.transactions;
        return;
    }
    state.transactions = 0;
    const bool begun = state.txBegun;
    const bool lost = state.txBroken || (begun && dm1().session(m_conn) != state.txSession);
    state.txBegun = false;
    const QString name = DataModule::connectionName(m_conn);
    // A session that dropped in between took the transaction's rows with it.
    if (lost)
        throw DbError(QStringLiteral("Se perdió la conexión antes de confirmar los cambios."), name, 2013);
    if (state.innerAbandoned) {
        state.innerAbandoned = false;
        if (begun)
            dm.exchange(m_conn, QByteArrayLiteral("ROLLBACK"));
        throw DbError(QStringLiteral("Una parte de la operación no se completó; no se guardó ningún cambio."), name);
    }
    if (!begun)
        return; // nothing was sent
    const DataModule::Impl::Reply reply = dm.exchange(m_conn, QByteArrayLiteral("COMMIT"));
    if (reply.error)
        dm.fail(m_conn, *reply.error, QStringLiteral("COMMIT"), reply.elapsedMs);
}
