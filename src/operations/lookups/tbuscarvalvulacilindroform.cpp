#include "operations/lookups/tbuscarvalvulacilindroform.h"

namespace
{

Lookups::CatalogSearchDialog::Definition definition()
{
    Lookups::CatalogSearchDialog::Definition d;
    d.objectName = QStringLiteral("TBuscarValvulaCilindroForm");
    d.caption = QStringLiteral("Busqueda de Válvulas de Cilindro");
    d.prompt = QStringLiteral("Ingresar la válvula de cilindro a buscar:");
    d.queryName = QStringLiteral("SQLQueryBusquedaValvula");
    d.sql = QStringLiteral("select * from valcod where codval like :co escape '!' order by codval");
    d.param = QStringLiteral("co");
    d.searchBoxRestoresDefault = false;
    d.closesOnActivate = true;
    d.columns = {{QStringLiteral("Código"), QStringLiteral("CODVAL")},
                 {QStringLiteral("Marca"), QStringLiteral("MARCA")},
                 {QStringLiteral("Modelo"), QStringLiteral("MODELO")},
                 {QStringLiteral("Tipo"), QStringLiteral("TIPO")}};
    return d;
}

} // namespace

TBuscarValvulaCilindroForm::TBuscarValvulaCilindroForm(QWidget *parent)
    : Lookups::CatalogSearchDialog(definition(), parent)
{
}
