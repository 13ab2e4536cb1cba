#pragma once

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <QVector>

namespace Report
{

// The rows a detail band runs over. Field names compare without regard to case.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual int rowCount() const = 0;
    virtual QStringList fields() const = 0;
    // The column of a field, -1 when the source has none; the renderer looks
    // a name up once and reads by column after that.
    virtual int column(const QString &field) const = 0;
    virtual QVariant valueAt(int row, int column) const = 0; // invalid outside the rows

    QVariant value(int row, const QString &field) const;
};

class VectorRowSource : public RowSource
{
public:
    // `fields` orders the columns (spreadsheet export); empty: the first row's keys.
    explicit VectorRowSource(QVector<QVariantMap> rows, QStringList fields = {});
    int rowCount() const override;
    QStringList fields() const override;
    int column(const QString &field) const override;
    QVariant valueAt(int row, int column) const override;

private:
    QVector<QVariantMap> m_rows;
    QStringList m_fields;
    QStringList m_keys;             // every key of every row, as stored
    QHash<QString, int> m_columnOf; // lower-case name -> index into m_keys
};

} // namespace Report
