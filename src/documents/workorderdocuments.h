#pragma once

#include "core/workorder.h"
#include "data/workorderstore.h"
#include "report/reportform.h"

#include <QVector>
#include <memory>

// The work order's printed documents: the order for the customer to sign
// (`TQOPVForm`, `TQOPVHornbeamForm`, and their reprints) and the period
// listing (`TQListadoOpvForm`, `TQListadoOPVExcelForm`).
namespace Documents
{

// The order's named values (core's print values).
Report::Values WorkOrderValues(const WorkOrders::WorkOrder &order, const WorkOrders::PrintContext &context);
// The order's faults, one detail row each (`falla_desc`).
std::shared_ptr<const Report::RowSource> WorkOrderFaultRows(const WorkOrders::WorkOrder &order);
// `layout` (one of the four order layouts) filled for the order.
Report::ReportForm MakeWorkOrder(const QString &layout, const WorkOrders::WorkOrder &order,
                                 const WorkOrders::PrintContext &context);

// One row per order with the fields `fecha`, `opv_nro`, `propietario`,
// `vin`, `dominio`, `marca`, `modelo`, `taller`, `garantia`,
// `abonado_importe`, `concesionario`.
std::shared_ptr<const Report::RowSource> WorkOrderListRows(const QVector<WorkOrderStore::PeriodRow> &rows);
// `TQListadoOpvForm` (with the period and workshop lines) or, for the
// spreadsheet, `TQListadoOPVExcelForm`.
Report::ReportForm MakeWorkOrderList(const QVector<WorkOrderStore::PeriodRow> &rows,
                                     const WorkOrders::ListFilter &filter, bool spreadsheet);

} // namespace Documents
