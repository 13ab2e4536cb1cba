// The follow-up readings and writings on the real server: which operations
// each list takes, the parts of the detailed sticker list, the reminder
// texts, the appointment book (one set of slots per day even when two
// workstations open it at once) and this workstation's reminder log.
#include "data/appointmentrepository.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "data/reminderrepository.h"
#include "data/statements.h"
#include "data/stickerrepository.h"
#include "followupbuilders.h"
#include "testdb.h"

#include <QDeadlineTimer>
#include <QSqlRecord>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <future>
#include <thread>

using Build::Operation;

class TstFollowupStore : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_followupstore");
    const QString ws = QStringLiteral("TDM0001");
    const QDate may1{2024, 5, 1}, may31{2024, 5, 31};

    static QStringList column(const QVector<QSqlRecord> &rows, const char *field)
    {
        QStringList out;
        for (const QSqlRecord &r : rows)
            out << r.value(QLatin1String(field)).toString().trimmed();
        return out;
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), {}});
    }
    void init()
    {
        for (const char *t : {"usr", "reg", "cil", "turnos_agenda", "turnos_horarios"})
            Build::run(db, QStringLiteral("delete from %1").arg(QLatin1String(t)));
    }
    void cleanupTestCase()
    {
        dm1().closeAll();
        db.close();
        TestDb::drop(dbName);
    }

    void assignedStickersOfThePeriodAndWorkshop()
    {
        Operation o;
        o.assigned = may31; // on the last day
        Build::insert(db, o.n(1));
        o.assigned = may1; // on the first day
        Build::insert(db, o.n(2));
        o.assigned = QDate(2024, 6, 1);
        Build::insert(db, o.n(3));
        o.assigned = QDate(2024, 5, 10);
        o.workshop = QStringLiteral("TDM0002");
        Build::insert(db, o.n(4));

        const QVector<QSqlRecord> rows = StickerRepository::Assigned(ws, may1, may31);
        QCOMPARE(column(rows, "tnrointopr"), (QStringList{"2", "1"})); // by assignment date
        QCOMPARE(rows.first().value("xfecasig").toDate(), may1);
        QVERIFY(StickerRepository::Assigned(ws, may31, may1).isEmpty()); // "Desde" after "Hasta"
    }

    void partsOfTheListedOperations()
    {
        Operation o;
        o.assigned = QDate(2024, 5, 6);
        Build::insert(db, o.n(1));
        Build::insert(db, o.n(2));
        o.assigned = QDate(2024, 7, 1);
        Build::insert(db, o.n(3));
        Build::regulator(db, 1, QStringLiteral("R-A"));
        Build::regulator(db, 1, QStringLiteral("R-B"));
        Build::cylinder(db, 1, QStringLiteral("C-1"), {}, QStringLiteral("V-1"));
        Build::cylinder(db, 2, QStringLiteral("C-2"), {}, QStringLiteral("V-NEW"), QStringLiteral("V-OLD"));
        Build::cylinder(db, 3, QStringLiteral("C-3")); // outside the period

        const QHash<QString, StickerRepository::Parts> parts = StickerRepository::PartsOfAssigned(ws, may1, may31);
        QCOMPARE(parts.size(), 2);
        const StickerRepository::Parts one = parts.value(StickerRepository::OperationKey(Build::kCuit, 1));
        QCOMPARE(one.regulators.size(), 2);
        QCOMPARE(one.regulators.at(0), (StickerDetail::Part{"T009", "R-A", "S"}));
        QCOMPARE(one.cylinders.size(), 1);
        QCOMPARE(one.cylinders.at(0).valve.numero, QStringLiteral("V-1"));
        const StickerRepository::Parts two = parts.value(StickerRepository::OperationKey(Build::kCuit, 2));
        QVERIFY(two.regulators.isEmpty());
        QCOMPARE(two.cylinders.at(0).replacedValve, (StickerDetail::Part{"V102", "V-OLD", "D"}));
    }

    void stickerReminderListsOnlyReachableOwners()
    {
        Operation o;
        o.expires = may31;
        const auto add = [&](qint64 n, const char *plate, auto change) {
            Operation x = o;
            x.number = n;
            x.plate = QLatin1String(plate);
            change(x);
            Build::insert(db, x);
        };
        add(1, "OK1", [](Operation &) {});
        add(2, "SN", [](Operation &x) { x.phone = QStringLiteral("s/n"); });
        add(3, "SD", [](Operation &x) { x.phone = QStringLiteral("Sd"); });
        add(4, "FIJO", [](Operation &x) { x.phoneKind = QStringLiteral("FIJO"); });
        add(5, "BAJA", [](Operation &x) { x.kind = QStringLiteral("B"); });
        add(6, "BAJAD", [](Operation &x) { x.kind = QStringLiteral("D"); });
        add(7, "NOAREA", [](Operation &x) { x.area = QVariant(QMetaType(QMetaType::QString)); });
        add(8, "OK2", [](Operation &x) { x.expires = QDate(2024, 5, 1); });
        add(9, "LATE", [](Operation &x) { x.expires = QDate(2024, 6, 1); });
        add(10, "OTRO", [](Operation &x) { x.workshop = QStringLiteral("TDM0002"); });

        const QVector<QSqlRecord> rows = ReminderRepository::ReminderList(Reminders::Kind::Sticker, ws, may1, may31);
        QCOMPARE(column(rows, "Dominio"), (QStringList{"OK2", "OK1"})); // by expiry
        QCOMPARE(rows.first().value("Celular").toString(), QStringLiteral("5491154327788"));
        QCOMPARE(rows.first().value("Vencimiento").toDate(), may1);
        QCOMPARE(rows.first().value("Auto").toString(), QStringLiteral("FIAT SIENA"));
    }

    void testReminderListsAVehicleOnceWhateverItsCylinders()
    {
        Operation o;
        o.expires = QDate(2024, 6, 20);
        o.plate = QStringLiteral("DOS");
        Build::insert(db, o.n(1));
        Build::cylinder(db, 1, QStringLiteral("C-1"), QDate(2024, 6, 1));
        Build::cylinder(db, 1, QStringLiteral("C-2"), QDate(2024, 6, 30)); // the last day counts
        o.plate = QStringLiteral("VIGENTE");                               // its cylinder's test runs on
        Build::insert(db, o.n(2));
        Build::cylinder(db, 2, QStringLiteral("C-3"), QDate(2026, 1, 1));
        o.plate = QStringLiteral("SINCIL");
        Build::insert(db, o.n(3));

        const QDate june1(2024, 6, 1), june30(2024, 6, 30);
        const QVector<QSqlRecord> rows =
            ReminderRepository::ReminderList(Reminders::Kind::HydraulicTest, ws, june1, june30);
        QCOMPARE(column(rows, "Dominio"), QStringList{"DOS"});
        QCOMPARE(rows.first().value("Vencimiento").toString(), QStringLiteral("06/2024"));
    }

    void reminderTextsRoundTrip()
    {
        Build::run(db, QStringLiteral("delete from tal"));
        Build::run(db,
                   QStringLiteral("insert into tal (tcodigoint, mensajeWhatsApp, mensajeWhatsAppPh) values (?, "
                                  "'Oblea', NULL)"),
                   {ws});
        QCOMPARE(ReminderRepository::Message(Reminders::Kind::Sticker, ws), QStringLiteral("Oblea"));
        QCOMPARE(ReminderRepository::Message(Reminders::Kind::HydraulicTest, ws), QString());
        const QString hostile = QStringLiteral("Hola' -- \\n; drop table tal; ñandú 😀\nlínea 2 & #3");
        ReminderRepository::WriteMessage(Reminders::Kind::HydraulicTest, ws, hostile);
        QCOMPARE(ReminderRepository::Message(Reminders::Kind::HydraulicTest, ws), hostile);
        QCOMPARE(ReminderRepository::Message(Reminders::Kind::Sticker, ws), QStringLiteral("Oblea")); // its own column
        ReminderRepository::WriteMessage(Reminders::Kind::Sticker, ws, QString());
        QCOMPARE(Build::count(db, QStringLiteral("select count(*) from tal where mensajeWhatsApp = ''")), 1);
    }

    void dayOpensWithEverySlotOnceInTimeOrder()
    {
        Build::slotTimes(db, {"14:00", "08:30", "10:00", "9:00"});
        const QDate day(2030, 2, 3);
        QVector<QSqlRecord> rows = AppointmentRepository::OpenDay(ws, day);
        QCOMPARE(column(rows, "hora"), (QStringList{"08:30", "9:00", "10:00", "14:00"}));
        QVERIFY(column(rows, "cliente").join(QString()).isEmpty());
        dm1().resetExchangeCount();
        AppointmentRepository::OpenDay(ws, day);
        QCOMPARE(dm1().exchangeCount(), quint64(1)); // created if missing and read in one
        QCOMPARE(Build::count(db, QStringLiteral("select count(*) from turnos_agenda")), 4);

        // A booking overwrites whatever the slot held; cancelling empties it.
        AppointmentRepository::Book(ws, day, QStringLiteral("10:00"), {"PEREZ", "FIAT UNO", "AB123CD", "1144", "GAS"});
        AppointmentRepository::Book(ws, day, QStringLiteral("10:00"), {"GOMEZ", "", "", "", ""});
        rows = AppointmentRepository::OpenDay(ws, day);
        QCOMPARE(rows.at(2).value("cliente").toString(), QStringLiteral("GOMEZ"));
        QCOMPARE(rows.at(2).value("vehiculo").toString(), QString());
        AppointmentRepository::Cancel(ws, day, QStringLiteral("10:00"));
        AppointmentRepository::Cancel(ws, day, QStringLiteral("14:00")); // a free slot stays free
        QCOMPARE(Build::count(db, QStringLiteral("select count(*) from turnos_agenda where concat(cliente, vehiculo, "
                                                 "dominio, celular, falla) = ''")),
                 2);
        QCOMPARE(Build::count(db, QStringLiteral("select count(*) from turnos_agenda where taller = ?"), {ws}), 4);
        // Another workshop's day is its own.
        QCOMPARE(AppointmentRepository::OpenDay(QStringLiteral("TDM0002"), day).size(), 4);
    }

    // Workstation B creates the day in a transaction it keeps open; this one
    // opens the same day meanwhile and waits on B's slots; B commits. One set.
    void twoWorkstationsOpeningANewDayGetOneSetOfSlots()
    {
        Build::slotTimes(db, {"08:00", "08:30", "09:00"});
        const QDate day(2031, 3, 4);
        QString insertDay;
        for (const StatementDef &s : statementCatalogue())
            if (s.name == QLatin1String("SQLInsertTurnosDelDia"))
                insertDay = s.sql;
        const auto connect = [this](const QString &name) {
            QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
            c.setHostName(TestDb::host());
            c.setDatabaseName(dbName);
            c.setUserName(TestDb::user());
            c.setPassword(TestDb::password());
            c.open();
            return c;
        };
        std::promise<void> inserted, release;
        std::atomic<bool> sawWait = false;
        std::thread b([&] {
            {
                QSqlDatabase c = connect(QStringLiteral("workstationB"));
                QSqlQuery q(c);
                q.exec(QStringLiteral("start transaction"));
                q.prepare(insertDay);
                q.bindValue(QStringLiteral(":ta"), ws);
                q.bindValue(QStringLiteral(":fe"), day);
                q.exec();
                inserted.set_value();
                release.get_future().wait();
                q.exec(QStringLiteral("commit"));
            }
            QSqlDatabase::removeDatabase(QStringLiteral("workstationB"));
        });
        inserted.get_future().wait();
        std::thread watcher([&] {
            {
                QSqlDatabase c = connect(QStringLiteral("watcher"));
                QSqlQuery q(c);
                QDeadlineTimer deadline(20000);
                while (!sawWait && !deadline.hasExpired()) {
                    q.exec(QStringLiteral("select count(*) from information_schema.innodb_trx where trx_state = "
                                          "'LOCK WAIT'"));
                    sawWait = q.next() && q.value(0).toInt() > 0;
                    if (!sawWait)
                        QThread::msleep(5);
                }
            }
            QSqlDatabase::removeDatabase(QStringLiteral("watcher"));
            release.set_value();
        });
        const QVector<QSqlRecord> rows = AppointmentRepository::OpenDay(ws, day);
        watcher.join();
        b.join();
        QVERIFY(sawWait); // the two really met
        QCOMPARE(column(rows, "hora"), (QStringList{"08:00", "08:30", "09:00"}));
        QCOMPARE(Build::count(db, QStringLiteral("select count(*) from turnos_agenda where fecha = ?"), {day}), 3);
    }

    void reminderLogKeepsTheLastDayPerPlateAndKind()
    {
        LocalTable log(LocalTableId::ReminderLog);
        log.open();
        log.empty();
        using K = Reminders::Kind;
        const QList<std::tuple<int, const char *, K>> sent = {{2, " ab123cd ", K::Sticker},
                                                              {9, "AB123CD", K::Sticker},
                                                              {4, "AB123CD", K::Sticker},
                                                              {20, "AB123CD", K::HydraulicTest}};
        for (const auto &[day, plate, kind] : sent)
            ReminderLog::Record(log, QDate(2024, 5, day), QLatin1String(plate), QStringLiteral("549111"), kind);
        QCOMPARE(ReminderLog::LastSent(log, K::Sticker).value(QStringLiteral("AB123CD")), QDate(2024, 5, 9));
        QCOMPARE(ReminderLog::LastSent(log, K::HydraulicTest).value(QStringLiteral("AB123CD")), QDate(2024, 5, 20));
    }
};

QTEST_GUILESS_MAIN(TstFollowupStore)
#include "tst_followupstore.moc"
