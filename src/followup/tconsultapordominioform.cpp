#include "followup/tconsultapordominioform.h"

#include "data/dm1.h"

namespace
{

OperationQueryForm::Setup setup()
{
    using K = Widgets::GridColumn::Kind;
    OperationQueryForm::Setup s;
    s.objectName = QStringLiteral("ConsultaPorDominioForm");
    s.caption = QStringLiteral("Consulta de Operaciones por Dominio");
    s.prompt = QStringLiteral("Dominio:");
    s.search = Search::OperationsByDomain;
    s.notFound = QString::fromUtf8("No se encontraron operaciones para el dominio indicado.");
    s.columns = {
        {QStringLiteral("Oblea"), QStringLiteral("uobleanew"), 10, true},
        {QStringLiteral("Fecha"), QStringLiteral("ufecrev"), 10, false, K::Date},
        {QString::fromUtf8("Operación"), QStringLiteral("udescgest"), 12, true},
        {QStringLiteral("Marca"), QStringLiteral("umarca"), 10, false},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), 20, false},
        {QString::fromUtf8("Año"), QStringLiteral("uano"), 4, false},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), 34, true},
    };
    s.action = OperationQueryForm::Action::Ver;
    return s;
}

} // namespace

TConsultaPorDominioForm::TConsultaPorDominioForm(QWidget *parent, Prompter &prompter)
    : OperationQueryForm(parent, setup(), prompter)
{
    clearResult(); // always opens empty
}

void TConsultaPorDominioForm::done(int result)
{
    // The shared result does not outlive this form's use of it.
    Searches::Forget(Search::OperationsByDomain);
    OperationQueryForm::done(result);
}

void TConsultaPorDominioForm::actionClicked()
{
    openConsultation(true);
}
