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

// The cylinder work table (`CILAUX01`) from its first record.
QVector<CylinderWorkRow> ReadCylinderWorkTable(LocalTable &work);

// Empties the printable table (`CILAUXPR`) and appends the prepared rows; the
// rows stay there after the print until the next sheet empties it.
void WritePreparedTable(LocalTable &printable, const QVector<PreparedCylinderRow> &rows);

// The two above with the catalogue: what every sheet over the prepared list
// runs before it prints.
QVector<PreparedCylinderRow> PreparePrintCylinders(LocalTable &work, LocalTable &printable,
                                                   const ValidityLookup &validity);

} // namespace Ficha
