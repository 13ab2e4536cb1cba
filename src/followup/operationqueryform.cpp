#include "followup/operationqueryform.h"

#include "app/navigator.h"
#include "data/searches.h"

#include <QLineEdit>
#include <QPushButton>

namespace
{

Widgets::SearchDialog::Setup frameOf(OperationQueryForm::Setup setup)
{
    setup.searchButton = QStringLiteral("Consultar");
    setup.searchButtonName = QStringLiteral("BitBtnConsultar");
    setup.size = {900, 420};
    return setup;
}

} // namespace

OperationQueryForm::OperationQueryForm(QWidget *parent, Setup setup, Prompter &prompter)
    : Widgets::SearchDialog(frameOf(setup), parent, prompter), m_setup(std::move(setup))
{
    const bool aceptar = m_setup.action == Action::Aceptar;
    m_action = addButton(aceptar ? QStringLiteral("Aceptar") : QStringLiteral("Ver"),
                         aceptar ? QStringLiteral("BitBtnAceptar") : QStringLiteral("BitBtnVer"));
    m_action->setEnabled(false);
    QPushButton *cerrar = addButton(QStringLiteral("Cerrar"), QStringLiteral("BitBtnCerrar"));
    setDefaultButton(searchButton());
    acceptOnDoubleClick(m_action);

    connect(searchButton(), &QPushButton::clicked, this, &OperationQueryForm::BitBtnConsultarClick);
    connect(m_action, &QPushButton::clicked, this, [this] {
        if (selectedRecord())
            actionClicked();
    });
    connect(cerrar, &QPushButton::clicked, this, &QDialog::reject);
}

QString OperationQueryForm::searchText()
{
    return Edit1->text();
}

void OperationQueryForm::BitBtnConsultarClick()
{
    if (isSearching())
        return;
    m_action->setEnabled(false);
    const QString key = searchText();
    // Read off the window's thread; the shared result gets the rows.
    Searches::Forget(m_setup.search);
    runSearchInBackground(m_setup.search, key, [this](int found) { m_action->setEnabled(found > 0); });
}

void OperationQueryForm::showResultRows()
{
    showRows(Searches::Kept(m_setup.search));
    m_action->setEnabled(gridModel()->rowCount() > 0);
}

void OperationQueryForm::clearResult()
{
    Searches::Forget(m_setup.search);
    clearRows();
    m_action->setEnabled(false);
}

void OperationQueryForm::openConsultation(bool carriesWorkshop)
{
    if (!hasSelection())
        return;
    Nav::ViewOperation request;
    request.kind = selectedText(QStringLiteral("ucodgest"));
    request.sticker = selectedText(QStringLiteral("uobleanew"));
    request.previousSticker = selectedText(QStringLiteral("uobleaant"));
    if (carriesWorkshop) {
        request.carriesWorkshop = true;
        request.workshopCode = selectedText(QStringLiteral("codtal"));
        request.workshopCuit = selectedText(QStringLiteral("talcuit"));
        request.workshopRepMatricula = selectedText(QStringLiteral("rmatreshab"));
        request.pecRepMatricula = selectedText(QStringLiteral("pmatreshab"));
    }
    navigator().request(request, this);
}

void OperationQueryForm::acceptSelection()
{
    if (!hasSelection())
        return;
    m_key.peccod = selectedText(QStringLiteral("peccod"));
    m_key.talcuit = selectedText(QStringLiteral("talcuit"));
    m_key.tnrointopr = selectedText(QStringLiteral("tnrointopr")).trimmed().toLongLong();
    // Callers that read the shared result find it on the chosen row.
    Searches::Choose(m_setup.search, selectedRow());
    accept();
}
