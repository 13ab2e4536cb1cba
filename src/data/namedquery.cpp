// NamedQuery: one statement with `:name` parameters, run as text with its
// values escaped by the client library, its rows kept in memory.
#include "data/dm1.h"
#include "data/dm1_p.h"
#include "data/wire.h"

#include <QHash>
#include <QSet>
#include <QSqlField>

namespace
{

struct Segment {
    QByteArray text; // SQL text before the parameter
    int param = -1;  // index into the parameter names; -1 for the closing text
};

// Splits the text at each `:name` outside quotes; names are collected in order.
QVector<Segment> parse(const QString &sql, QStringList &names)
{
    QVector<Segment> out;
    QString text;
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            text += c;
            if (c == QLatin1Char('\\') && i + 1 < sql.size())
                text += sql.at(++i);
            else if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            quote = c;
            text += c;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < sql.size() &&
            (sql.at(i + 1).isLetterOrNumber() || sql.at(i + 1) == QLatin1Char('_')) &&
            (i == 0 || sql.at(i - 1) != QLatin1Char(':'))) {
            qsizetype j = i + 1;
            while (j < sql.size() && (sql.at(j).isLetterOrNumber() || sql.at(j) == QLatin1Char('_')))
                ++j;
            const QString name = sql.mid(i + 1, j - i - 1);
            int index = int(names.indexOf(name));
            if (index < 0) {
                index = int(names.size());
                names << name;
            }
            out.push_back({text.toUtf8(), index});
            text.clear();
            i = j - 1;
            continue;
        }
        text += c;
    }
    out.push_back({text.toUtf8(), -1});
    return out;
}

} // namespace

struct NamedQuery::Impl {
    QString name;
    Conn conn;
    QString sql;
    QVector<Segment> segments;
    QStringList params;                // distinct names as written, in order of first use
    QHash<QString, QString> canonical; // lower-case name -> name as written
    QHash<QString, QVariant> values;   // by name as written

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
    d->segments = parse(d->sql, d->params);
    for (const QString &p : std::as_const(d->params))
        d->canonical.insert(p.toLower(), p);
}

NamedQuery::~NamedQuery() = default;

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
    return d->params;
}

bool NamedQuery::isActive() const
{
    return d->active;
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
    Batch b(d->conn);
    b.add(*this, true);
    b.run();
}

void NamedQuery::execute()
{
    Batch b(d->conn);
    b.add(*this, false);
    b.run();
}

QByteArray DataModulePrivate::render(NamedQuery &q, st_mysql *mysql)
{
    NamedQuery::Impl &d = *q.d;
    QByteArray out;
    for (const Segment &s : std::as_const(d.segments)) {
        out += s.text;
        if (s.param < 0)
            continue;
        const QString &name = d.params.at(s.param);
        const auto v = d.values.constFind(name);
        if (v == d.values.constEnd()) {
            q.close();
            throw DbError(QStringLiteral("Falta el valor del parámetro %1 de la sentencia %2.").arg(name, d.name),
                          d.name);
        }
        out += Wire::literal(mysql, *v);
    }
    return out;
}

void DataModulePrivate::forgetRows(NamedQuery &q)
{
    q.d->rows.clear();
    q.d->fieldIndex.clear();
    q.d->pos = -1;
    q.d->active = false;
}

void DataModulePrivate::accept(NamedQuery &q, Wire::Result &r, bool select)
{
    NamedQuery::Impl &d = *q.d;
    d.active = true;
    d.affected = int(r.affected);
    d.insertId = r.insertId;
    if (!select || !r.hasRows)
        return;

    // Duplicate column names of a join get "_1", "_2" ... as the grids know them.
    QSqlRecord shape = r.shape;
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
        d.fieldIndex.insert(fieldName.toLower(), i);
    }
    d.rows.reserve(r.rows.size());
    for (const QVariantList &values : std::as_const(r.rows)) {
        QSqlRecord rec = shape;
        for (int i = 0; i < rec.count(); ++i)
            rec.setValue(i, values.at(i));
        d.rows.push_back(std::move(rec));
    }
    if (!d.rows.isEmpty())
        d.pos = 0;
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
