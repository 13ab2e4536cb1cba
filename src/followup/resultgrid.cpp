#include "followup/resultgrid.h"

#include <QApplication>
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QPalette>
#include <QTableView>

ResultGridModel::ResultGridModel(QVector<GridColumn> columns, GridPalette palette, QObject *parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)), m_palette(palette)
{
}

QString ResultGridModel::displayText(const QVariant &value, GridColumn::Kind kind)
{
    if (value.isNull())
        return {};
    switch (kind) {
    case GridColumn::Kind::Date: {
        const QDate d = value.toDate();
        return d.isValid() ? QLocale().toString(d, QLocale::ShortFormat) : QString();
    }
    case GridColumn::Kind::DateTime: {
        const QDateTime t = value.toDateTime();
        return t.isValid() ? QLocale().toString(t, QLocale::ShortFormat) : QString();
    }
    case GridColumn::Kind::Text:
        break;
    }
    QString s = value.toString();
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    s.truncate(n);
    return s;
}

void ResultGridModel::setRows(const QVector<QSqlRecord> &rows)
{
    beginResetModel();
    m_cells.clear();
    m_rows = rows.size();
    const int cols = m_columns.size();
    m_cells.reserve(qsizetype(m_rows) * cols);
    // Every record of one statement has the same shape: look the fields up once.
    QVector<int> index(cols, -1);
    if (!rows.isEmpty()) {
        for (int c = 0; c < cols; ++c)
            index[c] = rows.first().indexOf(m_columns.at(c).field);
    }
    for (const QSqlRecord &r : rows) {
        for (int c = 0; c < cols; ++c)
            m_cells.append(index[c] < 0 ? QString() : displayText(r.value(index[c]), m_columns.at(c).kind));
    }
    endResetModel();
}

void ResultGridModel::clear()
{
    beginResetModel();
    m_cells.clear();
    m_rows = 0;
    endResetModel();
}

QString ResultGridModel::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns.size())
        return {};
    return m_cells.at(qsizetype(row) * m_columns.size() + column);
}

int ResultGridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

int ResultGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ResultGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_cells.at(qsizetype(index.row()) * m_columns.size() + index.column());
    case Qt::BackgroundRole:
        return stripeColour(m_palette, index.row() + 1);
    default:
        return {};
    }
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return m_columns.at(section).title;
    return {};
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QColor ResultGridModel::stripeColour(GridPalette palette, int recordNumber)
{
    if (recordNumber % 2 == 0)
        return QColor(192, 192, 192);
    return palette == GridPalette::Blue ? QColor(166, 202, 240) : QColor(192, 220, 192);
}

QColor ResultGridModel::selectionColour(GridPalette palette)
{
    return palette == GridPalette::Blue ? QColor(0, 0, 255) : QColor(0, 128, 0);
}

void setUpResultGrid(QTableView *view, ResultGridModel *model)
{
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSortingEnabled(false);
    view->setAlternatingRowColors(false);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Fixed heights: the view never measures every row of a long result.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->horizontalHeader()->setSectionsMovable(false);
    view->horizontalHeader()->setHighlightSections(false);
    const int charWidth = view->fontMetrics().averageCharWidth();
    for (int c = 0; c < model->columns().size(); ++c) {
        const GridColumn &col = model->columns().at(c);
        const int titleWidth = view->fontMetrics().horizontalAdvance(col.title) + 16;
        view->setColumnWidth(c, qMax(titleWidth, col.chars * charWidth + 12));
    }
    QPalette p = view->palette();
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Highlight, ResultGridModel::selectionColour(model->gridPalette()));
        p.setColor(g, QPalette::HighlightedText, Qt::white);
    }
    view->setPalette(p);
}

int selectedGridRow(const QTableView *view)
{
    const QItemSelectionModel *sel = view->selectionModel();
    if (!sel || !view->model())
        return -1;
    const QModelIndexList rows = sel->selectedRows();
    if (!rows.isEmpty())
        return rows.first().row();
    const QModelIndex current = sel->currentIndex();
    return current.isValid() && current.row() < view->model()->rowCount() ? current.row() : -1;
}

void selectGridRow(QTableView *view, int row)
{
    if (!view->model() || row < 0 || row >= view->model()->rowCount())
        return;
    view->selectRow(row);
    view->setCurrentIndex(view->model()->index(row, 0));
}

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }
