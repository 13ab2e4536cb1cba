#include "core/daysummary.h"

namespace DaySummary
{

QDate WeekStart(const QDate &today)
{
    return today.addDays(1 - today.dayOfWeek());
}

QDate ExpiryWindowEnd(const QDate &today)
{
    return today.addDays(kExpiryDays);
}

int NewSince(const QVector<int> &now, const QSet<int> &atLastLogin)
{
    int n = 0;
    for (int id : now)
        if (!atLastLogin.contains(id))
            ++n;
    return n;
}

int WithoutReminder(const QVector<Expiry> &expiries, const QHash<QString, QDate> &lastSent)
{
    int n = 0;
    for (const Expiry &e : expiries) {
        const QDate sent = lastSent.value(e.plate.trimmed().toUpper());
        if (!sent.isValid() || sent < e.date.addDays(-kReminderLeadDays))
            ++n;
    }
    return n;
}

Counts CountsOf(const Reading &r, const QSet<int> &observedAtLastLogin, const QHash<QString, QDate> &lastSent)
{
    Counts c;
    c.pending = r.awaitingVerification;
    c.observed = NewSince(r.verifiedWithObservations, observedAtLastLogin);
    c.stickers = r.stickersThisWeek;
    c.expiries = WithoutReminder(r.expiries, lastSent);
    c.appointments = r.appointmentsToday;
    return c;
}

QVector<Line> Lines(const Counts &counts, const Offered &offered)
{
    QVector<Line> out;
    const auto add = [&out](bool shown, LineId id, int count, const char *text) {
        if (shown)
            out.push_back({id, count, QString::fromUtf8(text).arg(count)});
    };
    add(offered.pending, LineId::Pending, counts.pending, "Operaciones a verificar: %1");
    add(offered.pending, LineId::Observed, counts.observed,
        "Verificadas con observaciones desde el último ingreso: %1");
    add(offered.stickers, LineId::Stickers, counts.stickers, "Obleas asignadas esta semana: %1");
    add(offered.reminders, LineId::Expiries, counts.expiries,
        "Vencimientos de los próximos 30 días sin recordatorio: %1");
    add(offered.appointments, LineId::Appointments, counts.appointments, "Turnos de hoy: %1");
    add(offered.outbox, LineId::Outbox, counts.outbox, "Operaciones en espera de envío: %1");
    return out;
}

} // namespace DaySummary
