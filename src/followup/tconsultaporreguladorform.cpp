#include "followup/tconsultaporreguladorform.h"

namespace
{

OperationQueryForm::Setup setup()
{
    using K = Widgets::GridColumn::Kind;
    OperationQueryForm::Setup s;
    s.objectName = QStringLiteral("ConsultaPorReguladorForm");
    s.caption = QStringLiteral("Consulta de Operaciones por Nro de Regulador");
    s.prompt = QString::fromUtf8("Número de Regulador:");
    s.search = Search::OperationsByRegulator;
    s.notFound = QString::fromUtf8("No se encontraron operaciones para el regulador indicado.");
    s.columns = {
        {QString::fromUtf8("Código"), QStringLiteral("rcodregh"), 4, true},
        {QStringLiteral("Nro. Serie"), QStringLiteral("rnroserie"), 25, true},
        {QStringLiteral("Oblea"), QStringLiteral("uobleanew"), 10, true},
        {QStringLiteral("Marca"), QStringLiteral("umarca"), 10, false},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), 20, false},
        {QString::fromUtf8("Año"), QStringLiteral("uano"), 4, false},
        {QStringLiteral("Patente"), QStringLiteral("udominio"), 9, true},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), 34, true},
        {QStringLiteral("Fecha"), QStringLiteral("ufechab"), 10, false, K::Date},
        {QString::fromUtf8("Operación"), QStringLiteral("udescgest"), 12, true},
        {QStringLiteral("Taller"), QStringLiteral("codtal"), 7, true},
    };
    s.action = OperationQueryForm::Action::Aceptar;
    return s;
}

} // namespace

TConsultaPorReguladorForm::TConsultaPorReguladorForm(QWidget *parent, Prompter &prompter)
    : OperationQueryForm(parent, setup(), prompter)
{
    // Always opens empty, whatever an earlier search left in the shared set.
    clearResult();
}

std::optional<Nav::OperationKey> TConsultaPorReguladorForm::chooseOperation(const Nav::ChooseOperationByRegulator &,
                                                                            QWidget *parent)
{
    TConsultaPorReguladorForm form(parent, guiPrompter());
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.chosenKey();
}

void TConsultaPorReguladorForm::actionClicked()
{
    acceptSelection();
}
