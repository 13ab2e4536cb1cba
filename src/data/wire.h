#pragma once

// The MySQL client library, called directly: Qt's QMYSQL driver costs three
// round trips more to open a session (SET NAMES, Init DB and a prepare probe,
// none of which it lets us leave out), and over a 50 ms link that is what an
// operator waits for. Sessions open with the character set and the database
// in the handshake; statements go as text, several in one exchange, with
// values escaped by the library for the session's character set. Only the
// data module uses this; everything else goes through NamedQuery and Batch.

#include <QByteArray>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

struct st_mysql;

namespace Wire
{

// What one statement of an exchange gave back.
struct Result {
    bool hasRows = false;
    QSqlRecord shape; // column names and types
    QVector<QVariantList> rows;
    qint64 affected = -1;
    QVariant insertId; // invalid when the statement generated none
};

struct Error {
    unsigned code = 0;
    QString text;      // the client library's own message
    bool lost = false; // the session is gone with it
};

// Where a session goes and how long it waits.
struct Endpoint {
    QString host; // "localhost" (or empty) is the local socket
    int port = 0; // 0: the default one
    QString user;
    QString password;
    QString database;
    int connectTimeout = 10; // seconds
    int readTimeout = 30;
    int writeTimeout = 30;
    QString tlsCa; // the authority's certificate; empty: no TLS
};

// A new session, its character set (utf8mb4) and database given in the
// handshake: the protocol's round trips and nothing more. Null with `error`
// filled when it could not be opened.
st_mysql *connect(const Endpoint &to, Error &error);
// Ends a session (null is fine); the server is told when it still listens.
void close(st_mysql *mysql);
// True when the server's rules of the session escape quotes by doubling
// them (NO_BACKSLASH_ESCAPES), as the handshake or the last answer said.
bool quotesOnlyEscaping(st_mysql *mysql);

// `value` as SQL text for this session: NULL, a number, or a quoted literal
// escaped by the library (text, bytes, dates). Throws DbError for a value it
// cannot write exactly (a NaN, a type with no SQL form).
QByteArray literal(st_mysql *mysql, const QVariant &value);

// Sends `sql` (one or more statements separated by ';') and reads the result
// of each statement into `out` until the first failure, which is returned.
std::optional<Error> exchange(st_mysql *mysql, const QByteArray &sql, QVector<Result> &out);

// True when the server has closed an idle session: its socket has something
// to read (the end of the stream or a farewell error) while nothing was asked.
// Costs no round trip.
bool hasUnaskedInput(st_mysql *mysql);

// One round trip; false when the session is gone.
bool ping(st_mysql *mysql);

bool isLost(unsigned code);

// The server's id of the session (what KILL takes); no round trip.
qulonglong serverSession(st_mysql *mysql);

// Whether the session runs over TLS; no round trip.
bool encrypted(st_mysql *mysql);

} // namespace Wire
