#pragma once

#include "core/operationrecord.h"
#include "widgets/resultgrid.h"

#include <QAbstractTableModel>

class LocalTable;

// The cylinders of the operation on screen: the cylinder work table
// ("CILAUX01") seen as the grid's model. It is the one source of the form's
// cylinder grid and of the details below it; the cylinder dialogs edit the
// table's rows, and every change shows here at once.
class CylinderList : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CylinderList(LocalTable &table, QObject *parent = nullptr);

    LocalTable &table() const { return m_table; }

    // Every cylinder in list order, and one of them (empty out of range).
    QVector<CylinderRow> rows() const;
    CylinderRow row(int index) const;

    // Refills the work table with `rows` (a recall, a pending load).
    void setRows(const QVector<CylinderRow> &rows);

    // The grid's columns: Código, Nro Serie, Nuevo, Gestión, Capacidad,
    // Fabricación, Ultima PH, PH Fecha, Resultado PH.
    static const QVector<Widgets::GridColumn> &columns();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    LocalTable &m_table;
    QVector<int> m_fields; // table field of each column
};
