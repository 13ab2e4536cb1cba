#pragma once

#include "app/requests.h"
#include "widgets/messages.h"
#include "widgets/searchdialog.h"

// Common frame of the four operation queries: an upper-case key,
// "Consultar" (the default button), the result grid, the form's action
// ("Aceptar" or "Ver") and "Cerrar". Controls: Label1, Edit1,
// BitBtnConsultar, DBGrid1, BitBtnAceptar or BitBtnVer, BitBtnCerrar.
class OperationQueryForm : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    enum class Action { Aceptar, Ver };

    struct Setup : Widgets::SearchDialog::Setup {
        Search search = Search::OperationsByDomain;
        Action action = Action::Ver;
    };

    QPushButton *actionButton() const { return m_action; }

    // Keys of the row chosen with "Aceptar".
    const Nav::OperationKey &chosenKey() const { return m_key; }

public slots:
    void BitBtnConsultarClick();

protected:
    OperationQueryForm(QWidget *parent, Setup setup, Prompter &prompter);

    // The value searched; the entry's text as typed by default.
    virtual QString searchText();
    virtual void actionClicked() = 0;

    // Shows the rows the search keeps now (its shared result).
    void showResultRows();
    // Forgets the search's shared result and empties the grid.
    void clearResult();

    // "Ver": the selected operation in the operation form's consultation mode.
    void openConsultation(bool carriesWorkshop);
    // "Aceptar": remembers the selected operation's keys and closes with OK.
    void acceptSelection();

private:
    Setup m_setup;
    QPushButton *m_action = nullptr;
    Nav::OperationKey m_key;
};
