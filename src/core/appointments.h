#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// The appointment book: one slot per workshop, day and time of day.
namespace Appointments
{

// What a booking writes into a slot; all empty is a free slot.
struct Booking {
    QString cliente, vehiculo, dominio, celular, falla;
    bool operator==(const Booking &) const = default;
};

// The lengths the booking dialog allows.
inline constexpr int kClienteLength = 20;
inline constexpr int kVehiculoLength = 20;
inline constexpr int kDominioLength = 7;
inline constexpr int kCelularLength = 15;
inline constexpr int kFallaLength = 20;

// As stored: trimmed, upper case but for the phone, cut to the lengths.
Booking Normalised(const Booking &typed);

bool IsFree(const Booking &slot);

// The book's heading: the long month name in the locale, a space and the year.
QString MonthLabel(const QDate &date, const QLocale &locale = QLocale());

} // namespace Appointments
