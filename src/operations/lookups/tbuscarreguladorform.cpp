#include "operations/lookups/tbuscarreguladorform.h"

namespace
{

Lookups::CatalogSearchDialog::Definition definition()
{
    Lookups::CatalogSearchDialog::Definition d;
    d.objectName = QStringLiteral("TBuscarReguladorForm");
    d.caption = QStringLiteral("Busqueda de Reguladores");
    d.prompt = QStringLiteral("Ingresar el regulador a buscar");
    d.queryName = QStringLiteral("SQLQueryBusquedaRegulador");
    d.sql = QStringLiteral("select * from codreg where codigo like :re escape '!' order by codigo");
    d.param = QStringLiteral("re");
    d.searchBoxRestoresDefault = true;
    d.closesOnActivate = true;
    d.columns = {{QStringLiteral("Código"), QStringLiteral("CODIGO")},
                 {QStringLiteral("Marca"), QStringLiteral("MARCA")},
                 {QStringLiteral("Modelo"), QStringLiteral("MODELO")}};
    return d;
}

} // namespace

TBuscarReguladorForm::TBuscarReguladorForm(QWidget *parent) : Lookups::CatalogSearchDialog(definition(), parent) {}
