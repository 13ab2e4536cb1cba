#pragma once

#include <QAbstractTableModel>
#include <QSqlRecord>
#include <QString>
#include <QVector>

class QTableView;

// Read-only result grids of the follow-up windows. The rows of a statement are
// turned into display texts once, when they arrive, so that painting and
// scrolling a long result (an owner search can list thousands of operations)
// costs no allocations per cell.

struct GridColumn {
    enum class Kind { Text, Date, DateTime };
    QString title;
    QString field; // compared without regard to case
    Kind kind = Kind::Text;
    int chars = 10; // initial width in average characters
};

// Odd records light blue / even silver, selection white on blue; or the green
// variant with white on dark green.
enum class GridPalette { Blue, Green };

class ResultGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    ResultGridModel(QVector<GridColumn> columns, GridPalette palette, QObject *parent = nullptr);

    // Replaces the rows; fields missing from the records show empty.
    void setRows(const QVector<QSqlRecord> &rows);
    void clear();

    const QVector<GridColumn> &columns() const { return m_columns; }
    GridPalette gridPalette() const { return m_palette; }
    QString cell(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Background of a record by its number (1 for the first row).
    static QColor stripeColour(GridPalette palette, int recordNumber);
    static QColor selectionColour(GridPalette palette);

    // Display text of a stored value: blank padding trimmed, dates short.
    static QString displayText(const QVariant &value, GridColumn::Kind kind);

private:
    QVector<GridColumn> m_columns;
    GridPalette m_palette;
    QVector<QString> m_cells; // row-major
    int m_rows = 0;
};

// Read only, whole-row single selection, striped by the model, column resizing
// only, rows of a fixed height (no measuring of the whole result).
void setUpResultGrid(QTableView *view, ResultGridModel *model);

// Selected row of a result grid, or -1.
int selectedGridRow(const QTableView *view);

// Puts the cursor on a row (the first one after a reading).
void selectGridRow(QTableView *view, int row);

// Hourglass for the life of the object.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
