#include "operations/lookups/domainsearchdialog.h"

#include "core/lookuprules.h"
#include "data/searches.h"

#include <QPushButton>
#include <QTableView>

namespace Lookups
{

namespace
{

Widgets::SearchDialog::Setup setupOf(DomainSearchDialog::Scope scope)
{
    using C = Widgets::GridColumn;
    const C dominio{QStringLiteral("Dominio"), QStringLiteral("UDOMINIO"), 9, true};
    const C marca{QStringLiteral("Marca"), QStringLiteral("UMARCA"), 10};
    const C modelo{QStringLiteral("Modelo"), QStringLiteral("UMODELO"), 20};
    const C anio{QStringLiteral("Año"), QStringLiteral("UANO"), 4};
    const C propietario{QStringLiteral("Propietario"), QStringLiteral("UAPEYNOM"), 34, true};
    const C oblea{QStringLiteral("Oblea"), QStringLiteral("UOBLEANEW"), 10, true};
    const C operacion{QStringLiteral("Operación"), QStringLiteral("UDESCGEST"), 12, true};
    const C fecha{QStringLiteral("Fecha"), QStringLiteral("UFECHAB"), 10, false, C::Kind::Date};
    const C taller{QStringLiteral("Taller"), QStringLiteral("CODTAL"), 7, true};
    Widgets::SearchDialog::Setup s;
    s.notFound = QStringLiteral("Lo siento. No hay datos para el dominio ingresado.");
    s.size = {900, 360};
    if (scope == DomainSearchDialog::Scope::OwnPec) {
        s.objectName = QStringLiteral("TBuscarPatenteForm");
        s.caption = QStringLiteral("Buscar Operaciones por Dominio");
        s.palette = Widgets::GridPalette::Green;
        s.columns = {
            dominio, marca,     modelo, anio,   propietario,
            oblea,   operacion, fecha,  taller, {QStringLiteral("Nro Interno"), QStringLiteral("TNROINTOPR"), 11}};
    } else {
        s.objectName = QStringLiteral("TBuscarPatenteFullForm");
        s.caption = QStringLiteral("Buscar Operaciones por Dominio [Todos los PEC]");
        s.columns = {dominio, marca,       modelo,
                     anio,    propietario, fecha,
                     oblea,   operacion,   {QStringLiteral("PEC"), QStringLiteral("PECCOD"), 4, true},
                     taller};
    }
    return s;
}

} // namespace

DomainSearchDialog::DomainSearchDialog(Scope scope, QWidget *parent, Prompter &prompter)
    : Widgets::SearchDialog(setupOf(scope), parent, prompter),
      m_search(scope == Scope::OwnPec ? Search::PlateOwnPec : Search::PlateAllPecs)
{
    BitBtnAceptar = addButton(QStringLiteral("Aceptar"), QStringLiteral("BitBtnAceptar"));
    BitBtnCancelar = addButton(QStringLiteral("Cancelar"), QStringLiteral("BitBtnCancelar"));
    setDefaultButton(BitBtnAceptar);
    acceptOnDoubleClick(BitBtnAceptar);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &DomainSearchDialog::AceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void DomainSearchDialog::setDomain(const QString &domain)
{
    m_domain = domain;
    setWindowTitle(DomainCaption(domain));
}

void DomainSearchDialog::FormActivate()
{
    const int found = runSearch(m_search, m_domain);
    BitBtnAceptar->setEnabled(found > 0);
    if (found <= 0)
        BitBtnCancelar->setFocus();
}

void DomainSearchDialog::AceptarClick()
{
    if (hasSelection())
        accept();
}

void DomainSearchDialog::showEvent(QShowEvent *event)
{
    Widgets::SearchDialog::showEvent(event);
    FormActivate();
}

} // namespace Lookups
