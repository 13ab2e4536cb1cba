#pragma once

// Operation rows naming one cylinder, for the rules, the repository and the window.
#include "core/cylinderlife.h"

namespace LifeBuilders
{

// A stored operation of `plate` on `date` with the cylinder's management
// letter and its last test "MM/YY" (empty for none).
inline CylinderLife::Event row(const QDate &date, const char *plate, const char *management, const char *test = "05/20",
                               bool pending = false)
{
    CylinderLife::Event e;
    e.habilitation = date;
    e.kind = QStringLiteral("R");
    e.kindText = QStringLiteral("REVISION");
    e.workshop = QStringLiteral("TDM0001");
    e.plate = QLatin1String(plate);
    e.management = QLatin1String(management);
    e.code = QStringLiteral("F040");
    const QString t = QLatin1String(test);
    e.testMonth = t.left(2);
    e.testYear = t.mid(3);
    e.testCentre = QStringLiteral("CR01");
    e.pending = pending;
    return e;
}

} // namespace LifeBuilders
