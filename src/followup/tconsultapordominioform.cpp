#include "followup/tconsultapordominioform.h"

#include "data/dm1.h"

namespace {

OperationQueryForm::Setup setup()
{
    using K = GridColumn::Kind;
    OperationQueryForm::Setup s;
    s.objectName = QStringLiteral("ConsultaPorDominioForm");
    s.caption = QStringLiteral("Consulta de Operaciones por Dominio");
    s.entryLabel = QStringLiteral("Dominio:");
    s.param = QStringLiteral("do");
    s.notFound = QString::fromUtf8("No se encontraron operaciones para el dominio indicado.");
    s.columns = {
        {QStringLiteral("Oblea"), QStringLiteral("uobleanew"), K::Text, 10},
        {QStringLiteral("Fecha"), QStringLiteral("ufecrev"), K::Date, 10},
        {QString::fromUtf8("Operación"), QStringLiteral("udescgest"), K::Text, 12},
        {QStringLiteral("Marca"), QStringLiteral("umarca"), K::Text, 10},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), K::Text, 16},
        {QString::fromUtf8("Año"), QStringLiteral("uano"), K::Text, 4},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), K::Text, 28},
    };
    s.action = OperationQueryForm::Action::Ver;
    return s;
}

} // namespace

TConsultaPorDominioForm::TConsultaPorDominioForm(QWidget *parent)
    : OperationQueryForm(parent, setup(), &dm1().query(QStringLiteral("SDBusquedaPorDominio")))
{
    clearResult(); // always opens empty
}

void TConsultaPorDominioForm::done(int result)
{
    // The shared result set does not outlive this form's use of it.
    resultSet().close();
    OperationQueryForm::done(result);
}

void TConsultaPorDominioForm::actionClicked() { openConsultation(true); }
