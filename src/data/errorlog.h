#pragma once

#include <QString>

// "tarvil.log" in the folder of the local tables: every error the operator
// was shown, with the date and time and what only a technician needs (the
// client's own text, the host), so that support can read what happened.
namespace ErrorLog
{

QString path();
void write(const QString &text, const QString &details);

} // namespace ErrorLog
