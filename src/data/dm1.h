#pragma once

// The data module: the three MySQL connections, the named statements shared
// by several windows, batches and transactions. A window's own statements
// are NamedQuery objects; repositories (pendingstore, loginrepository,
// recallrepository, catalogue) put theirs in the catalogue.
//
// Pattern for every statement: close, set parameters by name, open (select)
// or execute (insert/update/delete), read fields by name. Failures throw
// DbError with the client's text; nothing is retried.
//
// Round trips are what an operator over a slow link pays for, so a run is
// one exchange with the server: the statement goes as text, its values
// escaped by the client library (never pasted raw), and a select brings all
// its rows in that exchange. A Batch sends several statements in one
// exchange; a transaction's begin travels with its first statement.
//
// A connection opens on first use with the character set and the database in
// its handshake (the protocol's round trips and no more), sends its strict
// sql_mode with its first statement and stays open for the program's life. Before each exchange it is checked without a
// round trip; one the server dropped while idle is opened again first. A session lost during a statement is closed
// after its error, so the next statement opens a new one.

#include "core/connectionsettings.h"
#include "data/dberror.h"

#include <QDate>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class NamedQuery
{
public:
    NamedQuery(QString name, Conn conn, QString sql);
    ~NamedQuery();
    NamedQuery(const NamedQuery &) = delete;
    NamedQuery &operator=(const NamedQuery &) = delete;

    const QString &name() const;
    Conn connection() const;
    const QString &sql() const;

    void close(); // forget rows and parameters
    // Name with or without ':', any case; an unknown name throws. Every
    // parameter needs a value (a null QVariant for NULL) before a run.
    // A null QString or QByteArray, or an invalid date, is NULL too.
    void setParam(const QString &param, const QVariant &value);
    void open();    // select: keeps every row
    void execute(); // no rows

    bool isEmpty() const;
    int rowCount() const;
    bool first(); // positions on the first row; false when empty
    bool next();  // advances; false past the last row
    bool eof() const;
    int position() const;
    const QVector<QSqlRecord> &rows() const;

    // Current row's field, name compared without regard to case; an invalid
    // QVariant for an unknown field or no current row.
    QVariant field(const QString &fieldName) const;
    QString text(const QString &fieldName) const; // trimmed of blank padding on the right
    int integer(const QString &fieldName) const;
    QDate date(const QString &fieldName) const;
    double real(const QString &fieldName) const;
    bool isNull(const QString &fieldName) const; // also true for an unknown field

    // The statement's parameter names in order of first use (without ':').
    QStringList paramNames() const;
    bool isActive() const; // opened or executed since the last close

    QVariant lastInsertId() const;
    int numRowsAffected() const;

    // Rows of this statement read on another session (a BackgroundQuery):
    // the statement holds them as if it had been opened here.
    void adoptRows(QVector<QSqlRecord> rows);

private:
    friend struct DataModulePrivate;
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A value that the server itself holds: a session variable written by an
// earlier statement of the same batch (e.g. the id an insert generated).
// Only names of letters and '_' are accepted.
struct SessionVariable {
    QString name;
};
Q_DECLARE_METATYPE(SessionVariable)

// Several statements sent in one exchange. Each added NamedQuery keeps its
// own parameters and afterwards holds its own rows, insert id and count, as
// if it had run alone. The server stops at the first statement that fails;
// run() then throws that statement's DbError, and the statements before it
// keep their results.
class Batch
{
public:
    explicit Batch(Conn conn);
    ~Batch();
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;

    // `select`: the statement's rows are kept (as open()); otherwise as execute().
    void add(NamedQuery &statement, bool select);
    // Everything in the batch or nothing: the transaction's begin and commit
    // travel in the same exchange; a failure rolls back (one exchange more
    // when the session is still alive). Inside an open Transaction the batch
    // joins it instead.
    void setAtomic(bool atomic);
    void run();
    int size() const;

private:
    friend class Transaction;
    struct Impl;
    std::unique_ptr<Impl> d;
};

// How a connection reaches its server, beyond host, database and account.
struct LinkOptions {
    int timeoutSeconds = 30; // reading and writing; a stalled server ends a statement after it
    bool tls = false;
    QString tlsCaFile; // the authority the server's certificate must come from
    bool operator==(const LinkOptions &) const = default;
};

// The program's module belongs to the window's thread. A worker thread that
// reads lists for the windows (BackgroundQuery) has a module of its own, with
// its own sessions and statements; on that thread instance() is that module.
class DataModule
{
public:
    static DataModule &instance();
    ~DataModule();

    // A host written "host:port" connects to that TCP port. Reconfiguring an
    // open connection closes it; the next statement opens the new one.
    void configure(Conn conn, const ConnectionSettings &settings);
    ConnectionSettings settings(Conn conn) const;
    void setLinkOptions(Conn conn, const LinkOptions &options);
    LinkOptions linkOptions(Conn conn) const;

    // Opens the connection now unless it is open; otherwise every statement
    // opens it on first use and reopens it after a close.
    void connect(Conn conn);
    bool isOpen(Conn conn) const;
    void closeConnection(Conn conn);
    void closeAll();
    // Changes each time the connection opens: what a session cached is valid
    // while this stays the same.
    quint64 session(Conn conn) const;

    // A statement of the catalogue by its name (e.g. "SQLQueryTaller").
    NamedQuery &query(const QString &name);
    // A repository's own statement, made from `sql()` on first use and kept
    // like the catalogue's; `name` is unique per connection.
    NamedQuery &statement(const QString &name, Conn conn, const std::function<QString()> &sql);
    // The catalogue's one-row insert `catalogueName` repeated for `rows` rows
    // in one statement, each row's parameters suffixed with its index
    // (":codcil" -> ":codcil_2"): a save costs the same round trips whatever
    // its number of rows. Kept like the catalogue's own.
    NamedQuery &multiRowInsert(const QString &catalogueName, int rows);
    bool hasQuery(const QString &name) const;
    QStringList queryNames() const;

    // Exchanges with the servers since the last reset: each request sent and
    // its answer read is one, whatever number of statements it carried.
    // Opening a connection counts none: its rules go with its first exchange.
    quint64 exchangeCount() const;
    void resetExchangeCount();

    static QString connectionName(Conn conn); // "SQLConnection1", ...

    // Built-in settings of each connection before the profile writes its own.
    static ConnectionSettings defaultSettings(Conn conn);

    // The sql_mode every session runs under: a value too long or of the wrong
    // kind is an error, never cut or changed silently.
    static const char *strictSqlMode();

private:
    friend struct DataModulePrivate;
    friend class Batch;
    friend class Transaction;
    DataModule();
    struct Impl;
    std::unique_ptr<Impl> d;
};

inline DataModule &dm1()
{
    return DataModule::instance();
}

// Everything written through one connection between construction and commit()
// stays or goes together; the destructor rolls back an uncommitted transaction.
// The begin is sent with the first statement, so a transaction costs one
// exchange more than its statements (the commit), none when nothing ran.
// A transaction begun inside another on the same connection joins it: the
// outer one decides, and an inner one left uncommitted makes it fail.
class Transaction
{
public:
    explicit Transaction(Conn conn);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();
    // Runs `last` and commits in the same exchange: a transaction whose
    // statements all go in one batch costs one round trip.
    void commit(Batch &last);

private:
    Conn m_conn;
    bool m_done = false;
    bool m_nested = false;
};
