#include "data/writeonce.h"

#include "data/dm1.h"
#include "data/dm1_p.h"
#include "data/errordetails.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QUuid>

namespace WriteOnce
{

namespace
{

const QString kTokenStatement = QStringLiteral("InsertTokenEscritura");
constexpr unsigned kDuplicateKey = 1062;
constexpr unsigned kUnknownThread = 1094;

NamedQuery &own(const QString &name, Conn conn, const char *sql)
{
    return dm1().statement(name, conn, [sql] { return QString::fromLatin1(sql); });
}

enum class Outcome { Stored, NotStored, Unknown };

struct Resolution {
    Outcome outcome = Outcome::Unknown;
    QVariant ref;
};

// Reads the token once `lost` (the session the write went on, 0 when none
// can be left) has ended on the server: only then is its transaction
// committed or rolled back for good.
Resolution resolve(Conn conn, const Ticket &ticket, qulonglong lost)
{
    try {
        if (lost != 0 && lost != DataModulePrivate::serverSession(conn)) {
            NamedQuery &kill = own(QStringLiteral("WriteOnceKill"), conn, "kill connection :id");
            kill.close();
            kill.setParam(QStringLiteral("id"), lost);
            try {
                kill.execute();
            } catch (const DbError &e) {
                if (e.code() != kUnknownThread)
                    throw;
            }
        }
        NamedQuery &alive = own(QStringLiteral("WriteOnceSessionAlive"), conn,
                                "select count(*) as n from information_schema.processlist where id = :id");
        NamedQuery &find =
            own(QStringLiteral("WriteOnceFind"), conn, "select ref from tarvil_escrituras where token = :token");
        // A killed session rolls back before it leaves the list; a long
        // rollback is waited for as long as a statement may take.
        const QDeadlineTimer deadline(qint64(qMax(1, dm1().linkOptions(conn).timeoutSeconds)) * 1000);
        for (;;) {
            alive.close();
            alive.setParam(QStringLiteral("id"), lost);
            find.close();
            find.setParam(QStringLiteral("token"), ticket.token);
            Batch b(conn);
            b.add(alive, true);
            b.add(find, true);
            b.run();
            if (!alive.first() || alive.integer(QStringLiteral("n")) == 0) {
                if (find.first())
                    return {Outcome::Stored, find.field(QStringLiteral("ref"))};
                return {Outcome::NotStored, {}};
            }
            if (deadline.hasExpired())
                return {};
            QThread::msleep(100);
        }
    } catch (const DbError &) {
        return {};
    }
}

QString unknownText(const QString &why)
{
    return why + QStringLiteral("\nNo se pudo comprobar si quedó guardado: el servidor no responde. Al intentarlo "
                                "de nuevo se comprobará primero; nunca se guardará dos veces.");
}

} // namespace

Ticket::Ticket() : token(QUuid::createUuid().toString(QUuid::Id128)) {}

void AddToken(Batch &batch, Conn conn, const Ticket &ticket, const QString &kind, const QVariant &ref)
{
    NamedQuery &q = own(kTokenStatement, conn,
                        "insert into tarvil_escrituras (token, tipo, ref) values (:token, "
                        ":tipo, :ref)");
    q.close();
    q.setParam(QStringLiteral("token"), ticket.token);
    q.setParam(QStringLiteral("tipo"), kind.left(20)); // the column's width
    q.setParam(QStringLiteral("ref"), ref);
    batch.add(q, false);
}

QVariant Run(Conn conn, Ticket &ticket, const std::function<QVariant()> &write)
{
    if (ticket.unresolved) {
        const Resolution r = resolve(conn, ticket, ticket.lostSession);
        if (r.outcome == Outcome::Unknown)
            throw UnknownOutcome(unknownText(QStringLiteral("Todavía no se puede saber si el envío anterior quedó "
                                                            "guardado.")));
        ticket.unresolved = false;
        ticket.lostSession = 0;
        if (r.outcome == Outcome::Stored)
            return r.ref;
    }
    try {
        return write();
    } catch (const DbError &e) {
        if (e.code() == kDuplicateKey && e.statement() == kTokenStatement) {
            // An earlier attempt is there already.
            const Resolution r = resolve(conn, ticket, 0);
            if (r.outcome == Outcome::Stored)
                return r.ref;
            throw;
        }
        if (!ErrorDetails::lostConnection(e.code()))
            throw; // refused and rolled back: nothing of it stays
        const qulonglong lost = DataModulePrivate::lastServerSession(conn);
        const Resolution r = resolve(conn, ticket, lost);
        switch (r.outcome) {
        case Outcome::Stored:
            return r.ref;
        case Outcome::NotStored:
            throw NotStored(e.text() + QStringLiteral("\nNo quedó nada guardado: puede intentarlo de nuevo."),
                            e.statement(), e.code());
        case Outcome::Unknown:
            break;
        }
        ticket.unresolved = true;
        ticket.lostSession = lost;
        throw UnknownOutcome(unknownText(e.text()), e.statement(), e.code());
    }
}

void Settle(Conn conn, Ticket &ticket)
{
    if (ticket.unresolved && resolve(conn, ticket, ticket.lostSession).outcome == Outcome::Unknown)
        throw UnknownOutcome(unknownText(QStringLiteral("Todavía no se puede saber si la operación anterior quedó "
                                                        "guardada.")));
    ticket = Ticket();
}

qlonglong Statement(Conn conn, Ticket *ticket, const QString &kind, NamedQuery &q, bool insert)
{
    Ticket fresh;
    Ticket &t = ticket ? *ticket : fresh;
    // What the statement did, kept on the server for the token's row: the
    // insert's id only when it inserted (the session's last id is older
    // otherwise).
    NamedQuery &keep = insert ? own(QStringLiteral("WriteOnceKeepId"), conn,
                                    "set @tarvil_hecho = if(row_count() > 0, last_insert_id(), 0)")
                              : own(QStringLiteral("WriteOnceKeepRows"), conn, "set @tarvil_hecho = row_count()");
    return Run(conn, t,
               [&]() -> QVariant {
                   Batch b(conn);
                   b.setAtomic(true);
                   b.add(q, false);
                   keep.close();
                   b.add(keep, false);
                   AddToken(b, conn, t, kind, QVariant::fromValue(SessionVariable{QStringLiteral("tarvil_hecho")}));
                   b.run();
                   if (!insert)
                       return q.numRowsAffected();
                   return q.numRowsAffected() > 0 ? q.lastInsertId() : QVariant(0);
               })
        .toLongLong();
}

} // namespace WriteOnce
