#include "operations/lookups/resultgrid.h"

#include "data/dm1.h"

#include <QBrush>
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QTableView>

namespace Lookups
{

namespace
{

QString trimRight(QString s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    s.truncate(n);
    return s;
}

QString display(const QVariant &v)
{
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDate)
        return QLocale().toString(v.toDate(), QLocale::ShortFormat);
    if (v.metaType().id() == QMetaType::QDateTime)
        return QLocale().toString(v.toDateTime().date(), QLocale::ShortFormat);
    return trimRight(v.toString());
}

} // namespace

QVariant recordValue(const QSqlRecord &record, const QString &field)
{
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).compare(field, Qt::CaseInsensitive) == 0)
            return record.value(i);
    return {};
}

QueryGridModel::QueryGridModel(QVector<GridColumn> columns, GridPalette palette, QObject *parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)), m_palette(palette)
{
}

void QueryGridModel::load(const NamedQuery &query)
{
    beginResetModel();
    m_rows = query.isActive() ? query.rows() : QVector<QSqlRecord>{};
    endResetModel();
}

void QueryGridModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

const QSqlRecord &QueryGridModel::record(int row) const
{
    static const QSqlRecord none;
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : none;
}

QString QueryGridModel::text(int row, const QString &field) const
{
    return trimRight(recordValue(record(row), field).toString());
}

int QueryGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int QueryGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant QueryGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return display(recordValue(m_rows.at(index.row()), m_columns.at(index.column()).field));
    if (role == Qt::BackgroundRole) {
        // Record numbers count from 1: the first row is odd.
        if ((index.row() + 1) % 2 == 0)
            return QBrush(QColor(192, 192, 192));
        return QBrush(m_palette == GridPalette::Green ? QColor(192, 220, 192) : QColor(166, 202, 240));
    }
    return {};
}

QVariant QueryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return m_columns.at(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

void setUpResultGrid(QTableView *view, GridPalette palette)
{
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->verticalHeader()->hide();
    QPalette p = view->palette();
    const QColor selected = palette == GridPalette::Green ? QColor(0, 128, 0) : QColor(0, 0, 255);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Highlight, selected);
        p.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    view->setPalette(p);
}

} // namespace Lookups
