#pragma once

#include "core/fichadata.h"
#include "core/fichavalues.h"

class LocalTable;

// What a technical sheet reads from the operations database at print time.
namespace Ficha
{

// Reads the workshop's `tal` row (`SQLQueryTaller`): whether it is enabled
// (`thabilitad` not 0; no row counts as not enabled), its telephone for the
// own identity, and for a workshop that is not enabled the associated
// workshop `codtalaso`. Throws DbError.
void LoadWorkshopBlock(FichaData &d, const QString &workshopCode);

// Validity years from `codcil` (`SQLQueryBUscarCil`), asked once per model.
ValidityLookup CatalogueValidity();

// Empties the printable table (`CILAUXPR`) and appends the prepared rows; the
// rows stay there after the print until the next sheet empties it.
void WritePreparedTable(LocalTable &printable, const QVector<PreparedCylinderRow> &rows);

// The operation's cylinders prepared with the catalogue and written to the
// printable table: what every sheet over the prepared list runs before it prints.
QVector<PreparedCylinderRow> PreparePrintCylinders(const QVector<CylinderRow> &cylinders, LocalTable &printable,
                                                   const ValidityLookup &validity);

} // namespace Ficha
