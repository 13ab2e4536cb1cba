#pragma once

#include <QAbstractTableModel>
#include <QSqlRecord>
#include <QString>
#include <QVector>

class QAbstractButton;
class QAbstractItemView;
class QTableView;

// The read-only result grids: rows of a statement shown striped by record
// number, whole-row selection, columns sized to what they hold. Display
// texts are made once, when the rows arrive, so that painting and scrolling
// a long result (an owner search lists thousands of operations) costs no
// allocations per cell.
namespace Widgets
{

// Dates in every grid and picker.
inline const QString DateFormat = QStringLiteral("dd/MM/yyyy");
inline const QString DateTimeFormat = QStringLiteral("dd/MM/yyyy HH:mm");

// Odd records light blue / even silver, selection white on blue; or the green
// variant with white on dark green.
enum class GridPalette { Blue, Green };

struct GridColumn {
    enum class Kind { Text, Date, DateTime };
    QString title;
    QString field;    // compared without regard to case
    int chars = 10;   // the column's width in the schema, in characters
    bool key = false; // never cut: always as wide as its widest value
    Kind kind = Kind::Text;
};

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

    // A row's record (an empty one out of range) and its fields by name,
    // shown or not; texts without their blank padding.
    const QSqlRecord &record(int row) const;
    QVariant value(int row, const QString &field) const;
    QString text(int row, const QString &field) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Background of a record by its number (1 for the first row).
    static QColor stripeColour(GridPalette palette, int recordNumber);
    static QColor selectionColour(GridPalette palette);

    // Display text of a stored value: blank padding trimmed, dates dd/MM/yyyy.
    static QString displayText(const QVariant &value, GridColumn::Kind kind);

private:
    QVector<GridColumn> m_columns;
    GridPalette m_palette;
    QVector<QSqlRecord> m_records;
    QVector<QString> m_cells; // row-major
};

// Read only, whole-row single selection (the arrows pick the row, Tab leaves
// the grid for the next control), the palette's selection colours, rows of a
// fixed height (no measuring of the whole result), columns the
// operator can resize. The columns are fitted again whenever the rows change.
void setUpResultGrid(QTableView *view, ResultGridModel *model);
// What a grid set up with setUpResultGrid says over its rows when a reading
// found none ("No se encontraron datos." until told otherwise).
void setNothingFoundText(QTableView *view, const QString &text);
// The same word over a list filled by its window: shown while `nothing`,
// with `text` when one is given.
void showNothingFound(QAbstractItemView *view, bool nothing, const QString &text = {});

// The same for a grid over another model, described by `columns`.
void setUpGrid(QTableView *view, GridPalette palette, const QVector<GridColumn> &columns);

// Each column as wide as its title and its widest value; before there are
// rows, as wide as the schema allows. A text column that is not a key never
// grows past its schema width (the operator can still widen it).
void fitColumns(QTableView *view, const QVector<GridColumn> &columns);

// A row of `view` opens with `button`: Enter on the grid or a double click
// on a row presses it while it is enabled. A later call for the same grid
// gives it another button.
void opensRowsWith(QAbstractItemView *view, QAbstractButton *button);

// Selected row of a grid, or -1.
int selectedGridRow(const QTableView *view);

// Puts the cursor on a row (the first one after a reading).
void selectGridRow(QTableView *view, int row);

} // namespace Widgets
