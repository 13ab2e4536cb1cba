#pragma once

#include "core/global.h"
#include "core/operationrecord.h"
#include "data/dberror.h"
#include "data/writeonce.h"

#include <QDate>
#include <QSqlRecord>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>
#include <stdexcept>

class CheckLookups;

// Pending operations (temp_usr, temp_reg, temp_cil): the save of the
// operation form, the replacement of an edited pending operation and the
// delete of the pending list. Each runs in one transaction, so a failure at
// any statement leaves the three tables as they were.
//
// Round trips: a new operation is one exchange (plus one the first time a
// cylinder model's validity is read in the session); a replacement or a
// delete is two, the first taking the old row only while it is still
// waiting for the PEC.
namespace PendingStore
{

// An attached file that cannot be read or has grown past the limit; raised
// before anything is written.
class AttachmentError : public std::runtime_error
{
public:
    explicit AttachmentError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// The pending operation to replace or delete is no longer waiting: the PEC
// verified it, or another workstation deleted or saved it again meanwhile.
// Nothing was written; the text says why.
class NotPending : public DbError
{
public:
    enum class Reason { Verified, Gone };
    NotPending(Reason reason, const QString &text) : DbError(text), m_reason(reason) {}
    Reason reason() const { return m_reason; }

private:
    Reason m_reason;
};

// Stores the operation and returns its new pending id (from the insert
// itself). With `replacing`, the rows of that pending id go in the same
// transaction, provided it is still pending; otherwise NotPending.
// Throws AttachmentError, NotPending or DbError.
// `step` is told of each stage (1 USR, 2 id, 3 REG, 4 CIL) for the progress panel.
// Every attempt under the same `ticket` stores the operation at most once: a
// lost answer is cleared up first (see WriteOnce::Run), and the id returned
// is the stored one's; without a ticket the save has one of its own.
// With `checks`, their look-ups and guard go first in the same exchange; a
// guard that stops the save throws the DbError that `checks` recognises.
int Save(const OperationRecord &record, const GlobalState &global, const QDate &today,
         std::optional<int> replacing = std::nullopt, const std::function<void(int step)> &step = {},
         WriteOnce::Ticket *ticket = nullptr, CheckLookups *checks = nullptr);

// Deletes a pending operation's three sets of rows together; NotPending when
// it is no longer waiting for the PEC.
void Delete(int id);

// The `estado` of a pending operation (0 while it waits for the PEC); -1
// when the row is no longer there.
int State(int id);

// The workshop's operations waiting for the PEC or verified with
// observations (the list's rows).
QVector<QSqlRecord> List(const QString &workshopCode);

} // namespace PendingStore
