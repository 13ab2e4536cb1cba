#pragma once

#include <QString>
#include <array>
#include <optional>

// The logged-in workshop's own `tal` row as the small dialogs change it, and
// the PEC's messages it has read. Failures throw DbError.
namespace WorkshopAccount
{

// tal.sello1 ... sello4; empty lines are stored as empty texts.
void WriteStamp(const QString &workshopCode, const std::array<QString, 4> &lines);

// tal.Password; nullopt when the workshop has no row.
std::optional<QString> Password(const QString &workshopCode);
void WritePassword(const QString &workshopCode, const QString &password);

// Marks read every message of the workshop up to `lastMessageId` (the last
// one shown), in one transaction.
void MarkMessagesRead(const QString &workshopCode, int lastMessageId);

} // namespace WorkshopAccount
