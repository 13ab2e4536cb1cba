#pragma once

#include "postsalesdb.h"

#include <QDateTime>
#include <QSqlQuery>
#include <initializer_list>

// Work orders with their fault entries for the ranking and history suites,
// on top of PostSalesDb's masters. Two workshops share order number 5: its
// faults must never mix. Plate AB123CD has work and conversion orders;
// CC111AA only a conversion order.
//
//   TDM0001 5  10/03/2026 FIAT UNO    dealer 2  faults 1, 1, 2
//   TAL0005 5  20/05/2026 FORD FOCUS  dealer 1  fault 3
//   TDM0001 6  31/03/2026 18:00 FIAT UNO dealer 2  fault 2
//   TAL0005 6  01/04/2026 FIAT UNO    dealer 2  fault 9 (gone from `fallas`)
//   TDM0001 7  02/04/2026 FIAT UNO    owner 99 (not on file), receptionist 99
namespace StatsDb
{

inline void order(QSqlDatabase db, const QString &taller, int nro, const QDateTime &fecha, const QString &marca,
                  const QString &modelo, int dealer, std::initializer_list<int> faults, int owner = 7,
                  int receptionist = 1, const QString &plate = QStringLiteral("AB123CD"))
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("insert into opv (taller, opv_nro, fecha, dominio, marca, modelo, vin, km, cliente, "
                             "celular, concesionario, recepcionista, garantia) values (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                             "'1155550000', ?, ?, 'NO')"));
    for (const QVariant &v : {QVariant(taller), QVariant(nro), QVariant(fecha), QVariant(plate), QVariant(marca),
                              QVariant(modelo), QVariant(QStringLiteral("VIN") + marca), QVariant(1000 * nro),
                              QVariant(owner), QVariant(dealer), QVariant(receptionist)})
        q.addBindValue(v);
    if (!q.exec())
        throw std::runtime_error("opv insert failed");
    for (int f : faults)
        TestDb::exec(db, QStringLiteral("insert into opv_fallas (taller_id, opv_nro, falla) values ('%1', %2, %3)")
                             .arg(taller)
                             .arg(nro)
                             .arg(f));
}

inline QSqlDatabase create(const QString &operations, const QString &postSales)
{
    QSqlDatabase db = PostSalesDb::create(operations, postSales);
    TestDb::exec(db,
                 QStringLiteral("insert into propietarios (propietario_id, propietario) values (7, 'LUNA ESTEBAN')"));
    const auto at = [](int m, int d, int h = 10) { return QDateTime(QDate(2026, m, d), QTime(h, 0)); };
    order(db, QStringLiteral("TDM0001"), 5, at(3, 10), QStringLiteral("FIAT"), QStringLiteral("UNO"), 2, {1, 1, 2});
    order(db, QStringLiteral("TAL0005"), 5, at(5, 20), QStringLiteral("FORD"), QStringLiteral("FOCUS"), 1, {3});
    order(db, QStringLiteral("TDM0001"), 6, at(3, 31, 18), QStringLiteral("FIAT"), QStringLiteral("UNO"), 2, {2});
    order(db, QStringLiteral("TAL0005"), 6, at(4, 1), QStringLiteral("FIAT"), QStringLiteral("UNO"), 2, {9});
    order(db, QStringLiteral("TDM0001"), 7, at(4, 2), QStringLiteral("FIAT"), QStringLiteral("UNO"), 2, {}, 99, 99);
    TestDb::exec(db, QStringLiteral("insert into ott (taller, ott_nro, fecha, dominio, propietario, celular, marca, "
                                    "modelo, vin, km) values ('TDM0001', 3, '2025-11-04', 'AB123CD', 'LUNA ESTEBAN', "
                                    "'1155550000', 'FIAT', 'UNO', 'VINOTT', 800), ('TAL0005', 1, '2026-02-02', "
                                    "'CC111AA', 'SOSA ANA', '1144440000', 'FORD', 'KA', 'VINKA', 15000)"));
    return db;
}

} // namespace StatsDb
