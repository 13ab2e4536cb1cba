#pragma once

#include "core/recall.h"

#include <QHash>
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QVector>
#include <optional>

// Reading a stored operation into the operation form: the recall by sticker
// or by number, and the load of a pending operation. Each is one exchange
// with the server, whatever the number of regulators and cylinders.
namespace RecallRepository
{

// The logged-in workshop as `tal` and its representative hold it now.
struct WorkshopIdentity {
    QString cuit, repMatricula, name, street, number, town;
    bool repFound = false;
    QString repFirstName, repSurname;
};

struct Found {
    std::optional<Recall::Row> usr; // nothing: no operation
    QList<Recall::Row> regs, cils;
    QHash<QString, QString> regulatorBrands; // codreg.CODIGO (upper case) -> MARCA
    std::optional<WorkshopIdentity> identity;
    QString previousOfAssigned; // pending load: `uobleaant` of the operation whose sticker it holds

    // codreg.MARCA of a regulator code; empty when not catalogued.
    QString brandOf(const QString &code) const;
};

// Operations whose owner's name matches the `like` pattern `pattern`, in
// name order, those after `after` (a row of an earlier page) when given: at
// most Lookups::kOwnerPage + 1 rows, the last only to tell that more follow.
// The columns of SDBusquedaPorApellido. Throws DbError.
QVector<QSqlRecord> ByOwner(const QString &pattern, const std::optional<QSqlRecord> &after);

// `usr.uobleanew` = sticker; with an empty or zero sticker, `usr.uobleaant` =
// previousSticker. Reads `workshopCode`'s identity in the same exchange.
// Throws DbError.
Found BySticker(const QString &sticker, const QString &previousSticker, const QString &workshopCode);

// By (peccod, talcuit, tnrointopr) in the PEC's tables or, `allPecs`, in the
// consolidated ones.
Found ByNumber(const QString &peccod, const QString &talcuit, qint64 number, bool allPecs, const QString &workshopCode);

// A pending operation for editing, its attached files left on the server.
Found Pending(int id);

} // namespace RecallRepository
