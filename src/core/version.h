#pragma once

#include <QString>

// The program's version: the one place it is written. The PEC's
// `sistema.version` is compared with kProgramVersion; the login dialog shows
// "Versión 314.01".
inline constexpr int kProgramVersion = 314;
inline constexpr int kProgramRelease = 1;

// "314.01"
inline QString programVersionText()
{
    return QStringLiteral("%1.%2").arg(kProgramVersion).arg(kProgramRelease, 2, 10, QLatin1Char('0'));
}
