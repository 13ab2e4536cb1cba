#include "operations/lookups/tbuscarpatentefullform.h"

namespace
{

Lookups::DomainSearchDialog::Definition definition()
{
    using C = Lookups::GridColumn;
    Lookups::DomainSearchDialog::Definition d;
    d.objectName = QStringLiteral("TBuscarPatenteFullForm");
    d.title = QStringLiteral("Buscar Operaciones por Dominio [Todos los PEC]");
    d.queryName = QStringLiteral("SQLQueryBuscarPatenteFull");
    d.sql = QStringLiteral("select * from usr_full where udominio = :do order by uobleanew");
    d.palette = Lookups::GridPalette::Blue;
    d.columns = {C{QStringLiteral("Dominio"), QStringLiteral("UDOMINIO")},
                 C{QStringLiteral("Marca"), QStringLiteral("UMARCA")},
                 C{QStringLiteral("Modelo"), QStringLiteral("UMODELO")},
                 C{QStringLiteral("Año"), QStringLiteral("UANO")},
                 C{QStringLiteral("Propietario"), QStringLiteral("UAPEYNOM")},
                 C{QStringLiteral("Fecha"), QStringLiteral("UFECHAB")},
                 C{QStringLiteral("Oblea"), QStringLiteral("UOBLEANEW")},
                 C{QStringLiteral("Operación"), QStringLiteral("UDESCGEST")},
                 C{QStringLiteral("PEC"), QStringLiteral("PECCOD")},
                 C{QStringLiteral("Taller"), QStringLiteral("CODTAL")}};
    return d;
}

} // namespace

TBuscarPatenteFullForm::TBuscarPatenteFullForm(QWidget *parent, Prompter *prompter)
    : Lookups::DomainSearchDialog(definition(), parent, prompter)
{
}
