#pragma once

#include "data/writeonce.h"

#include <QSqlRecord>
#include <QString>
#include <QVector>
#include <array>
#include <optional>

// The logged-in workshop's own `tal` row as the small dialogs change it, and
// the PEC's messages it has read. Failures throw DbError.
namespace WorkshopAccount
{

// tal.sello1 ... sello4; empty lines are stored as empty texts. Under
// `ticket` (WriteOnce::Statement): a lost answer is found out.
void WriteStamp(const QString &workshopCode, const std::array<QString, 4> &lines, WriteOnce::Ticket *ticket = nullptr);

// Replaces tal.Password with `password` when `current` is the stored one,
// in one exchange; false (nothing changed) when it is not or the workshop
// has no row. Neither password appears as text in the statements: the
// current one is compared as a hash on the server, the new one travels
// hex-encoded.
bool ChangePassword(const QString &workshopCode, const QString &current, const QString &password);

// Marks read every message of the workshop up to `lastMessageId` (the last
// one shown), in one exchange.
void MarkMessagesRead(const QString &workshopCode, int lastMessageId);

// The workshop's unread messages (SimpleDataSetMensajes' columns), for a
// window opened without the login that reads them.
QVector<QSqlRecord> UnreadMessages(const QString &workshopCode);
// The unread messages the login read (none before a login).
QVector<QSqlRecord> LoginMessages();

} // namespace WorkshopAccount
