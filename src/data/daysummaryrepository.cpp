#include "data/daysummaryrepository.h"

#include "data/dm1.h"
#include "data/localstore.h"

namespace
{

NamedQuery &statement(const QString &name, const QString &sql)
{
    NamedQuery &q = dm1().statement(name, Conn::Operations, [&] { return sql; });
    q.close();
    return q;
}

} // namespace

namespace DaySummaryRepository
{

DaySummary::Reading Read(const QString &workshop, const QDate &today)
{
    NamedQuery &awaiting =
        statement(QStringLiteral("DaySummary.awaiting"),
                  QStringLiteral("select count(*) as n from temp_usr where codtal = :ta and estado = 0"));
    NamedQuery &observed = statement(QStringLiteral("DaySummary.observed"),
                                     QStringLiteral("select id from temp_usr where codtal = :ta and estado = 1"));
    NamedQuery &stickers =
        statement(QStringLiteral("DaySummary.stickers"),
                  QStringLiteral("select count(*) as n from usr where codtal = :ta and xfecasig between :d1 and :d2"));
    // As the sticker reminders list them: never a dismantling.
    NamedQuery &expiries =
        statement(QStringLiteral("DaySummary.expiries"),
                  QStringLiteral("select udominio, ufecvenhab from usr where codtal = :ta and ufecvenhab between :d2 "
                                 "and :d3 and (ucodgest is null or ucodgest <> 'B')"));
    // A slot is booked when any of its texts is.
    NamedQuery &appointments =
        statement(QStringLiteral("DaySummary.appointments"),
                  QStringLiteral("select count(*) as n from turnos_agenda where taller = :ta and fecha = :d2 and "
                                 "concat(coalesce(cliente, ''), coalesce(vehiculo, ''), coalesce(dominio, ''), "
                                 "coalesce(celular, ''), coalesce(falla, '')) <> ''"));
    Batch batch(Conn::Operations);
    for (NamedQuery *q : {&awaiting, &observed, &stickers, &expiries, &appointments}) {
        q->setParam(QStringLiteral("ta"), workshop);
        batch.add(*q, true);
    }
    stickers.setParam(QStringLiteral("d1"), DaySummary::WeekStart(today));
    for (NamedQuery *q : {&stickers, &expiries, &appointments})
        q->setParam(QStringLiteral("d2"), today);
    expiries.setParam(QStringLiteral("d3"), DaySummary::ExpiryWindowEnd(today));
    batch.run();

    DaySummary::Reading r;
    const auto count = [](NamedQuery &q) { return q.first() ? q.integer(QStringLiteral("n")) : 0; };
    r.awaitingVerification = count(awaiting);
    r.stickersThisWeek = count(stickers);
    r.appointmentsToday = count(appointments);
    for (bool more = observed.first(); more; more = observed.next())
        r.verifiedWithObservations.push_back(observed.integer(QStringLiteral("id")));
    for (bool more = expiries.first(); more; more = expiries.next())
        r.expiries.push_back({expiries.text(QStringLiteral("udominio")), expiries.date(QStringLiteral("ufecvenhab"))});
    for (NamedQuery *q : {&awaiting, &observed, &stickers, &expiries, &appointments})
        q->close();
    return r;
}

QSet<int> SeenObserved(LocalTable &table, const QString &workshop)
{
    table.open();
    QSet<int> out;
    for (bool more = table.first(); more; more = table.next())
        if (table.text(QStringLiteral("taller")) == workshop)
            out.insert(table.integer(QStringLiteral("id")));
    return out;
}

void KeepObserved(LocalTable &table, const QString &workshop, const QVector<int> &ids)
{
    table.open();
    table.first();
    while (!table.eof()) {
        if (table.text(QStringLiteral("taller")) == workshop)
            table.remove();
        else
            table.next();
    }
    QVector<QVariantList> records;
    records.reserve(ids.size());
    for (int id : ids)
        records.push_back({workshop, id});
    if (!records.isEmpty())
        table.appendRecords(records);
}

} // namespace DaySummaryRepository
