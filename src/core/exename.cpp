#include "core/exename.h"

namespace
{
QString g_cylinderTable = kCylinderTable;
}

QString executableFileName(const QString &fullPath)
{
    const qsizetype cut = std::max(fullPath.lastIndexOf(QLatin1Char('\\')), fullPath.lastIndexOf(QLatin1Char('/')));
    return fullPath.mid(cut + 1);
}

QString cylinderTableForExecutable(const QString &fullPath)
{
    const QString name = executableFileName(fullPath).toLower();
    if (name == QLatin1String("pecadmin.exe") || name == QLatin1String("pecadmin"))
        return kAdminCylinderTable;
    return kCylinderTable;
}

QString cylinderTableName()
{
    return g_cylinderTable;
}

void setCylinderTableName(const QString &name)
{
    g_cylinderTable = name;
}
