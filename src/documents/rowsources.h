#pragma once

#include "report/rowsource.h"

class LocalTable;
class QSqlQuery;

// Detail rows from the product's own data: a query's result or a local
// working table.
namespace Documents
{

// Reads a query's result once, so forward-only queries work and the query
// may be reused after construction.
class SqlRowSource : public Report::RowSource
{
public:
    explicit SqlRowSource(QSqlQuery &query);
    int rowCount() const override;
    QStringList fields() const override;
    int column(const QString &field) const override;
    QVariant valueAt(int row, int column) const override;

private:
    QStringList m_fields;
    QHash<QString, int> m_index; // lower-case name -> column
    QVector<QVector<QVariant>> m_rows;
};

// A snapshot of a local working table's records (the table stays open and
// positioned as it was).
class LocalTableRowSource : public Report::VectorRowSource
{
public:
    explicit LocalTableRowSource(const LocalTable &table);
};

} // namespace Documents
