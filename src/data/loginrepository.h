#pragma once

#include "core/login.h"
#include "data/dberror.h"

#include <QSqlRecord>
#include <QString>
#include <QVector>
#include <optional>

// What the login dialog asks the operations database, as typed answers.
// The administrator password and the workshop's password never leave the
// server: it answers whether the typed one matches.
namespace LoginRepository
{

struct PecHeader {
    QString code; // pec.PECCOD
    QString name; // pec.PECRSOC
};

// The PEC row the dialog shows before the login (SQLTablePEC); nothing when
// the table is empty. One exchange. Throws DbError.
std::optional<PecHeader> ReadPec();

struct Reply {
    std::optional<Login::Account> account;      // nothing: no `tal` row for the code
    std::optional<Login::WorkshopRow> workshop; // only when a password matched
    QString repFirstName, repSurname;           // of the workshop's representative, when registered
    bool repFound = false;
    std::optional<Login::PecRow> pec; // SQLQueryPEC's first row
    std::optional<int> version;       // sistema.version
    // A failure after the PEC row was read: the login goes on and shows it.
    std::optional<DbError> lateError;
    // The workshop's unread messages (SimpleDataSetMensajes), read in the
    // same exchange; kept only when a password matched.
    std::optional<QVector<QSqlRecord>> messages;
};

// The whole login in one exchange: the password check, the workshop's row,
// the PEC joined to its representative, the newest released version and the
// workshop's unread messages.
// `adminAllowed` false: the administrator password opens nothing (the set-up
// read no PEC). Throws DbError when the check, the row or the PEC fail.
Reply Login(const QString &code, const QString &typedPassword, bool adminAllowed);

} // namespace LoginRepository
