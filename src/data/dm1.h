#pragma once

// The data module: the three MySQL connections, the named statements shared
// by several windows, and transactions. A window's own statements are
// NamedQuery objects the window creates with its SQL text beside it.
//
// Pattern for every statement: close, set parameters by name, open (select)
// or execute (insert/update/delete), read fields by name. Failures throw
// DbError with the client's text; nothing retries. A session the server
// dropped is closed after its error, so the next statement opens a new one.
//
// Each statement is prepared once per connection session; a run then binds
// and executes it (Qt's driver also resets the statement first), and a
// select brings all its rows in that exchange.

#include "core/connectionsettings.h"
#include "data/dberror.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

class QSqlError;

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
    friend class DataModule;
    void run(bool select);
    [[noreturn]] void fail(const QSqlError &error);
    void releaseHandle(); // the connection is about to close
    struct Impl;
    std::unique_ptr<Impl> d;
};

class DataModule
{
public:
    static DataModule &instance();

    // A host written "host:port" connects to that TCP port. Reconfiguring an
    // open connection closes it; the next statement opens the new one.
    void configure(Conn conn, const ConnectionSettings &settings);
    ConnectionSettings settings(Conn conn) const;

    // Opens the connection on first use and reopens it after a close.
    QSqlDatabase database(Conn conn);
    bool isOpen(Conn conn) const;
    void closeConnection(Conn conn);
    void closeAll();

    // A statement of the catalogue by its name (e.g. "SQLQueryTaller").
    NamedQuery &query(const QString &name);
    bool hasQuery(const QString &name) const;
    QStringList queryNames() const;

    // Statements sent to the servers since the last reset (benchmarks).
    quint64 statementCount() const;
    void resetStatementCount();
    void countStatement();

    static QString connectionName(Conn conn); // "SQLConnection1", ...

    // Built-in settings of each connection before the profile writes its own.
    static ConnectionSettings defaultSettings(Conn conn);

private:
    friend class NamedQuery;
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

private:
    Conn m_conn;
    bool m_done = false;
    quint64 m_session = 0; // the connection's open count when the transaction began
    bool m_nested = false;
};
