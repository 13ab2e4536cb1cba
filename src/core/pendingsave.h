#pragma once

#include "core/global.h"
#include "core/operationrecord.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QVariantMap>
#include <array>
#include <functional>
#include <optional>

// How an operation on the form becomes a pending operation: the values of
// the temp_usr, temp_reg and temp_cil rows, keyed by the parameter names of
// the insert statements (without ':').
namespace PendingSave
{

// Column bases of the accessory pairs in the accessories dialog's row order;
// OperationRecord::accesorios holds code and serial of row i at 2i and 2i+1.
// The venting system's row is stored in the LLAVEC_ columns and the switch's
// row in the VENTEO_ columns, and read back the same way.
const std::array<QString, 12> &AccessoryColumnBases();

// Attached files in the order front, back, certificate.
using Contents = std::array<QByteArray, 3>;

QVariantMap TempUsrValues(const OperationRecord &r, const GlobalState &g, const Contents &files);

// One row for the current regulator; a second one in a modification that
// retires it ("B"/"D") when the new regulator's code is filled in.
QList<QVariantMap> TempRegValues(const OperationRecord &r, const GlobalState &g, int id);
bool SavesSecondRegulator(const OperationRecord &r);

// One row per cylinder in list order. `validityYears` gives codcil.VENC of a
// cylinder code (nullopt when the code is not in the catalogue).
QList<QVariantMap> TempCilValues(const OperationRecord &r, const GlobalState &g, int id, const QDate &today,
                                 const std::function<std::optional<int>(const QString &code)> &validityYears);

// First letter of a list text ("SIN CAMBIOS" -> "S"), empty for empty.
QString FirstLetter(const QString &text);

} // namespace PendingSave
