#pragma once

#include "core/cylinderlife.h"
#include "report/values.h"

#include <QSqlRecord>
#include <QVector>

// "Vida del Cilindro" on paper and in a spreadsheet: `TQVidaCilindroForm`
// over one record per operation (fecha, operacion, taller, dominio, gestion,
// ultimaph, crpc, certificado, valvula, oblea, estado), with the serial, its
// code, the test status, the vehicles and the warnings as named values
// (Serie, Codigo, Estado, Vehiculos, Advertencias, HayAdvertencias).
namespace Documents
{

QVector<QSqlRecord> CylinderLifeRecords(const CylinderLife::Life &life);
Report::Values CylinderLifeValues(const QString &serial, const QString &code, const CylinderLife::Life &life);

} // namespace Documents
