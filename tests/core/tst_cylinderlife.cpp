// A cylinder's life (order, vehicles, test status, warnings) and the counts of
// the day summary.
#include "core/cylinderlife.h"
#include "core/daysummary.h"
#include "cylinderlifebuilders.h"

#include <QtTest>

using namespace CylinderLife;
using LifeBuilders::row;

namespace
{

QStringList plates(const Life &life)
{
    QStringList out;
    for (const Event &e : life.events)
        out << e.plate + (e.pending ? QStringLiteral("*") : QString());
    return out;
}

QString mounts(const Life &life)
{
    QStringList out;
    for (const Mount &m : life.vehicles)
        out << QStringLiteral("%1 %2-%3")
                   .arg(m.plate, m.from.toString(QStringLiteral("yyyy")), m.until.toString(QStringLiteral("yyyy")));
    return out.join(QStringLiteral(", "));
}

} // namespace

class TstCylinderLife : public QObject
{
    Q_OBJECT
private slots:
    void eventsInDateOrderPendingLast()
    {
        const Life life = Build({row(QDate(2024, 3, 1), "BB", "S", "02/24", true), row(QDate(2019, 1, 1), "AA", "M"),
                                 row(QDate(2024, 3, 1), "BB", "S", "02/24")},
                                QDate(2026, 1, 1));
        QCOMPARE(plates(life), (QStringList{"AA", "BB", "BB*"}));
    }

    void statusFollowsTheLatestTestNotTheLatestRow()
    {
        // The newest row carries an older test (copied from an old sheet):
        // the status is that of the newest test, 49 months before today.
        const QDate today(2026, 6, 15);
        const Life life =
            Build({row(QDate(2020, 1, 1), "AA", "M", "05/22"), row(QDate(2025, 1, 1), "AA", "S", "01/19")}, today);
        QCOMPARE(life.lastTest, QStringLiteral("05/2022"));
        QCOMPARE(life.monthsSinceTest, 49);
        QVERIFY(life.status == Cylinders::PhStatus::DueWithinYear);
        QCOMPARE(StatusText(*life.status), QString::fromUtf8("VENCE DENTRO DEL AÑO"));

        const Life none = Build({row(QDate(2020, 1, 1), "AA", "M", "")}, today);
        QVERIFY(!none.status);
    }

    void movesBetweenVehiclesWithoutWarnings()
    {
        const Life life = Build({row(QDate(2015, 1, 1), "AA", "M"), row(QDate(2016, 1, 1), "AA", "S"),
                                 row(QDate(2018, 1, 1), "AA", "D"), row(QDate(2019, 1, 1), "BB", "M")},
                                QDate(2026, 1, 1));
        QCOMPARE(mounts(life), QStringLiteral("AA 2015-2018, BB 2019-"));
        QVERIFY(life.warnings.isEmpty());

        // Records that begin with the dismounting: mounted since before them.
        QCOMPARE(mounts(Build({row(QDate(2018, 1, 1), "AA", "D")}, QDate(2026, 1, 1))), QStringLiteral("AA -2018"));
    }

    void twoVehiclesAtOnceIsWarned()
    {
        const Life life = Build(
            {row(QDate(2015, 1, 1), "AA", "M"), row(QDate(2017, 5, 2), "BB", "M"), row(QDate(2018, 1, 1), "BB", "S")},
            QDate(2026, 1, 1));
        QCOMPARE(life.warnings.size(), 1);
        QVERIFY(life.warnings[0].kind == WarningKind::TwoVehicles);
        QCOMPARE(life.warnings[0].date, QDate(2017, 5, 2));
        QVERIFY(life.warnings[0].text.contains(QStringLiteral("AA")));
        QVERIFY(life.warnings[0].text.contains(QStringLiteral("BB")));
        QCOMPARE(mounts(life), QStringLiteral("AA 2015-, BB 2017-"));
    }

    void useAfterBajaIsWarnedOnce()
    {
        const Life life = Build({row(QDate(2015, 1, 1), "AA", "M"), row(QDate(2018, 1, 1), "AA", "B"),
                                 row(QDate(2018, 1, 1), "AA", "B", "05/20", true), row(QDate(2019, 1, 1), "CC", "M"),
                                 row(QDate(2020, 1, 1), "CC", "S")},
                                QDate(2026, 1, 1));
        // The pending copy of the BAJA itself is no warning; the mounting in CC is.
        QCOMPARE(life.warnings.size(), 1);
        QVERIFY(life.warnings[0].kind == WarningKind::AfterBaja);
        QCOMPARE(life.warnings[0].date, QDate(2019, 1, 1));
        QVERIFY(life.warnings[0].text.contains(QStringLiteral("CC")));
        QCOMPARE(mounts(life), QStringLiteral("AA 2015-2018, CC 2019-"));
    }

    void summaryCounts()
    {
        using namespace DaySummary;
        QCOMPARE(WeekStart(QDate(2026, 12, 10)), QDate(2026, 12, 7)); // a Thursday
        QCOMPARE(WeekStart(QDate(2026, 12, 7)), QDate(2026, 12, 7));

        Reading r;
        r.awaitingVerification = 3;
        r.verifiedWithObservations = {10, 11, 12};
        r.stickersThisWeek = 4;
        const QDate due(2026, 12, 30);
        r.expiries = {
            {QStringLiteral("AA111AA "), due}, {QStringLiteral("BB222BB"), due}, {QStringLiteral("CC333CC"), due}};
        r.appointmentsToday = 2;
        // AA was reminded in time for this expiry; BB only for the one before it.
        const QHash<QString, QDate> sent = {{QStringLiteral("AA111AA"), due.addDays(-kReminderLeadDays)},
                                            {QStringLiteral("BB222BB"), due.addDays(-kReminderLeadDays - 1)}};
        const Counts c = CountsOf(r, {10, 99}, sent);
        QCOMPARE(c.pending, 3);
        QCOMPARE(c.observed, 2);
        QCOMPARE(c.expiries, 2);

        Offered all{true, true, true, true, true};
        QCOMPARE(Lines(c, all).size(), 6);
        QCOMPARE(Lines(c, all).last().text, QString::fromUtf8("Operaciones en espera de envío: 0"));

        // A workstation without appointments or outbox shows no line for them.
        Offered some = all;
        some.appointments = false;
        some.outbox = false;
        QVector<LineId> ids;
        for (const Line &l : Lines(c, some))
            ids << l.id;
        QCOMPARE(ids, (QVector<LineId>{LineId::Pending, LineId::Observed, LineId::Stickers, LineId::Expiries}));
    }
};

QTEST_APPLESS_MAIN(TstCylinderLife)
#include "tst_cylinderlife.moc"
