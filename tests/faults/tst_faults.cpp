// Faults on the way to the server while a pending operation is saved: the
// link cut before or while the server answers, the session killed in the
// middle of the save, a server that stops answering, and two workstations
// saving the same edited operation at once. Nothing is ever half written,
// the operator is told in Spanish and keeps what was typed.
#include "core/clock.h"
#include "core/global.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "data/pendingstore.h"
#include "operations/save/formsave.h"
#include "operations/trevisionanualform.h"
#include "pendingbuilders.h"
#include "scriptedprompter.h"
#include "tcprelay.h"
#include "testdb.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace
{

const QString kDb = QStringLiteral("t_faults");
const QDate kToday(2026, 12, 9);

// Another workstation: its own session on the server, on a thread of its own
// so that it can act while this one is blocked in a statement.
class OtherWorkstation
{
public:
    explicit OtherWorkstation(std::function<void(QSqlDatabase &)> work)
    {
        m_thread = std::thread([this, work] {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("other"));
                db.setHostName(TestDb::host());
                db.setDatabaseName(kDb);
                db.setUserName(TestDb::user());
                db.setPassword(TestDb::password());
                if (db.open())
                    work(db);
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
            done = true;
        });
    }
    ~OtherWorkstation() { m_thread.join(); }
    std::atomic<bool> done{false};

    // Polls the server until `sql` gives a non-zero first value.
    static bool waitFor(QSqlDatabase &db, const QString &sql)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 20000) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next() && q.value(0).toLongLong() != 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20)); // the poll's pace, not a wait for luck
        }
        return false;
    }

private:
    std::thread m_thread;
};

} // namespace

class TstFaults : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    std::unique_ptr<TcpRelay> relay;

    int count(const QString &table, const QString &plate)
    {
        QSqlQuery q(db);
        q.exec(QStringLiteral("select count(*) from %1 where udominio = '%2'").arg(table, plate));
        q.next();
        return q.value(0).toInt();
    }
    // temp_usr, temp_reg, temp_cil rows of a plate, in one reading, once the
    // server has finished with whatever a cut session left running.
    QList<int> stored(const QString &plate)
    {
        const bool idle = QTest::qWaitFor([&] {
            QSqlQuery q(db);
            q.exec(QStringLiteral("select count(*) from information_schema.processlist where db = '%1' and "
                                  "command = 'Query' and id <> connection_id()")
                       .arg(kDb));
            return q.next() && q.value(0).toInt() == 0;
        });
        if (!idle)
            return {-1, -1, -1};
        QSqlQuery q(db);
        q.exec(QStringLiteral("select (select count(*) from temp_usr where udominio = '%1'), (select count(*) from "
                              "temp_reg where udominio = '%1'), (select count(*) from temp_cil where udominio = '%1')")
                   .arg(plate));
        q.next();
        return {q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt()};
    }
    static OperationRecord twoCylinders(const QString &plate)
    {
        OperationRecord r = Builders::renewal(plate);
        r.cylinders << Builders::cylinder(QStringLiteral("S2"));
        return r;
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(kDb);
        TestDb::exec(db, QStringLiteral("insert into codcil (CODIGO, VENC) values ('C060', 3)"));
        QSqlQuery p(db);
        QVERIFY(p.exec(QStringLiteral("select @@port")) && p.next());
        relay = std::make_unique<TcpRelay>(quint16(p.value(0).toInt()));
        dm1().configure(Conn::Operations, {relay->hostPort(), kDb, TestDb::user(), TestDb::password(), QString()});
    }
    void cleanupTestCase()
    {
        localStore().closeAll();
        dm1().closeAll();
        relay.reset();
        TestDb::drop(kDb);
    }
    void init()
    {
        relay->setStalled(false);
        dm1().setLinkOptions(Conn::Operations, {});
    }

    void cutBeforeTheServerHearsLeavesNothing()
    {
        const OperationRecord r = twoCylinders(QStringLiteral("FA001AA"));
        dm1().database(Conn::Operations);
        relay->cutOn(QByteArrayLiteral("insert into temp_usr"));
        try {
            PendingStore::Save(r, Builders::workshop(), kToday);
            QFAIL("the link was cut");
        } catch (const DbError &e) {
            QVERIFY2(e.text().startsWith(QStringLiteral("Se perdió la conexión con el servidor")),
                     qPrintable(e.text()));
        }
        QCOMPARE(stored(QStringLiteral("FA001AA")), (QList<int>{0, 0, 0}));
        // The next save gets a new session.
        PendingStore::Save(r, Builders::workshop(), kToday);
        QCOMPARE(stored(QStringLiteral("FA001AA")), (QList<int>{1, 1, 2}));
    }

    // The server did the work but the answer never arrived: all of it or
    // none of it is there, never a part.
    void cutWhileTheServerAnswersIsAllOrNothing()
    {
        const OperationRecord r = twoCylinders(QStringLiteral("FA002BB"));
        dm1().database(Conn::Operations);
        relay->cutWhenAnswering(1);
        QVERIFY_THROWS_EXCEPTION(DbError, PendingStore::Save(r, Builders::workshop(), kToday));
        const QList<int> rows = stored(QStringLiteral("FA002BB"));
        QVERIFY2(rows == (QList<int>{0, 0, 0}) || rows == (QList<int>{1, 1, 2}),
                 qPrintable(QStringLiteral("%1 %2 %3").arg(rows[0]).arg(rows[1]).arg(rows[2])));
    }

    // The session is killed on the server while the cylinders are being
    // written: what was already inserted goes with it.
    void sessionKilledInTheMiddleLeavesNothing()
    {
        TestDb::exec(db, QStringLiteral("create trigger slow_cil before insert on temp_cil for each row "
                                        "set @espera = sleep(20)"));
        const OperationRecord r = twoCylinders(QStringLiteral("FA003CC"));
        bool killed = false;
        {
            OtherWorkstation admin([&](QSqlDatabase &other) {
                const QString waiting =
                    QStringLiteral(
                        "select id from information_schema.processlist where db = '%1' and state = 'User sleep'")
                        .arg(kDb);
                if (!OtherWorkstation::waitFor(other, waiting))
                    return;
                QSqlQuery q(other);
                q.exec(waiting);
                q.next();
                killed = QSqlQuery(other).exec(QStringLiteral("KILL CONNECTION %1").arg(q.value(0).toLongLong()));
            });
            try {
                PendingStore::Save(r, Builders::workshop(), kToday);
                QFAIL("the session was killed");
            } catch (const DbError &e) {
                QVERIFY2(e.text().startsWith(QStringLiteral("Se perdió la conexión")), qPrintable(e.text()));
            }
        }
        TestDb::exec(db, QStringLiteral("drop trigger slow_cil"));
        QVERIFY(killed);
        QCOMPARE(stored(QStringLiteral("FA003CC")), (QList<int>{0, 0, 0}));
    }

    // Two workstations replace the same edited pending operation at once: the
    // second waits for the first, finds the operation gone and stores nothing.
    void concurrentResavesLeaveOnePending()
    {
        const OperationRecord r = Builders::renewal(QStringLiteral("FA004DD"));
        const int old = PendingStore::Save(r, Builders::workshop(), kToday);
        std::atomic<bool> holding{false};
        {
            OtherWorkstation other([&](QSqlDatabase &o) {
                QSqlQuery q(o);
                q.exec(QStringLiteral("start transaction"));
                q.exec(QStringLiteral("delete from temp_usr where id = %1 and estado = 0").arg(old));
                q.exec(QStringLiteral("delete from temp_reg where id = %1").arg(old));
                q.exec(QStringLiteral("delete from temp_cil where id = %1").arg(old));
                q.exec(QStringLiteral("insert into temp_usr (peccod, codtal, udominio, estado) "
                                      "values ('P001', 'T000123', 'FA004DD', 0)"));
                holding = true;
                // Until this workstation's replacement waits for the row.
                OtherWorkstation::waitFor(o, QStringLiteral("select count(*) from information_schema.processlist "
                                                            "where id <> connection_id() and info like "
                                                            "'delete from temp_usr%'"));
                q.exec(QStringLiteral("commit"));
            });
            QTRY_VERIFY(holding);
            try {
                PendingStore::Save(r, Builders::workshop(), kToday, old);
                QFAIL("the other workstation replaced it first");
            } catch (const PendingStore::NotPending &e) {
                QCOMPARE(e.reason(), PendingStore::NotPending::Reason::Gone);
            }
        }
        QCOMPARE(count(QStringLiteral("temp_usr"), QStringLiteral("FA004DD")), 1);
        QCOMPARE(count(QStringLiteral("temp_cil"), QStringLiteral("FA004DD")), 0);
    }

    // A server that stops answering while "Aceptar" saves: after the timeout
    // the operator reads why, and the form keeps every value typed.
    void stalledServerEndsWithAMessageAndKeepsTheForm()
    {
        Global = Builders::workshop();
        Global.InstallationId = QStringLiteral("OLIV01");
        Clock::setToday(kToday);
        dm1().setLinkOptions(Conn::Operations, {2, false, {}});
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("R"));
        LocalTable &cylinders = localStore().table(LocalTableId::Cylinders);
        cylinders.empty();
        cylinders.append();
        const QList<QPair<const char *, QString>> cylinder = {
            {"CODIGO", "I060"},        {"NROSERIE", "CIL-1"}, {"GESTION", "SIN CAMBIOS"},
            {"FABRICAC", "04/2020"},   {"UPHTALLER", "CR01"}, {"UPHFECHA", "04/2025"},
            {"UPHRESULT", "APROBADO"}, {"CNUEVO", "NO"},      {"NROCERTIF", "CR01000042"}};
        for (const auto &[field, value] : cylinder)
            cylinders.setText(QLatin1String(field), value);
        cylinders.setInteger(QStringLiteral("CAPACIDAD"), 60);
        cylinders.post();
        OperationSave::WireOperationForm(form);
        form.setDomainMask(QString());
        form.setDocumentMask(QString());
        const QList<QPair<const char *, QString>> typed = {
            {"ObleaAntEdit", "0000004567"},    {"MarcaEdit", "RENAULT"},     {"ModeloEdit", "LOGAN"},
            {"DominioEdit", "FA005EE"},        {"NombreEdit", "SOSA MARTA"}, {"NroDocEdit", "28999111"},
            {"CalleEdit", "RIVADAVIA 900"},    {"CodigoEdit", "5500"},       {"LocalidadEdit", "MENDOZA"},
            {"CaracteristicaEdit", "261"},     {"TelefonoEdit", "4445566"},  {"CodigoRegularEdit", "R01"},
            {"NroSerieReguladorEdit", "RS-77"}};
        for (const auto &[name, text] : typed)
            form.findChild<QLineEdit *>(QLatin1String(name))->setText(text);

        relay->stallOn(QByteArrayLiteral("insert into temp_usr"));
        QElapsedTimer t;
        t.start();
        form.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
        QVERIFY(t.elapsed() < 15000);
        QCOMPARE(prompter.log.size(), 1);
        QVERIFY2(prompter.log.first().startsWith(
                     QStringLiteral("error: El servidor de la base de datos no respondió en 2 segundos")),
                 qPrintable(prompter.log.first()));
        QCOMPARE(form.result(), 0); // not closed
        for (const auto &[name, text] : typed)
            QCOMPARE(form.findChild<QLineEdit *>(QLatin1String(name))->text(), text);
        relay->dropAll(); // what it held never reaches the server
        relay->setStalled(false);
        QCOMPARE(stored(QStringLiteral("FA005EE")), (QList<int>{0, 0, 0}));

        // Once the server answers again, the same form saves.
        form.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
        QVERIFY2(prompter.log.contains(QStringLiteral("info: La operación ha sido cargada.")),
                 qPrintable(prompter.log.join('|')));
        QCOMPARE(stored(QStringLiteral("FA005EE")), (QList<int>{1, 1, 1}));
    }
};

QTEST_MAIN(TstFaults)
#include "tst_faults.moc"
