#include "operations/lookups/tbuscarcilindroform.h"

namespace
{

Lookups::CatalogSearchDialog::Definition definition()
{
    Lookups::CatalogSearchDialog::Definition d;
    d.objectName = QStringLiteral("TBuscarCilindroForm");
    d.caption = QStringLiteral("Busqueda de Cilindros");
    d.prompt = QStringLiteral("Ingresar el cilindro a buscar");
    d.queryName = QStringLiteral("SQLQueryBusquedaCilindro");
    d.sql = QStringLiteral("select * from codcil where codigo like :ci escape '!' order by codigo");
    d.param = QStringLiteral("ci");
    d.searchBoxRestoresDefault = true;
    d.closesOnActivate = false;
    d.columns = {{QStringLiteral("Código"), QStringLiteral("CODIGO")},
                 {QStringLiteral("Marca"), QStringLiteral("MARCA")},
                 {QStringLiteral("Modelo"), QStringLiteral("MODELO")}};
    return d;
}

} // namespace

TBuscarCilindroForm::TBuscarCilindroForm(QWidget *parent) : Lookups::CatalogSearchDialog(definition(), parent) {}
