#pragma once

#include "core/printconfig.h"
#include "data/writeonce.h"

// The workshop's print configuration in its `tal` row. Failures throw
// DbError.
namespace PrintConfigRepository
{

// `update tal set copias, localidad, provincia, hoja` of the workshop, in
// one atomic exchange under `ticket` (WriteOnce::Statement): on a failure
// nothing of it stays, and a lost answer is found out.
void Write(const QString &workshopCode, const PrintConfig &config, WriteOnce::Ticket *ticket = nullptr);

} // namespace PrintConfigRepository
