#include "data/appointmentrepository.h"

#include "data/dm1.h"
#include "data/writeonce.h"

namespace AppointmentRepository
{

QVector<QSqlRecord> OpenDay(const QString &workshop, const QDate &day)
{
    // The day's slots are created if missing and read back in one exchange.
    NamedQuery &create = dm1().query(QStringLiteral("SQLInsertTurnosDelDia"));
    NamedQuery &list = dm1().query(QStringLiteral("SQLQueryTurnosDelDia"));
    for (NamedQuery *q : {&create, &list}) {
        q->close();
        q->setParam(QStringLiteral("ta"), workshop);
        q->setParam(QStringLiteral("fe"), day);
    }
    Batch batch(Conn::Operations);
    batch.add(create, false);
    batch.add(list, true);
    batch.run();
    create.close();
    QVector<QSqlRecord> rows = list.rows();
    list.close();
    return rows;
}

void Book(const QString &workshop, const QDate &day, const QString &hora, const Appointments::Booking &booking,
          WriteOnce::Ticket *ticket)
{
    NamedQuery &q = dm1().query(QStringLiteral("sqlQuery_turnos_agendaUpdate"));
    q.close();
    q.setParam(QStringLiteral("P_Taller"), workshop);
    q.setParam(QStringLiteral("P_fecha"), day);
    q.setParam(QStringLiteral("P_hora"), hora);
    // Empty texts, never NULL: a cancelled slot reads as a free one everywhere.
    const auto text = [](const QString &s) { return s.isNull() ? QStringLiteral("") : s; };
    q.setParam(QStringLiteral("P_cliente"), text(booking.cliente));
    q.setParam(QStringLiteral("P_vehiculo"), text(booking.vehiculo));
    q.setParam(QStringLiteral("P_dominio"), text(booking.dominio));
    q.setParam(QStringLiteral("P_celular"), text(booking.celular));
    q.setParam(QStringLiteral("P_falla"), text(booking.falla));
    WriteOnce::Statement(q.connection(), ticket, QStringLiteral("turnos"), q, false);
    q.close();
}

void Cancel(const QString &workshop, const QDate &day, const QString &hora, WriteOnce::Ticket *ticket)
{
    Book(workshop, day, hora, {}, ticket);
}

} // namespace AppointmentRepository
