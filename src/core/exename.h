#pragma once

#include <QString>

// The PEC's own administration build runs from the same folder as the
// workshop program; it keeps its cylinder rows in a table of its own so that
// both can be open at once.
inline const QString kCylinderTable = QStringLiteral("cilaux01.adt");
inline const QString kAdminCylinderTable = QStringLiteral("cilaux02.adt");

// The file name of a full executable path: the text after the last "\" (or
// "/"), as given.
QString executableFileName(const QString &fullPath);

// "cilaux02.adt" for "pecadmin" / "pecadmin.exe" in any letter case,
// "cilaux01.adt" for anything else.
QString cylinderTableForExecutable(const QString &fullPath);

// The name chosen at start-up for the local cylinder work table; the local
// store opens this file. "cilaux01.adt" until set.
QString cylinderTableName();
void setCylinderTableName(const QString &name);
