#include "core/appointments.h"

namespace Appointments
{

namespace
{

QString fitted(const QString &text, int length, bool upper)
{
    QString s = text.trimmed();
    if (upper)
        s = s.toUpper();
    return s.left(length);
}

} // namespace

Booking Normalised(const Booking &typed)
{
    return {fitted(typed.cliente, kClienteLength, true), fitted(typed.vehiculo, kVehiculoLength, true),
            fitted(typed.dominio, kDominioLength, true), fitted(typed.celular, kCelularLength, false),
            fitted(typed.falla, kFallaLength, true)};
}

bool IsFree(const Booking &slot)
{
    return slot.cliente.trimmed().isEmpty() && slot.vehiculo.trimmed().isEmpty() && slot.dominio.trimmed().isEmpty() &&
           slot.celular.trimmed().isEmpty() && slot.falla.trimmed().isEmpty();
}

QString MonthLabel(const QDate &date, const QLocale &locale)
{
    if (!date.isValid())
        return {};
    return locale.standaloneMonthName(date.month(), QLocale::LongFormat) + QLatin1Char(' ') +
           QString::number(date.year());
}

} // namespace Appointments
