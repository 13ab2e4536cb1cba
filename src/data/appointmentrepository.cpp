#include "data/appointmentrepository.h"

#include "data/dm1.h"

namespace AppointmentRepository
{

QVector<QSqlRecord> OpenDay(const QString &workshop, const QDate &day)
{
    NamedQuery &create = dm1().query(QStringLiteral("SQLInsertTurnosDelDia"));
    create.close();
    create.setParam(QStringLiteral("ta"), workshop);
    create.setParam(QStringLiteral("fe"), day);
    create.execute();
    create.close();

    NamedQuery &list = dm1().query(QStringLiteral("SQLQueryTurnosDelDia"));
    list.close();
    list.setParam(QStringLiteral("ta"), workshop);
    list.setParam(QStringLiteral("fe"), day);
    list.open();
    QVector<QSqlRecord> rows = list.rows();
    list.close();
    return rows;
}

void Book(const QString &workshop, const QDate &day, const QString &hora, const Appointments::Booking &booking)
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
    q.execute();
    q.close();
}

void Cancel(const QString &workshop, const QDate &day, const QString &hora)
{
    Book(workshop, day, hora, {});
}

} // namespace AppointmentRepository
