#include "printing/rowsource.h"

#include "data/localstore.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace Report
{

VectorRowSource::VectorRowSource(QVector<QVariantMap> rows, QStringList fields)
    : m_rows(std::move(rows)), m_fields(std::move(fields))
{
    if (m_fields.isEmpty() && !m_rows.isEmpty())
        m_fields = m_rows.first().keys();
    for (const QVariantMap &r : std::as_const(m_rows))
        for (auto it = r.keyBegin(); it != r.keyEnd(); ++it)
            if (!m_keyOf.contains(it->toLower()))
                m_keyOf.insert(it->toLower(), *it);
    for (const QString &f : std::as_const(m_fields))
        if (!m_keyOf.contains(f.toLower()))
            m_keyOf.insert(f.toLower(), f);
}

int VectorRowSource::rowCount() const
{
    return int(m_rows.size());
}

QVariant VectorRowSource::value(int row, const QString &field) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    const QVariantMap &r = m_rows[row];
    const auto exact = r.constFind(field);
    if (exact != r.constEnd())
        return *exact;
    const auto it = m_keyOf.constFind(field.toLower());
    return it == m_keyOf.constEnd() ? QVariant() : r.value(*it);
}

QStringList VectorRowSource::fields() const
{
    return m_fields;
}

SqlRowSource::SqlRowSource(QSqlQuery &query)
{
    const QSqlRecord rec = query.record();
    for (int i = 0; i < rec.count(); ++i) {
        m_fields.append(rec.fieldName(i));
        m_index.insert(rec.fieldName(i).toLower(), i);
    }
    while (query.next()) {
        QVector<QVariant> row(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            row[i] = query.value(i);
        m_rows.append(std::move(row));
    }
}

int SqlRowSource::rowCount() const
{
    return int(m_rows.size());
}

QVariant SqlRowSource::value(int row, const QString &field) const
{
    const auto it = m_index.constFind(field.toLower());
    if (row < 0 || row >= m_rows.size() || it == m_index.constEnd())
        return {};
    return m_rows[row][*it];
}

QStringList SqlRowSource::fields() const
{
    return m_fields;
}

static QStringList fieldNamesOf(const LocalTable &table)
{
    QStringList names;
    for (const LocalField &f : table.fields())
        names.append(f.name);
    return names;
}

LocalTableRowSource::LocalTableRowSource(const LocalTable &table) : VectorRowSource(table.rows(), fieldNamesOf(table))
{
}

} // namespace Report
