#pragma once

#include "core/cylinderlife.h"

#include <QString>
#include <QVector>

// The operations that name one cylinder serial, stored and pending, read in
// one exchange. Failures throw DbError.
namespace CylinderLifeRepository
{

// `code` empty: every cylinder model with that serial.
QVector<CylinderLife::Event> Read(const QString &serial, const QString &code);

} // namespace CylinderLifeRepository
