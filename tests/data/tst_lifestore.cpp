// A cylinder's operations and the day summary's counts, each read from the
// real server in one exchange.
#include "data/cylinderliferepository.h"
#include "data/daysummaryrepository.h"
#include "data/dm1.h"
#include "followupbuilders.h"
#include "testdb.h"

#include <QtTest>

using Build::Operation;

class TstLifeStore : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_lifestore");
    const QString ws = QStringLiteral("TDM0001");

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), {}});
    }
    void cleanupTestCase()
    {
        dm1().closeAll();
        db.close();
        TestDb::drop(dbName);
    }

    void cylinderLifeReadsStoredAndPendingRows()
    {
        Operation o;
        o.plate = QStringLiteral("AA111AA");
        o.enabled = QDate(2019, 4, 1);
        Build::insert(db, o.n(1));
        Build::lifeCylinder(db, 1, QStringLiteral("S-1"), QStringLiteral("F040"), QStringLiteral("D"),
                            QStringLiteral("03"), QStringLiteral("19"));
        Build::lifeCylinder(db, 1, QStringLiteral("S-2"), QStringLiteral("F040"), QStringLiteral("S"),
                            QStringLiteral("03"), QStringLiteral("19"));
        o.plate = QStringLiteral("BB222BB");
        o.workshop = QStringLiteral("TDM0002"); // every workshop of the PEC
        o.enabled = QDate(2020, 2, 1);
        Build::insert(db, o.n(2));
        Build::lifeCylinder(db, 2, QStringLiteral("S-1"), QStringLiteral("F040"), QStringLiteral("M"),
                            QStringLiteral("01"), QStringLiteral("20"));
        Build::pending(db, ws, 1, QStringLiteral("BB222BB"), QDate(2024, 3, 1), QStringLiteral("S-1"),
                       QStringLiteral("S"));

        dm1().connect(Conn::Operations);
        dm1().resetExchangeCount();
        const QVector<CylinderLife::Event> rows = CylinderLifeRepository::Read(QStringLiteral(" S-1 "), QString());
        QCOMPARE(dm1().exchangeCount(), quint64(1));
        QCOMPARE(rows.size(), 3);
        const CylinderLife::Life life = CylinderLife::Build(rows, QDate(2026, 1, 1));
        QCOMPARE(life.events[0].plate, QStringLiteral("AA111AA"));
        QCOMPARE(life.events[0].managementText(), QStringLiteral("DESMONTAJE"));
        QCOMPARE(life.events[1].workshop, QStringLiteral("TDM0002"));
        QVERIFY(life.events[2].pending);
        QCOMPARE(life.events[2].pendingState, 1);
        QCOMPARE(life.lastTest, QStringLiteral("03/2024"));

        // The code narrows the serial to one model.
        QVERIFY(CylinderLifeRepository::Read(QStringLiteral("S-1"), QStringLiteral("I045")).isEmpty());
        QCOMPARE(CylinderLifeRepository::Read(QStringLiteral("S-1"), QStringLiteral("F040")).size(), 3);
    }

    void daySummaryCountsTheWorkshopsDay()
    {
        for (const char *t : {"usr", "cil", "temp_usr", "temp_cil", "turnos_agenda"})
            Build::run(db, QStringLiteral("delete from %1").arg(QLatin1String(t)));
        const QDate today(2026, 12, 10); // a Thursday
        for (int state : {0, 0, 1, 1, 2})
            Build::pending(db, ws, state);
        Build::pending(db, QStringLiteral("TDM0002"), 0);

        Operation o;
        o.assigned = QDate(2026, 12, 7); // Monday
        Build::insert(db, o.n(1));
        o.assigned = QDate(2026, 12, 6); // last week
        o.expires = today.addDays(30);   // the window's last day
        Build::insert(db, o.n(2));
        o.assigned = {};
        o.expires = today.addDays(31);
        Build::insert(db, o.n(3));
        o.expires = today.addDays(5);
        o.kind = QStringLiteral("B"); // a dismantling is never reminded
        Build::insert(db, o.n(4));

        const QString booked =
            QStringLiteral("insert into turnos_agenda (taller, fecha, hora, cliente) values (?, ?, ?, ?)");
        Build::run(db, booked, {ws, today, QStringLiteral("09:00"), QStringLiteral("PEREZ")});
        Build::run(db, booked, {ws, today, QStringLiteral("10:00"), QStringLiteral("")});
        Build::run(db, booked, {ws, today.addDays(1), QStringLiteral("09:00"), QStringLiteral("GOMEZ")});

        dm1().connect(Conn::Operations);
        dm1().resetExchangeCount();
        const DaySummary::Reading r = DaySummaryRepository::Read(ws, today);
        QCOMPARE(dm1().exchangeCount(), quint64(1));
        QCOMPARE(r.awaitingVerification, 2);
        QCOMPARE(r.verifiedWithObservations.size(), 2);
        QCOMPARE(r.stickersThisWeek, 1);
        QCOMPARE(r.expiries.size(), 1);
        QCOMPARE(r.expiries[0].date, today.addDays(30));
        QCOMPARE(r.appointmentsToday, 1);
    }
};

QTEST_GUILESS_MAIN(TstLifeStore)
#include "tst_lifestore.moc"
