#include "data/postsalesstatements.h"

#include <QHash>
#include <QSqlRecord>
#include <memory>

NamedQuery &postSalesStatement(const QString &name, const QString &sql)
{
    return dm1().statement(name, Conn::PostVenta, [&] { return sql; });
}

QVariant storedText(const QString &text)
{
    return text.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(text);
}

QVariant storedValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return storedText(value.toString());
    return value;
}

QList<QVariantMap> rowsOf(NamedQuery &q)
{
    q.open();
    return rowsRead(q);
}

QList<QVariantMap> rowsRead(const NamedQuery &q)
{
    QList<QVariantMap> out;
    out.reserve(q.rowCount());
    for (const QSqlRecord &r : q.rows()) {
        QVariantMap row;
        for (int i = 0; i < r.count(); ++i)
            row.insert(r.fieldName(i), r.value(i));
        out << row;
    }
    return out;
}
