#pragma once

#include "core/connectionsettings.h"
#include "data/searches.h"
#include "widgets/resultgrid.h"

#include <QDialog>
#include <functional>
#include <optional>

class Prompter;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace Widgets
{

class ProgressLine;

// The frame of every search window: a prompt with an upper-case search box
// and its button ("Label1", "Edit1"), the read-only result grid ("DBGrid1")
// and a row of buttons. The window supplies the statement and its buttons.
class SearchDialog : public QDialog
{
    Q_OBJECT
public:
    struct Setup {
        QString objectName;
        QString caption;
        QString prompt;           // the search row's label; empty: no search row
        QString searchButton;     // "Buscar", "Consultar"
        QString searchButtonName; // its objectName
        QString notFound;         // information when a search finds nothing; empty: none
        QVector<GridColumn> columns;
        GridPalette palette = GridPalette::Blue;
        QSize size = {820, 420};
    };
    ~SearchDialog() override;

    QPushButton *searchButton() const { return m_search; }
    QLineEdit *searchBox() const { return Edit1; }
    ResultGridModel *gridModel() const { return m_model; }

    bool hasSelection() const;
    int selectedRow() const; // -1 for none
    const QSqlRecord *selectedRecord() const;
    QString selectedText(const QString &field) const; // blank padding trimmed
    QVariant selectedValue(const QString &field) const;
    void selectRow(int row);

    // A search started with runSearchInBackground is still reading.
    bool isSearching() const;
    ProgressLine *progressLine() const { return m_progress; }

protected:
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QTableView *DBGrid1 = nullptr;

protected:
    SearchDialog(const Setup &setup, QWidget *parent, Prompter &prompter);
    Prompter &prompter() const { return m_prompter; }

    // Buttons of the bottom row, right-aligned in the order added; other
    // widgets go to the left of the row.
    QPushButton *addButton(const QString &text, const QString &objectName);
    void addToButtonRow(QWidget *widget);
    // The button Enter presses (none of the others is ever a default).
    void setDefaultButton(QPushButton *button);
    // A double click on a row, or Enter on the grid, clicks `button` while
    // it is enabled (Enter in the search box still searches).
    void acceptOnDoubleClick(QPushButton *button);
    // `button` takes the selected row: it can be pressed only while there is
    // one, so a search that found nothing is never taken for a choice.
    void choosesRow(QPushButton *button);

    // Runs `fetch` under the hourglass and shows its rows. A database error is
    // shown and leaves the grid empty (-1). Nothing found: the setup's notice,
    // the focus back in the search box. Otherwise the first row is selected
    // and the grid focused. Returns the number of rows.
    // `fetch` runs on the worker of `conn` while the window waits (ServerWait:
    // it repaints, and "Cancelar" on the waiting line ends the search with the
    // grid empty, -1); it must use only values it captured, never a widget.
    int runSearch(Conn conn, std::function<QVector<QSqlRecord>()> fetch);
    // The same with `search` for `key`; the rows are also kept as the
    // search's shared result for the callers that read the chosen row there.
    int runSearch(Search search, const QVariant &key);
    // The same with `search` read off the window's thread: the progress
    // line and its "Cancelar" show meanwhile, the search button waits, and
    // the rows (also kept as the shared result) fill the grid when they
    // arrive. `after` then gets the number of rows, -1 after an error; a
    // cancelled search leaves the grid empty and calls nothing.
    void runSearchInBackground(Search search, const QVariant &key, const std::function<void(int found)> &after = {});
    // The same with any reading (a repository's list) done on the worker of
    // `conn`: `fetch` must use only values it captured, never a widget.
    using Rows = QVector<QSqlRecord>;
    void runSearchInBackground(Conn conn, std::function<Rows()> fetch,
                               const std::function<void(int found)> &after = {});
    void showRows(const QVector<QSqlRecord> &rows);
    void clearRows();

private:
    int present(const QVector<QSqlRecord> &rows);
    using Starter = std::function<void(std::function<void(Rows)> done, std::function<void(const QString &)> failed)>;
    void searchInBackground(const Starter &start, const std::function<void(int)> &after);
    // The rows, or nothing after an error (said) or "Cancelar".
    std::optional<Rows> fetchRows(Conn conn, std::function<Rows()> fetch);

    Setup m_setup;
    ProgressLine *m_progress = nullptr;
    Prompter &m_prompter;
    ResultGridModel *m_model = nullptr;
    QPushButton *m_search = nullptr;
    QHBoxLayout *m_buttons = nullptr;
    int m_leftWidgets = 0;
    QVector<QPushButton *> m_allButtons;
};

} // namespace Widgets
