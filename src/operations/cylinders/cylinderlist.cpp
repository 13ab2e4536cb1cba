#include "operations/cylinders/cylinderlist.h"

#include "data/cylinderworktable.h"
#include "data/localstore.h"

CylinderList::CylinderList(LocalTable &table, QObject *parent) : QAbstractTableModel(parent), m_table(table)
{
    for (const Widgets::GridColumn &c : columns())
        m_fields << m_table.fieldIndex(c.field);
    // Opening, emptying, appending, editing and deleting all pass here.
    connect(&m_table, &LocalTable::changed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

const QVector<Widgets::GridColumn> &CylinderList::columns()
{
    // Widths of the work table's fields, but for the serial and the
    // management, which start at their usual length (a serial, "SIN CAMBIOS")
    // so that the empty grid fits the form; both widen to the longest shown.
    static const QVector<Widgets::GridColumn> cols = {
        {QStringLiteral("Código"), QStringLiteral("CODIGO"), 4, true},
        {QStringLiteral("Nro Serie"), QStringLiteral("NROSERIE"), 11, true},
        {QStringLiteral("Nuevo"), QStringLiteral("CNUEVO"), 2},
        {QStringLiteral("Gestión"), QStringLiteral("GESTION"), 11, true},
        {QStringLiteral("Capacidad"), QStringLiteral("CAPACIDAD"), 5},
        {QStringLiteral("Fabricación"), QStringLiteral("FABRICAC"), 7, true},
        {QStringLiteral("Ultima PH"), QStringLiteral("UPHTALLER"), 4, true},
        {QStringLiteral("PH Fecha"), QStringLiteral("UPHFECHA"), 7, true},
        {QStringLiteral("Resultado PH"), QStringLiteral("UPHRESULT"), 10, true},
    };
    return cols;
}

QVector<CylinderRow> CylinderList::rows() const
{
    QVector<CylinderRow> out;
    for (int r = 0; r < m_table.count(); ++r)
        out << CylinderWorkTable::RowAt(m_table, r);
    return out;
}

CylinderRow CylinderList::row(int index) const
{
    return CylinderWorkTable::RowAt(m_table, index);
}

void CylinderList::setRows(const QVector<CylinderRow> &rows)
{
    CylinderWorkTable::Replace(m_table, rows);
}

int CylinderList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.count();
}

int CylinderList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns().size());
}

QVariant CylinderList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return m_table.textAt(index.row(), m_fields.value(index.column(), -1));
}

QVariant CylinderList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columns().size())
        return columns().at(section).title;
    return {};
}

Qt::ItemFlags CylinderList::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
