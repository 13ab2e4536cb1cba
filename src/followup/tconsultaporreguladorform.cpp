#include "followup/tconsultaporreguladorform.h"

#include "data/dm1.h"

namespace
{

OperationQueryForm::Setup setup()
{
    using K = GridColumn::Kind;
    OperationQueryForm::Setup s;
    s.objectName = QStringLiteral("ConsultaPorReguladorForm");
    s.caption = QStringLiteral("Consulta de Operaciones por Nro de Regulador");
    s.entryLabel = QString::fromUtf8("Número de Regulador:");
    s.param = QStringLiteral("re");
    s.notFound = QString::fromUtf8("No se encontraron operaciones para el regulador indicado.");
    s.columns = {
        {QString::fromUtf8("Código"), QStringLiteral("rcodregh"), K::Text, 4},
        {QStringLiteral("Nro. Serie"), QStringLiteral("rnroserie"), K::Text, 16},
        {QStringLiteral("Oblea"), QStringLiteral("uobleanew"), K::Text, 10},
        {QStringLiteral("Marca"), QStringLiteral("umarca"), K::Text, 10},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), K::Text, 14},
        {QString::fromUtf8("Año"), QStringLiteral("uano"), K::Text, 4},
        {QStringLiteral("Patente"), QStringLiteral("udominio"), K::Text, 9},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), K::Text, 24},
        {QStringLiteral("Fecha"), QStringLiteral("ufechab"), K::Date, 10},
        {QString::fromUtf8("Operación"), QStringLiteral("udescgest"), K::Text, 12},
        {QStringLiteral("Taller"), QStringLiteral("codtal"), K::Text, 7},
    };
    s.action = OperationQueryForm::Action::Aceptar;
    return s;
}

} // namespace

TConsultaPorReguladorForm::TConsultaPorReguladorForm(QWidget *parent)
    : OperationQueryForm(parent, setup(), &dm1().query(QStringLiteral("SDBusquedaPorRegulador")))
{
    // Always opens empty, whatever an earlier search left in the shared set.
    clearResult();
}

std::optional<Nav::OperationKey> TConsultaPorReguladorForm::chooseOperation(const Nav::ChooseOperationByRegulator &,
                                                                            QWidget *parent)
{
    TConsultaPorReguladorForm form(parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.chosenKey();
}

void TConsultaPorReguladorForm::actionClicked()
{
    acceptSelection();
}
