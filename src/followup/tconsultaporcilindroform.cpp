#include "followup/tconsultaporcilindroform.h"

#include "app/navigator.h"

#include <QLineEdit>
#include <QPushButton>

namespace
{

OperationQueryForm::Setup setup()
{
    using K = Widgets::GridColumn::Kind;
    OperationQueryForm::Setup s;
    s.objectName = QStringLiteral("ConsultaPorCilindroForm");
    s.caption = QString::fromUtf8("Consulta por Número de Cilindro");
    s.prompt = QString::fromUtf8("Número de Cilindro:");
    s.search = Search::OperationsByCylinder;
    s.notFound = QString::fromUtf8("No se encontraron operaciones para el cilindro indicado.");
    s.columns = {
        {QString::fromUtf8("Código"), QStringLiteral("cilcodh"), 4, true},
        {QStringLiteral("Nro. Serie"), QStringLiteral("cnroserie"), 25, true},
        {QStringLiteral("Marca"), QStringLiteral("umarca"), 10, false},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), 20, false},
        {QString::fromUtf8("Año"), QStringLiteral("uano"), 4, false},
        {QStringLiteral("Dominio"), QStringLiteral("udominio"), 9, true},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), 34, true},
        {QString::fromUtf8("Operación"), QStringLiteral("udescgest"), 12, true},
        {QStringLiteral("Fecha"), QStringLiteral("ufechab"), 10, false, K::Date},
        {QStringLiteral("Taller"), QStringLiteral("codtal"), 7, true},
    };
    s.action = OperationQueryForm::Action::Aceptar;
    return s;
}

} // namespace

TConsultaPorCilindroForm::TConsultaPorCilindroForm(QWidget *parent, Prompter &prompter)
    : OperationQueryForm(parent, setup(), prompter)
{
    // The shared result set outlives the form: the last search shows again.
    showResultRows();

    // The selected row's cylinder, or the serial typed when nothing is listed.
    auto *vida = new QPushButton(QStringLiteral("Vida del Cilindro"), this);
    vida->setObjectName(QStringLiteral("BitBtnVida"));
    vida->setAutoDefault(false);
    addToButtonRow(vida);
    connect(vida, &QPushButton::clicked, this, [this] {
        Nav::ShowCylinderLife request;
        if (hasSelection()) {
            request.serial = selectedText(QStringLiteral("cnroserie"));
            request.code = selectedText(QStringLiteral("cilcodh"));
        } else {
            request.serial = Edit1->text();
        }
        navigator().request(request, this);
    });
}

std::optional<Nav::OperationKey> TConsultaPorCilindroForm::chooseOperation(const Nav::ChooseOperationByCylinder &,
                                                                           QWidget *parent)
{
    TConsultaPorCilindroForm form(parent, guiPrompter());
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.chosenKey();
}

void TConsultaPorCilindroForm::actionClicked()
{
    acceptSelection();
}
