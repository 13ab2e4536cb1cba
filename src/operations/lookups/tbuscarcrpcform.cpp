#include "operations/lookups/tbuscarcrpcform.h"

namespace
{

Lookups::CatalogSearchDialog::Definition definition()
{
    Lookups::CatalogSearchDialog::Definition d;
    d.objectName = QStringLiteral("TBuscarCRPCForm");
    d.caption = QStringLiteral("Busqueda de CRPC");
    d.prompt = QStringLiteral("Ingresar el CRPC a buscar:");
    d.queryName = QStringLiteral("SQLQueryBusquedaCRPC");
    d.sql = QStringLiteral("select * from codcrp where nombre like :co escape '!' order by nombre");
    d.param = QStringLiteral("co");
    d.searchBoxRestoresDefault = false;
    d.closesOnActivate = false;
    d.columns = {{QStringLiteral("Código"), QStringLiteral("CODIGO")},
                 {QStringLiteral("CRPC"), QStringLiteral("NOMBRE")},
                 {QStringLiteral("Dirección"), QStringLiteral("DIRECCION")},
                 {QStringLiteral("Localidad"), QStringLiteral("LOCALIDAD")},
                 {QStringLiteral("Provincia"), QStringLiteral("PROVINCIA")},
                 {QStringLiteral("Teléfono"), QStringLiteral("TELEFONO")}};
    return d;
}

} // namespace

TBuscarCRPCForm::TBuscarCRPCForm(QWidget *parent) : Lookups::CatalogSearchDialog(definition(), parent) {}
