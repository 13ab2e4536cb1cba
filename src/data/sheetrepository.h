#pragma once

#include "core/fichadata.h"
#include "core/fichavalues.h"

#include <optional>

// What a technical sheet reads from the operations database at print time.
// Each reading is also kept on the workstation ("DatosFicha.json" beside the
// local tables): while the server cannot be reached the last one is used, so
// the sheet of an operation left in the outbox prints. Failures throw DbError.
namespace SheetRepository
{

// A workshop's `tal` row with its representative's name (`SQLQueryTaller`);
// nullopt when there is no row.
std::optional<WorkshopRow> Workshop(const QString &code);

// Validity years from `codcil`, read once per model and connection session
// (Catalogue); a model without VENC counts as not catalogued.
Ficha::ValidityLookup CylinderValidity();

// While one lives on a thread, the readings above take their kept values
// without asking the server (only what was never kept is read): the sheet of
// an operation just left in the outbox prints at once, not after a connect
// timeout per reading.
class KeptOnly
{
public:
    KeptOnly();
    ~KeptOnly();
    KeptOnly(const KeptOnly &) = delete;
    KeptOnly &operator=(const KeptOnly &) = delete;

private:
    bool m_outer;
};

} // namespace SheetRepository
