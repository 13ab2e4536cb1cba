#pragma once

#include "core/conversionorder.h"
#include "core/owner.h"
#include "report/reportform.h"

#include <QVector>

class QWidget;

// The workshop's documents: the conversion order on its A4 sheet and the
// owners list with its spreadsheet export.
namespace Documents
{

// The order's named values (core's print values).
Report::Values OrderValues(const Orders::ConversionOrder &order, const Orders::PrintContext &context);
// `TQOrdenTrabajoForm` filled for the order.
Report::ReportForm MakeOrder(const Orders::ConversionOrder &order, const Orders::PrintContext &context);

// One row per owner with the list's fields (`propietario`, `tipoDoc`,
// `nroDoc`, `calle`, `localidad`, `telefono`, `celular`, `email`,
// `codigoPostal`).
std::shared_ptr<const Report::RowSource> OwnerListRows(const QVector<Owners::Owner> &owners);
// `TExportToExcelPropietariosForm` over the owners, one line each.
Report::ReportForm MakeOwnerList(const QVector<Owners::Owner> &owners);

} // namespace Documents
