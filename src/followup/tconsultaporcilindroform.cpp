#include "followup/tconsultaporcilindroform.h"

#include "data/dm1.h"

namespace
{

OperationQueryForm::Setup setup()
{
    using K = GridColumn::Kind;
    OperationQueryForm::Setup s;
    s.objectName = QStringLiteral("ConsultaPorCilindroForm");
    s.caption = QString::fromUtf8("Consulta por Número de Cilindro");
    s.entryLabel = QString::fromUtf8("Número de Cilindro:");
    s.param = QStringLiteral("re");
    s.notFound = QString::fromUtf8("No se encontraron operaciones para el cilindro indicado.");
    s.columns = {
        {QString::fromUtf8("Código"), QStringLiteral("cilcodh"), K::Text, 4},
        {QStringLiteral("Nro. Serie"), QStringLiteral("cnroserie"), K::Text, 16},
        {QStringLiteral("Marca"), QStringLiteral("umarca"), K::Text, 10},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), K::Text, 14},
        {QString::fromUtf8("Año"), QStringLiteral("uano"), K::Text, 4},
        {QStringLiteral("Dominio"), QStringLiteral("udominio"), K::Text, 9},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), K::Text, 24},
        {QString::fromUtf8("Operación"), QStringLiteral("udescgest"), K::Text, 12},
        {QStringLiteral("Fecha"), QStringLiteral("ufechab"), K::Date, 10},
        {QStringLiteral("Taller"), QStringLiteral("codtal"), K::Text, 7},
    };
    s.action = OperationQueryForm::Action::Aceptar;
    return s;
}

} // namespace

TConsultaPorCilindroForm::TConsultaPorCilindroForm(QWidget *parent)
    : OperationQueryForm(parent, setup(), &dm1().query(QStringLiteral("SDBusquedaPorCilindro")))
{
    // The shared result set outlives the form: the last search shows again.
    showResultRows();
}

std::optional<Nav::OperationKey> TConsultaPorCilindroForm::chooseOperation(const Nav::ChooseOperationByCylinder &,
                                                                           QWidget *parent)
{
    TConsultaPorCilindroForm form(parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.chosenKey();
}

void TConsultaPorCilindroForm::actionClicked()
{
    acceptSelection();
}
