#pragma once

#include "core/fichadata.h"
#include "core/fichavalues.h"

// What a technical sheet reads from the operations database at print time.
namespace Ficha {

// Reads the workshop's `tal` row (`SQLQueryTaller`): whether it is enabled
// (`thabilitad` not 0; no row counts as not enabled), its telephone for the
// own identity, and for a workshop that is not enabled the associated
// workshop `codtalaso`. Throws DbError.
void LoadWorkshopBlock(FichaData &d, const QString &workshopCode);

// Validity years from `codcil` (`SQLQueryBUscarCil`), asked once per model.
ValidityLookup CatalogueValidity();

} // namespace Ficha
