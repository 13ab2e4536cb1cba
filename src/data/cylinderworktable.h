#pragma once

#include "core/operationrecord.h"

#include <QVector>

class LocalTable;

// The cylinder work table ("CILAUX01.ADT") as operation-record rows: the one
// place that knows how a CylinderRow maps onto the fields of the work table.
namespace CylinderWorkTable
{

// The record at `row` (0-based), without moving the table's cursor; an empty
// row out of range.
CylinderRow RowAt(const LocalTable &table, int row);

// Every record, in list order; opens the table if needed.
QVector<CylinderRow> Read(LocalTable &table);

// Appends one record and posts it.
void Append(LocalTable &table, const CylinderRow &row);

// Empties the table and appends `rows`: the table is refilled, never merged.
void Replace(LocalTable &table, const QVector<CylinderRow> &rows);

// One line of the commitment letter ("AuxCarta.adt") for the cylinder.
void AppendLetterLine(LocalTable &letter, const CylinderRow &row);

} // namespace CylinderWorkTable
