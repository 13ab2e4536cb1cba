#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// Catalogue values read once per connection session of SQLConnection1 and
// kept until it closes (a worker's session keeps its own): the catalogues change at the PEC, not while an
// operator works, and every read over a slow link is a round trip.
namespace Catalogue
{

// codcil.VENC of each code (trimmed, compared without regard to case); no
// value for a code that is not catalogued or has no VENC. The codes not yet
// known are read in one statement. Throws DbError.
QHash<QString, std::optional<int>> CylinderValidityYears(const QStringList &codes);

// The workshop codes of `tal`, in order, for the operation form's list.
QStringList WorkshopCodes();

} // namespace Catalogue
