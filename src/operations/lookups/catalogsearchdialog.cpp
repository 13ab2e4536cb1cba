#include "operations/lookups/catalogsearchdialog.h"

#include "core/lookuprules.h"
#include "data/searches.h"
#include "widgets/fieldrules.h"
#include "widgets/resultgrid.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace Lookups
{

namespace
{

// The escape character of the catalogue's `like` statements.
const QChar kLikeEscape = QLatin1Char('!');

Widgets::SearchDialog::Setup setupOf(const CatalogSearchDialog::Definition &def)
{
    Widgets::SearchDialog::Setup s;
    s.objectName = def.objectName;
    s.caption = def.caption;
    s.prompt = def.prompt;
    s.searchButton = QStringLiteral("Buscar");
    s.searchButtonName = QStringLiteral("BitBtnBuscar");
    s.columns = def.columns;
    s.size = {600, 360};
    return s;
}

} // namespace

CatalogSearchDialog::Definition CatalogSearchDialog::definitionOf(Catalogue catalogue)
{
    // In the order of the enum.
    static const Definition definitions[] = {
        // Regulators
        {QStringLiteral("TBuscarReguladorForm"),
         QStringLiteral("Busqueda de Reguladores"),
         QStringLiteral("Ingresar el regulador a buscar"),
         Search::Regulators,
         {{QStringLiteral("Código"), QStringLiteral("CODIGO"), 4, true},
          {QStringLiteral("Marca"), QStringLiteral("MARCA"), 30, false},
          {QStringLiteral("Modelo"), QStringLiteral("MODELO"), 30, false}},
         true,
         true},
        // Valves
        {QStringLiteral("TBuscarValvulaCilindroForm"),
         QStringLiteral("Busqueda de Válvulas de Cilindro"),
         QStringLiteral("Ingresar la válvula de cilindro a buscar:"),
         Search::Valves,
         {{QStringLiteral("Código"), QStringLiteral("CODVAL"), 4, true},
          {QStringLiteral("Marca"), QStringLiteral("MARCA"), 30, false},
          {QStringLiteral("Modelo"), QStringLiteral("MODELO"), 30, false},
          {QStringLiteral("Tipo"), QStringLiteral("TIPO"), 20, false}},
         false,
         true},
        // Centres
        {QStringLiteral("TBuscarCRPCForm"),
         QStringLiteral("Busqueda de CRPC"),
         QStringLiteral("Ingresar el CRPC a buscar:"),
         Search::RevisionCentres,
         {{QStringLiteral("Código"), QStringLiteral("CODIGO"), 4, true},
          {QStringLiteral("CRPC"), QStringLiteral("NOMBRE"), 30, true},
          {QStringLiteral("Dirección"), QStringLiteral("DIRECCION"), 30, false},
          {QStringLiteral("Localidad"), QStringLiteral("LOCALIDAD"), 20, false},
          {QStringLiteral("Provincia"), QStringLiteral("PROVINCIA"), 16, false},
          {QStringLiteral("Teléfono"), QStringLiteral("TELEFONO"), 14, false}},
         false,
         false},
        // Cylinders
        {QStringLiteral("TBuscarCilindroForm"),
         QStringLiteral("Busqueda de Cilindros"),
         QStringLiteral("Ingresar el cilindro a buscar"),
         Search::CylinderModels,
         {{QStringLiteral("Código"), QStringLiteral("CODIGO"), 4, true},
          {QStringLiteral("Marca"), QStringLiteral("MARCA"), 30, false},
          {QStringLiteral("Modelo"), QStringLiteral("MODELO"), 30, false}},
         true,
         false},
    };
    return definitions[int(catalogue)];
}

CatalogSearchDialog::CatalogSearchDialog(Catalogue catalogue, QWidget *parent, Prompter &prompter)
    : Widgets::SearchDialog(setupOf(definitionOf(catalogue)), parent, prompter), m_def(definitionOf(catalogue))
{
    BitBtnBuscar = searchButton();
    BitBtnAceptar = addButton(QStringLiteral("Aceptar"), QStringLiteral("BitBtnAceptar"));
    BitBtnCancelar = addButton(QStringLiteral("Cancelar"), QStringLiteral("BitBtnCancelar"));
    setDefaultButton(BitBtnBuscar);
    if (m_def.searchBoxRestoresDefault) // back in the box, Enter searches again
        Widgets::FieldRules::of(this)->onEnter(Edit1, [this] { setDefaultButton(BitBtnBuscar); });
    acceptOnDoubleClick(BitBtnAceptar);
    choosesRow(BitBtnAceptar);

    connect(BitBtnBuscar, &QPushButton::clicked, this, &CatalogSearchDialog::BuscarClick);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &CatalogSearchDialog::AceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

bool CatalogSearchDialog::keepsResult() const
{
    return !Searches::Kept(m_def.search).isEmpty();
}

void CatalogSearchDialog::BuscarClick()
{
    const QString text = Edit1->text();
    Widgets::setNothingFoundText(DBGrid1, QStringLiteral("No se encontraron datos para \"%1\".").arg(text));
    const int found = runSearch(m_def.search, ContainsPattern(text, kLikeEscape));
    if (found <= 0) {
        // Nothing to take: the operator types another search.
        Edit1->setFocus();
        Edit1->selectAll();
        return;
    }
    DBGrid1->setFocus();
    setDefaultButton(BitBtnAceptar);
}

void CatalogSearchDialog::preSearch(const QString &text)
{
    Edit1->setText(text);
    BuscarClick();
    // The first activation must not throw this search away.
    m_preSearched = true;
}

void CatalogSearchDialog::AceptarClick()
{
    if (hasSelection())
        accept();
}

void CatalogSearchDialog::showEvent(QShowEvent *event)
{
    Widgets::SearchDialog::showEvent(event);
    if (m_preSearched) {
        m_preSearched = false;
        if (hasSelection()) {
            DBGrid1->setFocus();
        } else {
            Edit1->setFocus();
            Edit1->selectAll();
        }
        return;
    }
    if (m_def.closesOnActivate) {
        Searches::Forget(m_def.search);
        clearRows();
    }
    Edit1->setFocus();
}
} // namespace Lookups
