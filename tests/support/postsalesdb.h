#pragma once

#include "data/dm1.h"
#include "testdb.h"

// A post-sales database with a few master rows, beside an operations
// database holding the regulator catalogue: technicians 1 ACOSTA, 2 BRITEZ,
// 3 CORIA; dealers 1 PARTICULAR, 2 OESTE MOTORS; faults, jobs; brands FIAT
// (UNO, SIENA) and FORD (FOCUS); regulators T009 (both databases) and R001
// (operations only).
namespace PostSalesDb
{

inline QSqlDatabase create(const QString &operations, const QString &postSales)
{
    QSqlDatabase ops = TestDb::create(operations, operations);
    TestDb::exec(ops, QStringLiteral("INSERT INTO codreg (CODIGO, MARCA, MODELO) VALUES ('T009', 'TOMASETTO', "
                                     "'AT09'), ('R001', 'LOVATO', 'RGJ')"));
    QSqlDatabase pv = TestDb::create(postSales, postSales);
    for (const char *sql :
         {"INSERT INTO codreg (CODIGO, MARCA, MODELO) VALUES ('T009', 'TOMASETTO', 'AT09')",
          "INSERT INTO operarios (id, nombre) VALUES (1, 'ACOSTA LEANDRO'), (2, 'BRITEZ DAMIAN'), (3, 'CORIA MATIAS')",
          "INSERT INTO clientes (id, cliente) VALUES (1, 'PARTICULAR'), (2, 'OESTE MOTORS')",
          "INSERT INTO fallas (id, falla) VALUES (1, 'NO PASA A GAS'), (2, 'PIERDE GAS'), (3, 'TIRONEA EN GNC')",
          "INSERT INTO trabajos_realizados (id, trabajo_realizado) VALUES (1, 'AJUSTE DE MEZCLA'), "
          "(2, 'CAMBIO DE FILTRO DE GAS')",
          "INSERT INTO marcas (marca) VALUES ('FIAT'), ('FORD')",
          "INSERT INTO marcas_modelos (marca_m, modelo_m) VALUES ('FIAT', 'UNO'), ('FIAT', 'SIENA'), "
          "('FORD', 'FOCUS')"})
        TestDb::exec(pv, QString::fromUtf8(sql));
    return pv;
}

// The same, with the program's two connections pointed at them.
inline QSqlDatabase createAndConnect(const QString &operations, const QString &postSales)
{
    QSqlDatabase pv = create(operations, postSales);
    dm1().configure(Conn::Operations, {TestDb::host(), operations, TestDb::user(), TestDb::password(), QString()});
    dm1().configure(Conn::PostVenta, {TestDb::host(), postSales, TestDb::user(), TestDb::password(), QString()});
    return pv;
}

inline void drop(const QString &operations, const QString &postSales)
{
    for (const QString &name : {operations, postSales}) {
        QSqlDatabase::database(name, false).close();
        TestDb::drop(name);
    }
}

} // namespace PostSalesDb
