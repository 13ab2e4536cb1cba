#pragma once

#include "core/reminders.h"
#include "data/writeonce.h"

#include <QDate>
#include <QHash>
#include <QSqlRecord>
#include <QString>
#include <QVector>

class LocalTable;

// The workshop's vehicles whose sticker or cylinder test expires in a
// period, and the reminder texts kept in its `tal` row. Failures throw DbError.
namespace ReminderRepository
{

// Every operation of the workshop whose sticker expires between `from` and
// `to` (both included), by owner: udominio, auto, UANO, UAPEYNOM, direccion,
// UBARRIO, UCODPOSTAL, ULOCALIDAD, UPROVINCIA, UTELEFONO, EMAIL, UFECVENHAB,
// CODTAL.
QVector<QSqlRecord> ExpiryList(const QString &workshop, const QDate &from, const QDate &to);

// The vehicles to remind, by expiry: Dominio, Auto, Modelo, Propietario,
// Vencimiento (the expiry date; for a test reminder its month as "MM/yyyy"),
// Celular ("549" + area + number) and telefono (the number alone). A test
// reminder lists a vehicle whose sticker and at least one cylinder's test
// expire in the period, once.
QVector<QSqlRecord> ReminderList(Reminders::Kind kind, const QString &workshop, const QDate &from, const QDate &to);

// The workshop's stored text for the kind; empty when it has none.
QString Message(Reminders::Kind kind, const QString &workshop);
// Under `ticket` (WriteOnce::Statement): a lost answer is found out.
void WriteMessage(Reminders::Kind kind, const QString &workshop, const QString &text,
                  WriteOnce::Ticket *ticket = nullptr);

} // namespace ReminderRepository

// The reminders sent from this workstation, in its local table. Sending
// never waits for it: a failure here is reported, not a reason to stop.
namespace ReminderLog
{

void Record(LocalTable &log, const QDate &date, const QString &plate, const QString &mobile, Reminders::Kind kind);

// The last day a reminder of the kind went to each plate (trimmed, upper case).
QHash<QString, QDate> LastSent(const LocalTable &log, Reminders::Kind kind);

QString PlateKey(const QString &plate);

} // namespace ReminderLog
