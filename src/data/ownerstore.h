#pragma once

#include "core/owner.h"

#include <QString>
#include <QVector>
#include <optional>

// The owners file of the post-sales database (`propietarios`). Owners are
// never deleted. Failures throw DbError. Each write goes under the operator's
// ticket (one of its own when none is given), see WriteOnce.
namespace WriteOnce
{
struct Ticket;
}

namespace OwnerStore
{

enum class By { Name, Document };

// Owners whose `propietario` contains `text` (By::Name) or whose `nroDoc` is
// exactly `text` (By::Document), sorted by name, at most `limit` of them.
QVector<Owners::Owner> Search(By by, const QString &text, int limit = Owners::kSearchLimit);
std::optional<Owners::Owner> Find(int id);
// The stored row as column -> value, for the pickers' hand-over.
QVariantMap Row(const Owners::Owner &owner);

// Another owner (not `owner.id`) with the same document type and number.
std::optional<Owners::Owner> SameDocument(const Owners::Owner &owner);

// Stores a new owner; returns its generated id.
int Insert(const Owners::Owner &owner, WriteOnce::Ticket *ticket = nullptr);
void Update(const Owners::Owner &owner, WriteOnce::Ticket *ticket = nullptr);

} // namespace OwnerStore
