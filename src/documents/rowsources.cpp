#include "documents/rowsources.h"

#include "data/localstore.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace Documents
{

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

QStringList SqlRowSource::fields() const
{
    return m_fields;
}

int SqlRowSource::column(const QString &field) const
{
    return m_index.value(field.toLower(), -1);
}

QVariant SqlRowSource::valueAt(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_fields.size())
        return {};
    return m_rows[row][column];
}

static QStringList fieldNamesOf(const LocalTable &table)
{
    QStringList names;
    for (const LocalField &f : table.fields())
        names.append(f.name);
    return names;
}

LocalTableRowSource::LocalTableRowSource(const LocalTable &table)
    : Report::VectorRowSource(table.rows(), fieldNamesOf(table))
{
}

} // namespace Documents
