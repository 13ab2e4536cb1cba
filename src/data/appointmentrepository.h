#pragma once

#include "core/appointments.h"

#include <QDate>
#include <QSqlRecord>
#include <QString>
#include <QVector>

// The workshop's appointment book (`turnos_agenda`). Failures throw DbError.
// A booking or a cancellation goes under the operator's ticket (one of its own
// when none is given), see WriteOnce.
namespace WriteOnce
{
struct Ticket;
}

namespace AppointmentRepository
{

// The day's slots in time order (hora, cliente, vehiculo, dominio, celular,
// falla), creating the slots of every `turnos_horarios` time the day does not
// have yet. Two workstations opening a new day at once get one set of slots.
QVector<QSqlRecord> OpenDay(const QString &workshop, const QDate &day);

// Writes the booking into the slot, whatever it held.
void Book(const QString &workshop, const QDate &day, const QString &hora, const Appointments::Booking &booking,
          WriteOnce::Ticket *ticket = nullptr);

// Empties the slot's five booking texts.
void Cancel(const QString &workshop, const QDate &day, const QString &hora, WriteOnce::Ticket *ticket = nullptr);

} // namespace AppointmentRepository
