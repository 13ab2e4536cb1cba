#pragma once

#include "core/conversionorder.h"
#include "core/ordersearch.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QVector>
#include <optional>

// Conversion orders in the post-sales database: `ott` with its `ott_reg`
// and `ott_cil` rows. An order and its rows are always written together, in
// one transaction. Failures throw DbError.
//
// Each write is one exchange and goes under the operator's ticket (a ticket
// of its own when none is given): "Guardar" again after a lost answer never
// stores twice (see WriteOnce).
namespace WriteOnce
{
struct Ticket;
}

namespace ConversionOrderStore
{

// Stores a new order of `order.taller`. Its number is the workshop's highest
// plus one, read with the workshop's last order locked and written in the
// same transaction as the order, its regulator and its cylinders; when
// another workstation took that number meanwhile, the whole save runs again
// with the next one. Returns the number (also left in `order.numero`).
int SaveNew(Orders::ConversionOrder &order, WriteOnce::Ticket *ticket = nullptr);

// Rewrites the order (all but its key, date, and the owner's neighbourhood
// and area code) and replaces its regulator and cylinders, in one transaction.
void SaveEdit(const Orders::ConversionOrder &order, WriteOnce::Ticket *ticket = nullptr);

// The stored rows of an order: `ott`, its regulator rows with the catalogue's
// `MARCA` (empty when the code is not in the catalogue) and its cylinders.
struct Rows {
    QVariantMap order;
    QList<QVariantMap> regulators;
    QList<QVariantMap> cylinders;
};
std::optional<Rows> LoadRows(const QString &taller, int numero);
std::optional<Orders::ConversionOrder> Load(const QString &taller, int numero);

// One line of the order list.
struct ListRow {
    int numero = 0;
    QString propietario, vin, dominio, marca, modelo, taller;
    QDate fecha;
};
// Orders matching the filter, newest number first.
QVector<ListRow> Find(const OrderSearch::Filter &filter);

// Whether any workshop has an order for the plate.
bool PlateHasOrders(const QString &plate);

// Every workshop that has work orders, for the list's "Taller".
QStringList WorkshopsWithWorkOrders();

} // namespace ConversionOrderStore
