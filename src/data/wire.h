#pragma once

// The MySQL client library under Qt's QMYSQL driver, called directly where
// the driver costs round trips: statements go as text in one exchange, with
// values escaped by the library for the session's character set. Only the
// data module uses this; everything else goes through NamedQuery and Batch.

#include <QByteArray>
#include <QSqlDatabase>
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

// The client handle of an open QMYSQL connection; null when there is none.
st_mysql *handleOf(const QSqlDatabase &db);

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

// "Host is TLS" and the cipher, for the look of the connection.
QString tlsCipher(st_mysql *mysql);

} // namespace Wire
