#pragma once

#include "core/connectionsettings.h"
#include "core/ordersearch.h"
#include "core/workorder.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

// Work orders in the post-sales database: `opv` with its faults
// (`opv_fallas`) and jobs (`opv_trabajo_realizado`). A new order is written
// with its faults and jobs in one transaction. Failures throw DbError.
//
// Each write goes under the operator's ticket (a ticket of its own when none
// is given) in the exchange that makes it: "Guardar" again after a lost
// answer never stores twice (see WriteOnce).
namespace WriteOnce
{
struct Ticket;
}

namespace WorkOrderStore
{

// Stores a new order of `order.taller` with its faults and jobs. Its number
// is the workshop's highest plus one, read with that order locked; when
// another workstation took the number meanwhile the whole save runs again
// with the next one. Returns the number (also left in `order.numero`, the
// row ids in its faults and jobs). With `stored`, the order is read back as
// Load reads it, in the same exchange: a save is one round trip whatever
// its number of faults and jobs.
int SaveNew(WorkOrders::WorkOrder &order, std::optional<WorkOrders::WorkOrder> *stored = nullptr,
            WriteOnce::Ticket *ticket = nullptr);

// "Guardar Cambios": rewrites the order's row (not its key nor the mobile's
// area code); its faults and jobs are written one by one as they change.
void SaveEdit(const WorkOrders::WorkOrder &order, WriteOnce::Ticket *ticket = nullptr);

// The order with the dealer, owner (name and document) and receptionist
// names, its faults and its jobs (one exchange); none when the order, or its
// dealer, owner or receptionist row, is missing.
std::optional<WorkOrders::WorkOrder> Load(const QString &taller, int numero);

// The faults and jobs of an order, as stored, in the order they were added.
QVector<WorkOrders::Fault> Faults(const QString &taller, int numero);
QVector<WorkOrders::Job> Jobs(const QString &taller, int numero);
// One fault or job added to / removed from a stored order; Add returns the row id.
int AddFault(const QString &taller, int numero, int faultId, WriteOnce::Ticket *ticket = nullptr);
void RemoveFault(int rowId, WriteOnce::Ticket *ticket = nullptr);
int AddJob(const QString &taller, int numero, int jobId, int technicianId, WriteOnce::Ticket *ticket = nullptr);
void RemoveJob(int rowId, WriteOnce::Ticket *ticket = nullptr);

// What leaving "Dominio" copies: a conversion order of the plate whose owner
// exists, or else the latest work order of the plate whose owner exists.
std::optional<WorkOrders::Prefill> PrefillFor(const QString &plate);

// The plate's conversion ("C" in `usr`) by a workshop whose `tal.garantia`
// is 1, the one expiring last, on `conn`'s central database.
std::optional<WorkOrders::Conversion> WarrantyConversion(Conn conn, const QString &plate);

// The kinds of operation of "Tipo de Operación" (`operaciones`).
struct OperationType {
    QString id, name;
};
QVector<OperationType> OperationTypes();

// One line of the order query.
struct ListRow {
    int numero = 0;
    QString propietario, vin, dominio, marca, modelo, taller;
    QDate fecha;
};
// Orders whose owner exists matching the search, lowest number first.
QVector<ListRow> Find(const OrderSearch::Filter &filter);

// One line of the period listing.
struct PeriodRow {
    QDate fecha;
    int numero = 0;
    QString propietario, vin, dominio, marca, modelo, taller, garantia, concesionario;
    double importe = 0; // abonado_importe
};
// Orders of the listing with their owner and dealer, by date, workshop and number.
QVector<PeriodRow> List(const WorkOrders::ListFilter &filter);

} // namespace WorkOrderStore
