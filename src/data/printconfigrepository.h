#pragma once

#include "core/printconfig.h"

// The workshop's print configuration in its `tal` row. Failures throw
// DbError.
namespace PrintConfigRepository
{

// `update tal set copias, localidad, provincia, hoja` of the workshop, in
// one transaction: on a failure nothing of it stays.
void Write(const QString &workshopCode, const PrintConfig &config);

} // namespace PrintConfigRepository
