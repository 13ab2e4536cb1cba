#pragma once

#include "core/operationrecord.h"

#include <QVector>

class LocalTable;

// The cylinder work table ("CILAUX01.ADT") as operation-record rows: the one
// place that knows how a CylinderRow maps onto its fields.
namespace CylinderWorkTable
{

// Every record from the first, in list order; opens the table if needed.
QVector<CylinderRow> Read(LocalTable &table);

// Appends one record and posts it.
void Append(LocalTable &table, const CylinderRow &row);

} // namespace CylinderWorkTable
