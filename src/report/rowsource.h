#pragma once

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <QVector>
#include <vector>

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

// Rows kept compactly for long lists: a cell is a type and eight bytes, and
// every text shares one buffer, so 200,000 lines of a list take tens of
// megabytes. Texts, whole and real numbers, dates, date-times and booleans
// come back as they went in; any other value comes back as its text.
class TableRowSource : public RowSource
{
public:
    explicit TableRowSource(QStringList fields);
    void reserve(int rows, int charsPerRow = 64);
    // One row, cells in the order of the fields; missing cells are null.
    void append(const QVector<QVariant> &cells);

    int rowCount() const override;
    QStringList fields() const override;
    int column(const QString &field) const override;
    QVariant valueAt(int row, int column) const override;

private:
    enum class Type : quint8 { Null, Text, Int, Real, Date, DateTime, Bool };
    union Cell {
        struct {
            quint32 offset, size;
        } text;
        qint64 whole;
        double real;
    };
    QStringList m_fields;
    QHash<QString, int> m_index; // lower-case name -> column
    std::vector<Type> m_types;   // row-major, rows x fields
    std::vector<Cell> m_cells;
    QString m_text;
};

} // namespace Report
