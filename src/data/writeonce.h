#pragma once

#include "core/connectionsettings.h"
#include "data/dberror.h"

#include <QString>
#include <QVariant>
#include <functional>

class Batch;
class NamedQuery;

// Writes the operator starts end as stored, not stored, or not yet known,
// and an unknown one is cleared up before the same write is sent again.
//
// Each write carries a token, written in its own transaction into
// `tarvil_escrituras` (primary key): after a lost or stalled session a new
// session ends the old one on the server, so that whatever it had not
// committed goes, and the token then tells whether the write is there. A
// second send of a stored write meets the key and stores nothing.
namespace WriteOnce
{

// One write as the operator sees it: every attempt at it ("Aceptar" again
// after a failure) goes under the same token.
struct Ticket {
    Ticket();
    QString token; // 32 hexadecimal digits
    // A send whose answer never came and whose outcome could not be learnt:
    // the next attempt finds out first.
    bool unresolved = false;
    qulonglong lostSession = 0; // the server's id of the session it went on
};

// The server did not answer whether the write was stored; nothing will be
// sent again under its ticket before that is known.
class UnknownOutcome : public DbError
{
public:
    using DbError::DbError;
};

// The write was lost on the way and the server says it was not stored: it
// is safe to try again. The text says so after the loss.
class NotStored : public DbError
{
public:
    using DbError::DbError;
};

// Adds the token's row to `batch` (the write's own, atomic or the last of
// its transaction). `kind` names the write; `ref` is the id it produced (a
// value, or a SessionVariable the batch set before).
void AddToken(Batch &batch, Conn conn, const Ticket &ticket, const QString &kind, const QVariant &ref);

// Runs `write` (which adds the token to its transaction) and returns what
// it returns, or the stored write's `ref` when an earlier attempt or a lost
// answer turns out to have stored it. A write the server refused throws its
// DbError (nothing stored); one lost on the way is resolved: not stored
// throws a DbError that says so, and a server that cannot be asked throws
// UnknownOutcome, leaving the ticket unresolved.
QVariant Run(Conn conn, Ticket &ticket, const std::function<QVariant()> &write);

// Before a window's next write, which is another one: an earlier write of
// `ticket` whose outcome could not be learnt is found out first (it throws
// UnknownOutcome while the server still cannot say); `ticket` is then new.
void Settle(Conn conn, Ticket &ticket);

// A write that is one statement: `q`, its parameters set, with its token in
// one atomic exchange under `ticket` (a ticket of its own when null).
// Returns the id `q` inserted when `insert` (0 when it inserted nothing),
// otherwise the rows it changed; when an earlier attempt turns out to have
// stored it, what that attempt did.
qlonglong Statement(Conn conn, Ticket *ticket, const QString &kind, NamedQuery &q, bool insert);

} // namespace WriteOnce
