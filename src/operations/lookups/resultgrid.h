#pragma once

#include <QAbstractTableModel>
#include <QSqlRecord>
#include <QString>
#include <QVector>

class NamedQuery;
class QTableView;

namespace Lookups
{

// Stripes of the result grids: odd record numbers light blue or light
// green, even ones silver; the selection white on blue or on dark green.
enum class GridPalette { Blue, Green };

struct GridColumn {
    QString title;
    QString field; // compared without regard to case
};

// Read-only rows of a result set, with the record-number stripes.
class QueryGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    QueryGridModel(QVector<GridColumn> columns, GridPalette palette, QObject *parent = nullptr);

    // Takes the rows the statement holds now (none when it is closed).
    void load(const NamedQuery &query);
    void clear();

    const QSqlRecord &record(int row) const;
    QString text(int row, const QString &field) const; // trimmed of right padding

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<GridColumn> m_columns;
    GridPalette m_palette;
    QVector<QSqlRecord> m_rows;
};

// A record's field by name without regard to case; invalid when absent.
QVariant recordValue(const QSqlRecord &record, const QString &field);

// Read-only, whole-row, single selection, selection colours of the palette.
void setUpResultGrid(QTableView *view, GridPalette palette);

} // namespace Lookups
