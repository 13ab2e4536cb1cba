#include "operations/lookups/tbuscarpatenteform.h"

namespace
{

Lookups::DomainSearchDialog::Definition definition()
{
    using C = Lookups::GridColumn;
    Lookups::DomainSearchDialog::Definition d;
    d.objectName = QStringLiteral("TBuscarPatenteForm");
    d.title = QStringLiteral("Buscar Operaciones por Dominio");
    d.queryName = QStringLiteral("SQLQueryBuscarPatente");
    d.sql = QStringLiteral("select * from usr where udominio = :do order by uobleanew");
    d.palette = Lookups::GridPalette::Green;
    d.columns = {C{QStringLiteral("Dominio"), QStringLiteral("UDOMINIO")},
                 C{QStringLiteral("Marca"), QStringLiteral("UMARCA")},
                 C{QStringLiteral("Modelo"), QStringLiteral("UMODELO")},
                 C{QStringLiteral("Año"), QStringLiteral("UANO")},
                 C{QStringLiteral("Propietario"), QStringLiteral("UAPEYNOM")},
                 C{QStringLiteral("Oblea"), QStringLiteral("UOBLEANEW")},
                 C{QStringLiteral("Operación"), QStringLiteral("UDESCGEST")},
                 C{QStringLiteral("Fecha"), QStringLiteral("UFECHAB")},
                 C{QStringLiteral("Taller"), QStringLiteral("CODTAL")},
                 C{QStringLiteral("Nro Interno"), QStringLiteral("TNROINTOPR")}};
    return d;
}

} // namespace

TBuscarPatenteForm::TBuscarPatenteForm(QWidget *parent, Prompter *prompter)
    : Lookups::DomainSearchDialog(definition(), parent, prompter)
{
}
