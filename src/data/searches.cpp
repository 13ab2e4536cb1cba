#include "data/searches.h"

#include "data/backgroundquery.h"
#include "data/dm1.h"

namespace Searches
{

namespace
{

struct Statement {
    const char *name;
    const char *param; // its one parameter
};

Statement statementOf(Search search)
{
    switch (search) {
    case Search::OperationsByDomain:
        return {"SDBusquedaPorDominio", "do"};
    case Search::OperationsByCylinder:
        return {"SDBusquedaPorCilindro", "re"};
    case Search::OperationsByRegulator:
        return {"SDBusquedaPorRegulador", "re"};
    case Search::OperationBySticker:
        return {"SQLQueryConsultaOblea", "ob"};
    case Search::PlateOwnPec:
        return {"SQLQueryBuscarPatente", "do"};
    case Search::PlateAllPecs:
        return {"SQLQueryBuscarPatenteFull", "do"};
    case Search::Regulators:
        return {"SQLQueryBusquedaRegulador", "re"};
    case Search::Valves:
        return {"SQLQueryBusquedaValvula", "co"};
    case Search::RevisionCentres:
        return {"SQLQueryBusquedaCRPC", "co"};
    case Search::CylinderModels:
        return {"SQLQueryBusquedaCilindro", "ci"};
    case Search::OwnersByName:
        return {"SDBusquedaPorApellido", "ayn"};
    }
    return {"", ""};
}

NamedQuery &shared(Search search)
{
    return dm1().query(QString::fromLatin1(statementOf(search).name));
}

} // namespace

Conn ConnectionOf(Search search)
{
    return shared(search).connection();
}

Rows Read(Search search, const QVariant &key)
{
    const Statement s = statementOf(search);
    return BackgroundQuery::readAll(QString::fromLatin1(s.name), {{QString::fromLatin1(s.param), key}});
}

void Keep(Search search, const Rows &rows)
{
    shared(search).adoptRows(rows);
}

Rows Kept(Search search)
{
    NamedQuery &q = shared(search);
    return q.isActive() ? q.rows() : Rows();
}

void Forget(Search search)
{
    shared(search).close();
}

void Choose(Search search, int row)
{
    NamedQuery &q = shared(search);
    if (!q.first())
        return;
    while (q.position() < row && q.next()) {
    }
}

} // namespace Searches
