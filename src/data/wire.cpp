#include "data/wire.h"

#include "core/platform.h"
#include "data/dberror.h"
#include "data/dm1.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QSqlField>
#include <cmath>
#include <mysql.h>

namespace Wire
{

namespace
{

QString clientText(MYSQL *m)
{
    return QString::fromUtf8(mysql_error(m)).trimmed();
}

bool isNullValue(const QVariant &v)
{
    if (v.isNull())
        return true;
    switch (v.typeId()) {
    case QMetaType::QString:
        return v.toString().isNull();
    case QMetaType::QByteArray:
        return v.toByteArray().isNull();
    case QMetaType::QDate:
        return !v.toDate().isValid();
    case QMetaType::QDateTime:
        return !v.toDateTime().isValid();
    case QMetaType::QTime:
        return !v.toTime().isValid();
    default:
        return false;
    }
}

QByteArray quoted(MYSQL *m, const QByteArray &raw, const char *introducer = "")
{
    QByteArray out(qsizetype(raw.size()) * 2 + 1, Qt::Uninitialized);
    const unsigned long n = mysql_real_escape_string(m, out.data(), raw.constData(), (unsigned long)raw.size());
    out.truncate(qsizetype(n));
    return QByteArray(introducer) + '\'' + out + '\'';
}

QMetaType typeOf(const MYSQL_FIELD &f)
{
    const bool isUnsigned = f.flags & UNSIGNED_FLAG;
    switch (f.type) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_INT24:
    case MYSQL_TYPE_YEAR:
        return QMetaType(QMetaType::Int);
    case MYSQL_TYPE_LONG:
        return QMetaType(isUnsigned ? QMetaType::LongLong : QMetaType::Int);
    case MYSQL_TYPE_LONGLONG:
    case MYSQL_TYPE_BIT:
        return QMetaType(isUnsigned ? QMetaType::ULongLong : QMetaType::LongLong);
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
        return QMetaType(QMetaType::Double);
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_NEWDATE:
        return QMetaType(QMetaType::QDate);
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
        return QMetaType(QMetaType::QDateTime);
    case MYSQL_TYPE_STRING:
    case MYSQL_TYPE_VAR_STRING:
    case MYSQL_TYPE_VARCHAR:
    case MYSQL_TYPE_BLOB:
    case MYSQL_TYPE_TINY_BLOB:
    case MYSQL_TYPE_MEDIUM_BLOB:
    case MYSQL_TYPE_LONG_BLOB:
        // Character set 63 is "binary": bytes, not text.
        return QMetaType(f.charsetnr == 63 ? QMetaType::QByteArray : QMetaType::QString);
    default:
        return QMetaType(QMetaType::QString);
    }
}

QVariant valueOf(const QMetaType &type, const MYSQL_FIELD &f, const char *data, unsigned long length)
{
    if (!data)
        return QVariant(type);
    const QByteArray raw = QByteArray::fromRawData(data, qsizetype(length));
    switch (type.id()) {
    case QMetaType::Int:
        return raw.toInt();
    case QMetaType::LongLong:
        return raw.toLongLong();
    case QMetaType::ULongLong:
        if (f.type == MYSQL_TYPE_BIT) {
            quint64 bits = 0;
            for (qsizetype i = 0; i < raw.size(); ++i)
                bits = (bits << 8) | quint8(raw.at(i));
            return bits;
        }
        return raw.toULongLong();
    case QMetaType::Double:
        return raw.toDouble();
    case QMetaType::QDate: // "0000-00-00" reads as an invalid date
        return QDate::fromString(QString::fromLatin1(raw), Qt::ISODate);
    case QMetaType::QDateTime: {
        const QString s = QString::fromLatin1(raw);
        return QDateTime::fromString(s, s.contains(QLatin1Char('.')) ? QStringLiteral("yyyy-MM-dd HH:mm:ss.z")
                                                                     : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    case QMetaType::QByteArray:
        return QByteArray(data, qsizetype(length));
    default:
        return QString::fromUtf8(data, qsizetype(length));
    }
}

Result readResult(MYSQL *m, MYSQL_RES *res)
{
    Result r;
    r.affected = qint64(mysql_affected_rows(m));
    if (const my_ulonglong id = mysql_insert_id(m))
        r.insertId = QVariant(quint64(id));
    if (!res)
        return r;
    r.hasRows = true;
    const unsigned n = mysql_num_fields(res);
    const MYSQL_FIELD *fields = mysql_fetch_fields(res);
    QVector<QMetaType> types;
    for (unsigned i = 0; i < n; ++i) {
        types << typeOf(fields[i]);
        r.shape.append(QSqlField(QString::fromUtf8(fields[i].name), types.last(), QString::fromUtf8(fields[i].table)));
    }
    r.rows.reserve(qsizetype(mysql_num_rows(res)));
    while (MYSQL_ROW row = mysql_fetch_row(res)) {
        const unsigned long *lengths = mysql_fetch_lengths(res);
        QVariantList values;
        values.reserve(n);
        for (unsigned i = 0; i < n; ++i)
            values << valueOf(types[int(i)], fields[i], row[i], lengths[i]);
        r.rows << values;
    }
    r.affected = qint64(r.rows.size());
    mysql_free_result(res);
    return r;
}

Error errorOf(MYSQL *m)
{
    Error e;
    e.code = mysql_errno(m);
    e.text = clientText(m);
    e.lost = isLost(e.code);
    return e;
}

} // namespace

bool isLost(unsigned code)
{
    switch (code) {
    case 2006: // server has gone away
    case 2013: // lost connection during query
    case 2055: // lost connection (extended)
    case 1927: // connection was killed
    case 4031: // disconnected by the server for inactivity
        return true;
    default:
        return false;
    }
}

st_mysql *connect(const Endpoint &to, Error &error)
{
    // Once, before any thread opens a session.
    static const bool initialised = mysql_library_init(0, nullptr, nullptr) == 0;
    MYSQL *m = initialised ? mysql_init(nullptr) : nullptr;
    if (!m) {
        error = {2008, QStringLiteral("El cliente de MySQL no pudo iniciarse."), false};
        return nullptr;
    }
    const unsigned connectTimeout = unsigned(qMax(1, to.connectTimeout));
    const unsigned readTimeout = unsigned(qMax(1, to.readTimeout));
    const unsigned writeTimeout = unsigned(qMax(1, to.writeTimeout));
    mysql_options(m, MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeout);
    mysql_options(m, MYSQL_OPT_READ_TIMEOUT, &readTimeout);
    mysql_options(m, MYSQL_OPT_WRITE_TIMEOUT, &writeTimeout);
    mysql_options(m, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const QByteArray ca = QFile::encodeName(to.tlsCa);
    if (!ca.isEmpty())
        mysql_ssl_set(m, nullptr, nullptr, ca.constData(), nullptr, nullptr);
    const QByteArray host = to.host.toUtf8();
    const QByteArray user = to.user.toUtf8();
    const QByteArray password = to.password.toUtf8();
    const QByteArray database = to.database.toUtf8();
    if (!mysql_real_connect(m, host.isEmpty() ? nullptr : host.constData(), user.constData(), password.constData(),
                            database.isEmpty() ? nullptr : database.constData(), unsigned(qMax(0, to.port)), nullptr,
                            CLIENT_MULTI_STATEMENTS)) {
        error = errorOf(m);
        mysql_close(m);
        return nullptr;
    }
    return m;
}

void close(st_mysql *m)
{
    if (m)
        mysql_close(m);
}

bool quotesOnlyEscaping(st_mysql *m)
{
    return m && (m->server_status & SERVER_STATUS_NO_BACKSLASH_ESCAPES);
}

QByteArray literal(st_mysql *m, const QVariant &v)
{
    if (isNullValue(v))
        return QByteArrayLiteral("NULL");
    if (v.canConvert<SessionVariable>() && v.userType() == qMetaTypeId<SessionVariable>()) {
        const QString name = v.value<SessionVariable>().name;
        for (QChar c : name)
            if (!(c.isLetter() && c.unicode() < 128) && c != QLatin1Char('_'))
                throw DbError(QStringLiteral("Nombre de variable de sesión no válido: %1").arg(name));
        return '@' + name.toLatin1();
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return QByteArray::number(v.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QByteArray::number(v.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float: {
        const double x = v.toDouble();
        if (!std::isfinite(x))
            throw DbError(QStringLiteral("Un valor numérico no se puede guardar: %1").arg(v.toString()));
        return QString::number(x, 'g', QLocale::FloatingPointShortest).toLatin1();
    }
    case QMetaType::QDate:
        return '\'' + v.toDate().toString(Qt::ISODate).toLatin1() + '\'';
    case QMetaType::QDateTime:
        return '\'' + v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1() + '\'';
    case QMetaType::QTime:
        return '\'' + v.toTime().toString(QStringLiteral("HH:mm:ss")).toLatin1() + '\'';
    case QMetaType::QByteArray:
        return quoted(m, v.toByteArray(), "_binary");
    case QMetaType::QString:
        return quoted(m, v.toString().toUtf8());
    default:
        if (v.canConvert<QString>())
            return quoted(m, v.toString().toUtf8());
        throw DbError(QStringLiteral("Un valor de tipo %1 no se puede enviar al servidor.")
                          .arg(QString::fromLatin1(v.typeName())));
    }
}

std::optional<Error> exchange(st_mysql *m, const QByteArray &sql, QVector<Result> &out)
{
    if (mysql_real_query(m, sql.constData(), (unsigned long)sql.size()) != 0)
        return errorOf(m);
    for (;;) {
        MYSQL_RES *res = mysql_store_result(m);
        if (!res && mysql_field_count(m) > 0)
            return errorOf(m); // rows announced but not read
        out << readResult(m, res);
        const int more = mysql_next_result(m);
        if (more < 0)
            return std::nullopt;
        if (more > 0)
            return errorOf(m);
    }
}

bool hasUnaskedInput(st_mysql *m)
{
    // my_socket is an int here and a SOCKET on Windows, whose invalid value
    // comes out negative as well.
    return Platform::socketHasInput(qintptr(mysql_get_socket(m)));
}

bool ping(st_mysql *m)
{
    return mysql_ping(m) == 0;
}

qulonglong serverSession(st_mysql *m)
{
    return m ? mysql_thread_id(m) : 0;
}

bool encrypted(st_mysql *m)
{
    // The protocol, not the cipher: the Windows client names only the ciphers
    // it has a name for (under wine, none), while any TLS session has one.
    const char *protocol = nullptr;
    return m && mariadb_get_infov(m, MARIADB_CONNECTION_TLS_VERSION, &protocol) == 0 && protocol;
}

} // namespace Wire
