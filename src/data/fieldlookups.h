#pragma once

#include <QString>
#include <optional>

// The catalogue checks the entry forms make as a field is left: whether a
// typed code is catalogued, and what the catalogue says of it. One exchange
// each; failures throw DbError. Safe on a worker (ServerWait).
namespace FieldLookups
{

// codreg.Marca of the regulator code; nothing when it is not catalogued.
std::optional<QString> RegulatorBrand(const QString &code);

// A codcil row: whether the code is there and its capacity, when the row
// carries one.
struct CylinderModel {
    bool found = false;
    std::optional<int> capacity;
};
CylinderModel Cylinder(const QString &code);

// The valve model (valcod.codval) and the revision centre (codcrp.codigo).
bool ValveExists(const QString &code);
bool CentreExists(const QString &code);

// The plate of a cylinder that already carries the valve `valCod` number
// `valNro`; empty when none does.
QString ValveDomain(const QString &valCod, const QString &valNro);

} // namespace FieldLookups
