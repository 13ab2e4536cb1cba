#include "widgets/resultgrid.h"

#include "widgets/textfield.h"

#include <QAbstractButton>
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QStyle>
#include <QTableView>

namespace Widgets
{

// Set once rows were read; cleared by clear().
const char *const kRead = "rowsRead";

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

// The widest of a column's texts (their first `maxChars` characters when
// given). Only the texts near the longest in characters are measured: a long
// result costs one pass, not a layout per row.
int widestText(const QAbstractItemModel *model, int column, const QFontMetrics &fm, int maxChars = 0)
{
    const int rows = model->rowCount();
    QVector<QString> texts;
    texts.reserve(rows);
    qsizetype longest = 0;
    for (int r = 0; r < rows; ++r) {
        texts << model->index(r, column).data().toString();
        if (maxChars > 0)
            texts.last().truncate(maxChars);
        longest = std::max(longest, texts.last().size());
    }
    const qsizetype candidate = longest - longest / 3;
    int widest = 0;
    int measured = 0;
    for (const QString &t : std::as_const(texts)) {
        if (t.size() < candidate)
            continue;
        widest = std::max(widest, fm.horizontalAdvance(t));
        if (++measured == 2000)
            break;
    }
    return widest;
}

} // namespace

ResultGridModel::ResultGridModel(QVector<GridColumn> columns, GridPalette palette, QObject *parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)), m_palette(palette)
{
}

QString ResultGridModel::displayText(const QVariant &value, GridColumn::Kind kind)
{
    if (value.isNull())
        return {};
    const int type = value.metaType().id();
    if (kind == GridColumn::Kind::DateTime) {
        const QDateTime t = value.toDateTime();
        return t.isValid() ? t.toString(DateTimeFormat) : QString();
    }
    if (kind == GridColumn::Kind::Date || type == QMetaType::QDate || type == QMetaType::QDateTime) {
        const QDate d = value.toDate();
        return d.isValid() ? d.toString(DateFormat) : QString();
    }
    return trimRight(value.toString());
}

void ResultGridModel::setRows(const QVector<QSqlRecord> &rows)
{
    beginResetModel();
    setProperty(kRead, true);
    m_records = rows;
    m_cells.clear();
    const int cols = int(m_columns.size());
    m_cells.reserve(qsizetype(rows.size()) * cols);
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
    setProperty(kRead, false);
    m_records.clear();
    m_cells.clear();
    endResetModel();
}

QString ResultGridModel::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columns.size())
        return {};
    return m_cells.at(qsizetype(row) * m_columns.size() + column);
}

const QSqlRecord &ResultGridModel::record(int row) const
{
    static const QSqlRecord none;
    return row >= 0 && row < m_records.size() ? m_records.at(row) : none;
}

QVariant ResultGridModel::value(int row, const QString &field) const
{
    const QSqlRecord &r = record(row);
    const int i = r.indexOf(field);
    return i < 0 ? QVariant() : r.value(i);
}

QString ResultGridModel::text(int row, const QString &field) const
{
    return trimRight(value(row, field).toString());
}

int ResultGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

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
        return cell(index.row(), index.column());
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

namespace
{

const QString kNoteName = QStringLiteral("LabelNadaEncontrado");

// The list's own word that its reading found nothing, over its empty rows.
class NothingFoundNote : public QLabel
{
public:
    explicit NothingFoundNote(QAbstractItemView *view)
        : QLabel(QStringLiteral("No se encontraron datos."), view->viewport())
    {
        setObjectName(kNoteName);
        setAlignment(Qt::AlignCenter);
        setWordWrap(true);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setEnabled(false); // drawn greyed
        setGeometry(view->viewport()->rect());
        view->viewport()->installEventFilter(this);
        hide();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            setGeometry(static_cast<QWidget *>(watched)->rect());
        return false;
    }
};

NothingFoundNote *noteOf(QAbstractItemView *view)
{
    if (auto *note = view->viewport()->findChild<NothingFoundNote *>(kNoteName, Qt::FindDirectChildrenOnly))
        return note;
    return new NothingFoundNote(view);
}

} // namespace

void setUpResultGrid(QTableView *view, ResultGridModel *model)
{
    view->setModel(model);
    setUpGrid(view, model->gridPalette(), model->columns());
    NothingFoundNote *note = noteOf(view);
    // Empty after a reading (clear() empties it before any).
    const auto follow = [note, model] { note->setVisible(model->property(kRead).toBool() && model->rowCount() == 0); };
    QObject::connect(model, &QAbstractItemModel::modelReset, note, follow);
    follow();
}

void showNothingFound(QAbstractItemView *view, bool nothing, const QString &text)
{
    NothingFoundNote *note = noteOf(view);
    if (!text.isEmpty())
        note->setText(text);
    note->setVisible(nothing);
}

void setNothingFoundText(QTableView *view, const QString &text)
{
    noteOf(view)->setText(text);
}

void setUpGrid(QTableView *view, GridPalette palette, const QVector<GridColumn> &columns)
{
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab going from cell to cell of a selected row would never leave the grid.
    view->setTabKeyNavigation(false);
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
    view->horizontalHeader()->setStretchLastSection(false);
    QPalette p = view->palette();
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Highlight, ResultGridModel::selectionColour(palette));
        p.setColor(g, QPalette::HighlightedText, Qt::white);
    }
    view->setPalette(p);

    fitColumns(view, columns);
    if (QAbstractItemModel *model = view->model()) {
        const auto refit = [view, columns] { fitColumns(view, columns); };
        QObject::connect(model, &QAbstractItemModel::modelReset, view, refit);
        QObject::connect(model, &QAbstractItemModel::rowsInserted, view, refit);
        QObject::connect(model, &QAbstractItemModel::dataChanged, view, refit);
    }
}

void fitColumns(QTableView *view, const QVector<GridColumn> &columns)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    const QFontMetrics fm(view->font());
    // The margins a cell draws around its text, and a little air.
    const int margin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 2;
    const bool empty = model->rowCount() == 0;
    for (int c = 0; c < columns.size() && c < model->columnCount(); ++c) {
        const GridColumn &col = columns.at(c);
        const int title = view->horizontalHeader()->sectionSizeHint(c);
        const int schema = charsWidth(fm, col.chars) + margin;
        int width = schema;
        if (!empty) {
            // Keys and dates are read whole; other texts stop at their schema
            // width, but a value that fits its column's characters is never
            // cut ("VOLKSWAGEN" is wider than ten average letters).
            const int content = widestText(model, c, fm) + margin;
            width = col.key || col.kind != GridColumn::Kind::Text
                        ? content
                        : std::max(std::min(content, schema), widestText(model, c, fm, col.chars) + margin);
        }
        view->setColumnWidth(c, std::max(title, width));
    }
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
    view->setCurrentIndex(view->model()->index(row, 0));
    view->selectRow(row);
}

namespace
{

// The button a grid's rows open with, kept on the grid.
class RowOpener : public QObject
{
public:
    static constexpr const char *kName = "RowOpener";
    explicit RowOpener(QAbstractItemView *view) : QObject(view), m_view(view)
    {
        setObjectName(QLatin1String(kName));
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
            if (index.isValid())
                press();
        });
    }
    QPointer<QAbstractButton> button;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_view || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        if (!m_view->currentIndex().isValid())
            return false; // nothing to open: Enter goes on to the window
        press();
        return true;
    }

private:
    void press()
    {
        if (button && button->isEnabled())
            button->click();
    }
    QAbstractItemView *m_view;
};

} // namespace

void opensRowsWith(QAbstractItemView *view, QAbstractButton *button)
{
    // Found by name: without its own meta-object a cast would take any child.
    auto *opener = dynamic_cast<RowOpener *>(
        view->findChild<QObject *>(QLatin1String(RowOpener::kName), Qt::FindDirectChildrenOnly));
    if (!opener)
        opener = new RowOpener(view);
    opener->button = button;
}

} // namespace Widgets
