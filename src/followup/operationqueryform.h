#pragma once

#include "app/requests.h"
#include "followup/resultgrid.h"

#include <QDialog>
#include <memory>

class NamedQuery;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlRecord;
class QTableView;

// Common frame of the four operation queries: an upper-case key, "Consultar"
// (the default button), a read-only grid, the form's action ("Aceptar" or
// "Ver") and "Cerrar". Controls: Label1, Edit1, BitBtnConsultar, DBGrid1,
// BitBtnAceptar or BitBtnVer, BitBtnCerrar.
class OperationQueryForm : public QDialog
{
    Q_OBJECT
public:
    enum class Action { Aceptar, Ver };

    ~OperationQueryForm() override;

    QLineEdit *entry() const { return m_entry; }
    QTableView *grid() const { return m_grid; }
    ResultGridModel *gridModel() const { return m_model; }
    QPushButton *actionButton() const { return m_action; }
    NamedQuery &resultSet() const { return *m_query; }

    // The selected row of the result, or null.
    const QSqlRecord *selectedRecord() const;

    // Keys of the row chosen with "Aceptar".
    const Nav::OperationKey &chosenKey() const { return m_key; }

    struct Setup {
        QString objectName;
        QString caption;
        QString entryLabel;
        QString param; // the key's parameter name
        QString notFound;
        QVector<GridColumn> columns;
        Action action = Action::Ver;
    };

public slots:
    void BitBtnConsultarClick();

protected:
    // `query` is a statement of the data module (shared, outlives the form) or
    // one the form owns (`owned`).
    OperationQueryForm(QWidget *parent, const Setup &setup, NamedQuery *query,
                       std::unique_ptr<NamedQuery> owned = nullptr);

    // The value searched; the entry's text as typed by default.
    virtual QString searchText();
    virtual void actionClicked() = 0;

    // Shows the rows the result set holds now (the shared sets keep theirs).
    void showResultRows();
    // Closes the result set and empties the grid.
    void clearResult();

    // "Ver": the selected operation in the operation form's consultation mode.
    void openConsultation(bool carriesWorkshop);
    // "Aceptar": remembers the selected operation's keys and closes with OK.
    void acceptSelection();

private:
    std::unique_ptr<NamedQuery> m_owned;
    NamedQuery *m_query = nullptr;
    Setup m_setup;
    QLineEdit *m_entry = nullptr;
    QTableView *m_grid = nullptr;
    ResultGridModel *m_model = nullptr;
    QPushButton *m_consultar = nullptr;
    QPushButton *m_action = nullptr;
    Nav::OperationKey m_key;
};
