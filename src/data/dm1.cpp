#include "data/dm1.h"

#include "data/statements.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <map>

namespace
{

constexpr int connectTimeoutSeconds = 10;

// Client error codes after which the session is gone: the connection is
// closed so that the next statement opens a fresh one.
bool isLostConnection(const QSqlError &e)
{
    static const QSet<QString> codes = {
        QStringLiteral("2006"), // server has gone away
        QStringLiteral("2013"), // lost connection during query
        QStringLiteral("2055"), // lost connection (extended)
        QStringLiteral("1927"), // connection was killed
        QStringLiteral("4031"), // disconnected by the server for inactivity
    };
    return codes.contains(e.nativeErrorCode());
}

QString clientText(const QSqlError &e)
{
    const QString t = e.databaseText().trimmed();
    return t.isEmpty() ? e.text().trimmed() : t;
}

// ":name" -> "?" outside quotes and comments; names are collected in order.
QString toPositional(const QString &sql, QStringList &names)
{
    QString out;
    out.reserve(sql.size());
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            out += c;
            if (c == QLatin1Char('\\') && i + 1 < sql.size())
                out += sql.at(++i);
            else if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            quote = c;
            out += c;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < sql.size() &&
            (sql.at(i + 1).isLetterOrNumber() || sql.at(i + 1) == QLatin1Char('_')) &&
            (i == 0 || sql.at(i - 1) != QLatin1Char(':'))) {
            qsizetype j = i + 1;
            while (j < sql.size() && (sql.at(j).isLetterOrNumber() || sql.at(j) == QLatin1Char('_')))
                ++j;
            names << sql.mid(i + 1, j - i - 1);
            out += QLatin1Char('?');
            i = j - 1;
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace

// ---------------------------------------------------------------- DataModule

struct DataModule::Impl {
    struct ConnState {
        ConnectionSettings settings;
        quint64 generation = 0; // bumped at every open: prepared statements of older ones are stale
        bool lost = false;      // the server dropped the session
        int transactions = 0;   // open Transaction objects, outermost included
        quint64 txSession = 0;  // the session the outermost one began on
        bool innerAbandoned = false;
    };
    std::map<Conn, ConnState> conns;
    QSet<NamedQuery *> live;                                  // every NamedQuery, catalogue or window
    std::map<QString, std::unique_ptr<NamedQuery>> catalogue; // created on first use
    quint64 statements = 0;

    ~Impl()
    {
        catalogue.clear();
        gone = true;
    }
    static inline bool gone = false; // statements outliving the module must not reach it

    QSqlDatabase handle(Conn c) const
    {
        const QString name = DataModule::connectionName(c);
        if (QSqlDatabase::contains(name))
            return QSqlDatabase::database(name, false);
        return QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    }
};

DataModule::DataModule() : d(std::make_unique<Impl>())
{
    for (Conn c : {Conn::Operations, Conn::PostVenta, Conn::Sister})
        d->conns[c].settings = defaultSettings(c);
}

DataModule &DataModule::instance()
{
    static DataModule module;
    return module;
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

QSqlDatabase DataModule::database(Conn conn)
{
    QSqlDatabase db = d->handle(conn);
    if (db.isOpen())
        return db;

    const ConnectionSettings &s = d->conns[conn].settings;
    if (s.isEmpty())
        throw DbError(
            QStringLiteral("La conexión %1 no está configurada para esta instalación.").arg(connectionName(conn)),
            connectionName(conn));

    QString host = s.hostName;
    int port = 0;
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && host.indexOf(QLatin1Char(':')) == colon) {
        bool ok = false;
        const int p = host.mid(colon + 1).toInt(&ok);
        if (ok && p > 0) {
            port = p;
            host = host.left(colon);
        }
    }
    db.setHostName(host);
    db.setPort(port > 0 ? port : -1);
    db.setDatabaseName(s.database);
    db.setUserName(s.userName);
    db.setPassword(s.password);
    db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(connectTimeoutSeconds));
    if (!db.open()) {
        const QString text = clientText(db.lastError());
        db.close();
        throw DbError(text, connectionName(conn));
    }
    ++d->conns[conn].generation;
    return db;
}

bool DataModule::isOpen(Conn conn) const
{
    const QString name = connectionName(conn);
    return QSqlDatabase::contains(name) && QSqlDatabase::database(name, false).isOpen();
}

void DataModule::closeConnection(Conn conn)
{
    // Statements let go of their server handles before the session goes. A
    // session the server already dropped is closed first, so that the client
    // frees the handles locally instead of talking to a dead socket.
    const QString name = connectionName(conn);
    if (QSqlDatabase::contains(name) && d->conns[conn].lost)
        QSqlDatabase::database(name, false).close();
    d->conns[conn].lost = false;
    for (NamedQuery *q : std::as_const(d->live)) {
        if (q->connection() == conn)
            q->releaseHandle();
    }
    if (QSqlDatabase::contains(name))
        QSqlDatabase::database(name, false).close();
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

quint64 DataModule::statementCount() const
{
    return d->statements;
}
void DataModule::resetStatementCount()
{
    d->statements = 0;
}
void DataModule::countStatement()
{
    ++d->statements;
}

// ---------------------------------------------------------------- NamedQuery

struct NamedQuery::Impl {
    QString name;
    Conn conn;
    QString sql;
    QString positionalSql;
    QStringList positions;             // parameter name of each '?'
    QHash<QString, QString> canonical; // lower-case name -> name as written
    QHash<QString, QVariant> values;   // by name as written

    std::unique_ptr<QSqlQuery> handle;
    quint64 generation = 0;

    QVector<QSqlRecord> rows;
    QHash<QString, int> fieldIndex; // lower-case field name -> column
    int pos = -1;
    bool active = false;
    QVariant insertId;
    int affected = -1;
};

NamedQuery::NamedQuery(QString name, Conn conn, QString sql) : d(std::make_unique<Impl>())
{
    d->name = std::move(name);
    d->conn = conn;
    d->sql = std::move(sql);
    d->positionalSql = toPositional(d->sql, d->positions);
    for (const QString &p : std::as_const(d->positions))
        d->canonical.insert(p.toLower(), p);
    dm1().d->live.insert(this);
}

NamedQuery::~NamedQuery()
{
    if (!DataModule::Impl::gone)
        dm1().d->live.remove(this);
}

const QString &NamedQuery::name() const
{
    return d->name;
}
Conn NamedQuery::connection() const
{
    return d->conn;
}
const QString &NamedQuery::sql() const
{
    return d->sql;
}

QStringList NamedQuery::paramNames() const
{
    QStringList out;
    for (const QString &p : std::as_const(d->positions)) {
        if (!out.contains(p))
            out << p;
    }
    return out;
}

bool NamedQuery::isActive() const
{
    return d->active;
}

void NamedQuery::releaseHandle()
{
    d->handle.reset();
    d->generation = 0;
}

void NamedQuery::close()
{
    d->rows.clear();
    d->fieldIndex.clear();
    d->values.clear();
    d->pos = -1;
    d->active = false;
    d->insertId = QVariant();
    d->affected = -1;
    if (d->handle)
        d->handle->finish();
}

void NamedQuery::setParam(const QString &param, const QVariant &value)
{
    const QString p = param.startsWith(QLatin1Char(':')) ? param.mid(1) : param;
    const auto it = d->canonical.constFind(p.toLower());
    if (it == d->canonical.constEnd())
        throw DbError(QStringLiteral("La sentencia %1 no tiene el parámetro %2.").arg(d->name, p), d->name);
    d->values.insert(it.value(), value);
}

void NamedQuery::open()
{
    run(true);
}
void NamedQuery::execute()
{
    run(false);
}

void NamedQuery::fail(const QSqlError &error)
{
    const QString text = clientText(error);
    const bool lost = isLostConnection(error);
    close();
    if (lost) {
        dm1().d->conns[d->conn].lost = true;
        dm1().closeConnection(d->conn);
    }
    throw DbError(text, d->name, error.nativeErrorCode().toUInt());
}

void NamedQuery::run(bool select)
{
    DataModule &dm = dm1();
    d->rows.clear();
    d->fieldIndex.clear();
    d->pos = -1;
    d->active = false;

    for (const QString &p : std::as_const(d->positions)) {
        if (!d->values.contains(p)) {
            close();
            throw DbError(QStringLiteral("Falta el valor del parámetro %1 de la sentencia %2.").arg(p, d->name),
                          d->name);
        }
    }

    QSqlDatabase db = dm.database(d->conn);
    const quint64 generation = dm.d->conns[d->conn].generation;
    if (!d->handle || d->generation != generation) {
        d->handle = std::make_unique<QSqlQuery>(db);
        d->handle->setForwardOnly(true);
        dm.countStatement();
        if (!d->handle->prepare(d->positionalSql)) {
            const QSqlError e = d->handle->lastError();
            d->handle.reset();
            fail(e);
        }
        d->generation = generation;
    }

    QSqlQuery &q = *d->handle;
    for (int i = 0; i < d->positions.size(); ++i)
        q.bindValue(i, d->values.value(d->positions.at(i)));
    dm.countStatement();
    if (!q.exec())
        fail(q.lastError());

    d->active = true;
    d->affected = q.numRowsAffected();
    d->insertId = q.lastInsertId();
    if (!select || !q.isSelect()) {
        q.finish();
        return;
    }

    // Duplicate column names of a join get "_1", "_2" ... as the grids know them.
    QSqlRecord shape = q.record();
    QSet<QString> seen;
    for (int i = 0; i < shape.count(); ++i) {
        QSqlField f = shape.field(i);
        QString fieldName = f.name();
        if (seen.contains(fieldName.toLower())) {
            int n = 1;
            while (seen.contains(QStringLiteral("%1_%2").arg(f.name()).arg(n).toLower()))
                ++n;
            fieldName = QStringLiteral("%1_%2").arg(f.name()).arg(n);
            f.setName(fieldName);
            shape.replace(i, f);
        }
        seen.insert(fieldName.toLower());
        d->fieldIndex.insert(fieldName.toLower(), i);
    }
    while (q.next()) {
        QSqlRecord r = shape;
        for (int i = 0; i < r.count(); ++i)
            r.setValue(i, q.value(i));
        d->rows.push_back(std::move(r));
    }
    if (q.lastError().isValid() && q.lastError().type() != QSqlError::NoError)
        fail(q.lastError());
    q.finish();
    if (!d->rows.isEmpty())
        d->pos = 0;
}

bool NamedQuery::isEmpty() const
{
    return d->rows.isEmpty();
}
int NamedQuery::rowCount() const
{
    return int(d->rows.size());
}

bool NamedQuery::first()
{
    d->pos = d->rows.isEmpty() ? -1 : 0;
    return d->pos == 0;
}

bool NamedQuery::next()
{
    if (d->pos < 0 || d->pos >= d->rows.size())
        return false;
    ++d->pos;
    return d->pos < d->rows.size();
}

bool NamedQuery::eof() const
{
    return d->pos < 0 || d->pos >= d->rows.size();
}
int NamedQuery::position() const
{
    return d->pos;
}
const QVector<QSqlRecord> &NamedQuery::rows() const
{
    return d->rows;
}

QVariant NamedQuery::field(const QString &fieldName) const
{
    if (eof())
        return {};
    const int i = d->fieldIndex.value(fieldName.toLower(), -1);
    if (i < 0)
        return {};
    return d->rows.at(d->pos).value(i);
}

QString NamedQuery::text(const QString &fieldName) const
{
    QString s = field(fieldName).toString();
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    s.truncate(n);
    return s;
}

int NamedQuery::integer(const QString &fieldName) const
{
    const QVariant v = field(fieldName);
    if (v.isNull())
        return 0;
    bool ok = false;
    const QString s = v.toString().trimmed();
    const int i = s.toInt(&ok);
    if (ok)
        return i;
    const double x = s.toDouble(&ok);
    return ok ? int(qRound64(x)) : 0;
}

double NamedQuery::real(const QString &fieldName) const
{
    const QVariant v = field(fieldName);
    return v.isNull() ? 0.0 : v.toString().trimmed().toDouble();
}

QDate NamedQuery::date(const QString &fieldName) const
{
    const QVariant v = field(fieldName);
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return v.toDate();
}

bool NamedQuery::isNull(const QString &fieldName) const
{
    return field(fieldName).isNull();
}

QVariant NamedQuery::lastInsertId() const
{
    return d->insertId;
}
int NamedQuery::numRowsAffected() const
{
    return d->affected;
}

// ---------------------------------------------------------------- Transaction

// MySQL's START TRANSACTION commits whatever is pending, so a nested begin
// must never reach the server.
Transaction::Transaction(Conn conn) : m_conn(conn)
{
    auto &state = dm1().d->conns[conn];
    if (state.transactions > 0 && dm1().isOpen(conn) && state.generation == state.txSession) {
        m_nested = true;
        ++state.transactions;
        return;
    }
    QSqlDatabase db = dm1().database(conn);
    m_session = state.generation;
    dm1().countStatement();
    if (!db.transaction()) {
        m_done = true;
        throw DbError(clientText(db.lastError()), DataModule::connectionName(conn));
    }
    state.transactions = 1;
    state.txSession = m_session;
    state.innerAbandoned = false;
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    auto &state = dm1().d->conns[m_conn];
    if (m_nested) {
        --state.transactions;
        state.innerAbandoned = true;
        return;
    }
    state.transactions = 0;
    if (dm1().isOpen(m_conn) && state.generation == m_session) {
        QSqlDatabase db = dm1().database(m_conn);
        dm1().countStatement();
        db.rollback();
    }
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_done = true;
    auto &state = dm1().d->conns[m_conn];
    if (m_nested) {
        --state.transactions;
        return;
    }
    state.transactions = 0;
    const QString name = DataModule::connectionName(m_conn);
    // A session that dropped in between took the transaction's rows with it.
    if (!dm1().isOpen(m_conn) || state.generation != m_session)
        throw DbError(QStringLiteral("Se perdió la conexión antes de confirmar los cambios."), name);
    QSqlDatabase db = dm1().database(m_conn);
    dm1().countStatement();
    if (state.innerAbandoned) {
        state.innerAbandoned = false;
        db.rollback();
        throw DbError(QStringLiteral("Una parte de la operación no se completó; no se guardó ningún cambio."), name);
    }
    if (!db.commit())
        throw DbError(clientText(db.lastError()), name);
}
