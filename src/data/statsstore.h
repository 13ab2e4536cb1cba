#pragma once

#include "core/faultranking.h"
#include "core/vehiclehistory.h"

#include <QDateTime>
#include <QString>
#include <QVector>

// Readings of the statistics and the vehicle history: fault counts of the
// work orders, the work orders of a model, and one plate's orders and
// operations. The work-order tables are read through the post-sales
// connection, the operations (`usr`) through the operations connection.
// Failures throw DbError.
namespace StatsStore
{

// Fault entries (`opv_fallas`) of the work orders within `bounds`, per fault,
// with its description; an entry belongs to the order of the same workshop
// and number only.
QVector<Ranking::Count> FaultCounts(const Ranking::Bounds &bounds);

// One line of "Ordenes de Trabajo por Modelo".
struct OrderRow {
    int numero = 0;
    QString propietario, vin, dominio, marca, modelo, taller;
    QDateTime fecha;
};
// Orders of the model within the bounds' period and workshops whose owner is
// on file, newest first.
QVector<OrderRow> OrdersOfModel(const Ranking::Bounds &bounds);

// The plate's orders in one exchange: its work orders whose receptionist
// and owner are on file, and its conversion orders, each newest first.
struct PlateOrders {
    QVector<History::WorkOrder> work;
    QVector<History::ConversionOrder> conversions;
};
PlateOrders OrdersOfPlate(const QString &plate);
// The plate's operations in the central table, by revision date.
QVector<History::Operation> OperationsOfPlate(const QString &plate);

} // namespace StatsStore
