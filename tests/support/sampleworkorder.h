#pragma once

#include "core/workorder.h"

// A complete work order of workshop `taller` (not numbered) for the master
// rows of postsalesdb.h: owner 7, dealer 2, receptionist 1; two faults and
// `jobs` jobs done alternately by technicians 1 and 2.
inline WorkOrders::WorkOrder sampleWorkOrder(const QString &taller = QStringLiteral("TDM0001"), int jobs = 1)
{
    WorkOrders::WorkOrder o;
    o.taller = taller;
    o.fecha = QDate(2026, 12, 9);
    o.dominio = QStringLiteral("AB123CD");
    o.marca = QStringLiteral("FIAT");
    o.modelo = QStringLiteral("SIENA");
    o.anio = 2019;
    o.vin = QStringLiteral("8AP17206NK2012345");
    o.km = 61500;
    o.cliente = 7;
    o.celular = QStringLiteral("54327788");
    o.celularCarac = QStringLiteral("11");
    o.concesionario = 2;
    o.recepcionista = 1;
    o.garantia = QStringLiteral("SI");
    o.tipoOperacion = QStringLiteral("SERV");
    o.otrasFallas = {QStringLiteral("RUIDO AL ACELERAR"), QString()};
    o.diagnostico = {QStringLiteral("MEMBRANA GASTADA"), QStringLiteral("CAMBIAR FILTRO")};
    o.presupuestoDesc = {QStringLiteral("KIT DE MEMBRANAS"), QStringLiteral("MANO DE OBRA"), QString()};
    o.presupuesto = 42500.5;
    o.horasHombre = 1.5;
    o.entregaFecha = QDate(2026, 12, 11);
    o.entregaHora = QStringLiteral("18:30");
    o.abonadoImporte = 42500.5;
    o.abonadoForma = QStringLiteral("TARJETA");
    o.faults = {{0, 1, QStringLiteral("NO PASA A GAS")}, {0, 3, QStringLiteral("TIRONEA EN GNC")}};
    for (int i = 0; i < jobs; ++i)
        o.jobs.push_back({0, 1 + i % 2,
                          i % 2 ? QStringLiteral("CAMBIO DE FILTRO DE GAS") : QStringLiteral("AJUSTE DE MEZCLA"),
                          1 + i % 2, i % 2 ? QStringLiteral("BRITEZ DAMIAN") : QStringLiteral("ACOSTA LEANDRO")});
    return o;
}
