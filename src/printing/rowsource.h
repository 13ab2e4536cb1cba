#pragma once

#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <QVector>

class QSqlQuery;
class LocalTable;

namespace Report
{

// The rows a detail band runs over. Field names compare without regard to case.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual int rowCount() const = 0;
    virtual QVariant value(int row, const QString &field) const = 0;
    virtual QStringList fields() const = 0;
};

class VectorRowSource : public RowSource
{
public:
    // `fields` orders the columns (spreadsheet export); empty: the first row's keys.
    explicit VectorRowSource(QVector<QVariantMap> rows, QStringList fields = {});
    int rowCount() const override;
    QVariant value(int row, const QString &field) const override;
    QStringList fields() const override;

private:
    QVector<QVariantMap> m_rows;
    QStringList m_fields;
    QHash<QString, QString> m_keyOf; // lower-case name -> key as stored
};

// Reads a query's result once, so forward-only queries work and the query
// may be reused after construction.
class SqlRowSource : public RowSource
{
public:
    explicit SqlRowSource(QSqlQuery &query);
    int rowCount() const override;
    QVariant value(int row, const QString &field) const override;
    QStringList fields() const override;

private:
    QStringList m_fields;
    QHash<QString, int> m_index; // lower-case name -> column
    QVector<QVector<QVariant>> m_rows;
};

// A snapshot of a local working table's records (the table stays open and
// positioned as it was).
class LocalTableRowSource : public VectorRowSource
{
public:
    explicit LocalTableRowSource(const LocalTable &table);
};

} // namespace Report
