#pragma once

// One entry of each catalogue the operation form and its cylinder dialog
// look codes up in: regulator R100 (ACME), cylinder model C100, test centre
// ABCD, valve V101.
#include "testdb.h"

#include <QSqlDatabase>

namespace Builders
{

inline void catalogues(QSqlDatabase db)
{
    TestDb::exec(db, QStringLiteral("insert into codreg (CODIGO, MARCA, MODELO) values ('R100', 'ACME', 'A1')"));
    TestDb::exec(db,
                 QStringLiteral("insert into codcil (CODIGO, MARCA, MODELO, VENC) values ('C100', 'FABER', 'F60', 5)"));
    TestDb::exec(db, QStringLiteral("insert into codcrp (CODIGO, NOMBRE) values ('ABCD', 'CENTRO NORTE')"));
    TestDb::exec(db, QStringLiteral("insert into valcod (CODVAL, MARCA, MODELO, TIPO) values "
                                    "('V101', 'TOMASETTO', 'T1', 'MANUAL')"));
}

} // namespace Builders
