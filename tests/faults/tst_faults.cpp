// Faults on the way to the server while a pending operation is saved: the
// link cut before or while the server answers, the session killed in the
// middle of the save, a server that stops answering, and two workstations
// saving the same edited operation at once. Nothing is ever half written,
// nothing is stored twice, the operator is told in Spanish whether it was
// stored and keeps what was typed.
#include "core/clock.h"
#include "core/global.h"
#include "core/iniconfig.h"
#include "data/backgroundquery.h"
#include "data/conversionorderstore.h"
#include "data/dm1.h"
#include "data/errorlog.h"
#include "data/letterrepository.h"
#include "data/localstore.h"
#include "data/outbox.h"
#include "data/pendingstore.h"
#include "data/workorderstore.h"
#include "data/writeonce.h"
#include "operations/save/formsave.h"
#include "operations/save/outboxsend.h"
#include "operations/trevisionanualform.h"
#include "pendingbuilders.h"
#include "sampleletter.h"
#include "sampleorder.h"
#include "sampleworkorder.h"
#include "scriptedprompter.h"
#include "tcprelay.h"
#include "testdb.h"
#include "widgets/messages.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
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

    // What the operator types into the renewal form (plate added per test).
    static QList<QPair<const char *, QString>> typedFields(const QString &plate)
    {
        return {{"ObleaAntEdit", "0000004567"},    {"MarcaEdit", "RENAULT"},
                {"ModeloEdit", "LOGAN"},           {"DominioEdit", plate},
                {"NombreEdit", "SOSA MARTA"},      {"NroDocEdit", "28999111"},
                {"CalleEdit", "RIVADAVIA 900"},    {"CodigoEdit", "5500"},
                {"LocalidadEdit", "MENDOZA"},      {"CaracteristicaEdit", "261"},
                {"TelefonoEdit", "4445566"},       {"CodigoRegularEdit", "R01"},
                {"NroSerieReguladorEdit", "RS-77"}};
    }
    // A renewal form wired for "Aceptar", with one cylinder and every field typed.
    static std::unique_ptr<TRevisionAnualForm> filledForm(Prompter &prompter, const QString &plate)
    {
        Global = Builders::workshop();
        Global.InstallationId = QStringLiteral("OLIV01");
        Clock::setToday(kToday);
        auto form = std::make_unique<TRevisionAnualForm>(nullptr, prompter);
        form->SetOperationKind(QStringLiteral("R"));
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
        OperationSave::WireOperationForm(*form);
        form->setDomainMask(QString());
        form->setDocumentMask(QString());
        for (const auto &[name, text] : typedFields(plate))
            form->findChild<QLineEdit *>(QLatin1String(name))->setText(text);
        return form;
    }
    static void pressAceptar(TRevisionAnualForm &form)
    {
        form.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    }

    static void emptyOutbox()
    {
        for (const OutboxEntry &e : Outbox::instance().list())
            Outbox::instance().remove(e.id);
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(kDb);
        TestDb::exec(db, QStringLiteral("insert into codcil (CODIGO, VENC) values ('C060', 3)"));
        TestDb::exec(db,
                     QStringLiteral("insert into codreg (CODIGO, MARCA) values ('R01', 'ACME')")); // Aceptar checks it
        QSqlQuery p(db);
        QVERIFY(p.exec(QStringLiteral("select @@port")) && p.next());
        relay = std::make_unique<TcpRelay>(quint16(p.value(0).toInt()));
        dm1().configure(Conn::Operations, {relay->hostPort(), kDb, TestDb::user(), TestDb::password(), QString()});
    }
    void cleanupTestCase()
    {
        BackgroundQuery::stopWorkers();
        localStore().closeAll();
        dm1().closeAll();
        relay.reset();
        TestDb::drop(kDb);
    }
    void init()
    {
        relay->clearFaults();
        relay->setStalled(false);
        dm1().setLinkOptions(Conn::Operations, {});
    }

    void cutBeforeTheServerHearsLeavesNothing()
    {
        const OperationRecord r = twoCylinders(QStringLiteral("FA001AA"));
        dm1().connect(Conn::Operations);
        relay->cutOn(QByteArrayLiteral("insert into temp_usr"));
        try {
            PendingStore::Save(r, Builders::workshop(), kToday);
            QFAIL("the link was cut");
        } catch (const DbError &e) {
            QVERIFY2(e.text().startsWith(QStringLiteral("Se perdió la conexión con el servidor")),
                     qPrintable(e.text()));
            // Asked again in a new session: the operator may retry.
            QVERIFY2(e.text().contains(QStringLiteral("No quedó nada guardado: puede intentarlo de nuevo.")),
                     qPrintable(e.text()));
        }
        QCOMPARE(stored(QStringLiteral("FA001AA")), (QList<int>{0, 0, 0}));
        // The next save gets a new session.
        PendingStore::Save(r, Builders::workshop(), kToday);
        QCOMPARE(stored(QStringLiteral("FA001AA")), (QList<int>{1, 1, 2}));
    }

    // The server did the work but the answer never arrived: all of it or
    // none of it is there, never a part, and the save says which.
    void cutWhileTheServerAnswersIsAllOrNothing()
    {
        const OperationRecord r = twoCylinders(QStringLiteral("FA002BB"));
        dm1().connect(Conn::Operations);
        relay->cutWhenAnswering(1);
        int id = 0;
        try {
            id = PendingStore::Save(r, Builders::workshop(), kToday);
        } catch (const DbError &) {
        }
        const QList<int> rows = stored(QStringLiteral("FA002BB"));
        QVERIFY2(rows == (id > 0 ? QList<int>{1, 1, 2} : QList<int>{0, 0, 0}),
                 qPrintable(QStringLiteral("%1: %2 %3 %4").arg(id).arg(rows[0]).arg(rows[1]).arg(rows[2])));
    }

    // The server commits but its answer never comes: after the timeout the
    // workstation asks in a new session and tells the operator it is stored.
    void answerLostAfterTheCommitIsSaidStored()
    {
        dm1().setLinkOptions(Conn::Operations, {2, false, {}});
        ScriptedPrompter prompter;
        const auto form = filledForm(prompter, QStringLiteral("FA006FF"));
        relay->muteAnswerTo(QByteArrayLiteral("insert into temp_usr"));
        pressAceptar(*form);
        QCOMPARE(prompter.log.filter(QStringLiteral("error:")), QStringList());
        QVERIFY2(prompter.log.contains(QStringLiteral("info: La operación ha sido cargada.")),
                 qPrintable(prompter.log.join('|')));
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QCOMPARE(stored(QStringLiteral("FA006FF")), (QList<int>{1, 1, 1}));
    }

    // The server stops answering while "Aceptar" saves: the form keeps
    // repainting, the line with "Cancelar" comes up, and "Cancelar" ends the
    // wait long before the timeout with what the server did (here: stored).
    void cancelWhileTheServerStallsEndsWithTheOutcome()
    {
        dm1().setLinkOptions(Conn::Operations, {30, false, {}});
        ScriptedPrompter prompter;
        const auto form = filledForm(prompter, QStringLiteral("FA007GG"));
        form->show();
        struct Paints : QObject {
            int count = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                count += e->type() == QEvent::Paint;
                return false;
            }
        } paints;
        relay->muteAnswerTo(QByteArrayLiteral("insert into temp_usr"));
        QTimer watch;
        int paintsWhileWaiting = -1;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto *line = form->findChild<QDialog *>(QStringLiteral("EsperaServidor"));
            if (!line || !line->isVisible())
                return;
            if (paintsWhileWaiting < 0) {
                form->installEventFilter(&paints);
                paintsWhileWaiting = 0;
                form->update();
                return;
            }
            if (paints.count == 0)
                return;
            paintsWhileWaiting = paints.count;
            watch.stop();
            line->findChild<QPushButton *>(QStringLiteral("BitBtnCancelarEspera"))->click();
        });
        watch.start(50);
        QElapsedTimer t;
        t.start();
        pressAceptar(*form);
        QVERIFY(t.elapsed() < 15000);
        QVERIFY(paintsWhileWaiting > 0);
        QVERIFY2(prompter.log.contains(QStringLiteral("info: La operación ha sido cargada.")),
                 qPrintable(prompter.log.join('|')));
        QCOMPARE(stored(QStringLiteral("FA007GG")), (QList<int>{1, 1, 1}));
    }

    // Every attempt at one operation goes under its ticket: with the link cut
    // at random moments (before the server hears, or while it answers, the
    // checking session included) each operation is stored exactly once.
    void randomCutsStoreEachOperationOnce()
    {
        QRandomGenerator random(20261209);
        int retried = 0;
        for (int i = 0; i < 100; ++i) {
            const OperationRecord r = Builders::renewal(QStringLiteral("FR%1XX").arg(i, 3, 10, QLatin1Char('0')));
            WriteOnce::Ticket ticket;
            const quint64 at = 1 + random.bounded(3);
            if (random.bounded(2))
                relay->cutAtBurst(at);
            else
                relay->cutWhenAnswering(at);
            int id = 0;
            for (int attempt = 0; attempt < 10 && id == 0; ++attempt) {
                try {
                    id = PendingStore::Save(r, Builders::workshop(), kToday, std::nullopt, {}, &ticket);
                } catch (const DbError &) {
                    ++retried;
                }
            }
            QVERIFY2(id > 0, qPrintable(r.dominio));
        }
        relay->clearFaults();
        QVERIFY(retried > 0);
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral(
            "select (select count(*) from temp_usr where udominio like 'FR%'), (select count(distinct udominio) "
            "from temp_usr where udominio like 'FR%'), (select count(*) from temp_reg where udominio like 'FR%'), "
            "(select count(*) from temp_cil where udominio like 'FR%')")));
        QVERIFY(q.next());
        for (int column = 0; column < 4; ++column)
            QCOMPARE(q.value(column).toInt(), 100);
    }

    // The commitment letter's answer is lost after its COMMIT: "Guardar"
    // again under the same ticket finds it stored and stores nothing more.
    void letterWhoseAnswerIsLostIsStoredOnce()
    {
        Letter::Stored letter;
        letter.owner = Sample::letterOwner();
        letter.date = kToday;
        letter.workshopCode = QStringLiteral("TFAULT1");
        letter.items = Sample::letterItems(2);
        dm1().connect(Conn::Operations);
        WriteOnce::Ticket ticket;
        relay->cutWhenAnswering(1);
        int id = 0;
        try {
            id = LetterRepository::Save(letter, &ticket); // found out in a new session
        } catch (const DbError &) {
        }
        const int again = LetterRepository::Save(letter, &ticket);
        QVERIFY(id == 0 || id == again);
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("select count(*), (select count(*) from carta_compromiso_det d join "
                                      "carta_compromiso_cab c on d.id_carta = c.id where c.taller = 'TFAULT1') from "
                                      "carta_compromiso_cab where taller = 'TFAULT1'")) &&
                q.next());
        QCOMPARE(q.value(0).toInt(), 1);
        QCOMPARE(q.value(1).toInt(), 2);
    }

    // A new conversion or work order whose answer is lost after its COMMIT:
    // "Guardar" again under the same ticket finds it stored and stores no
    // second order (its number is chosen on the server, so nothing else
    // would tell the two apart).
    void ordersWhoseAnswerIsLostAreStoredOnce()
    {
        dm1().configure(Conn::PostVenta, {relay->hostPort(), kDb, TestDb::user(), TestDb::password(), QString()});
        const QList<std::function<int(WriteOnce::Ticket &)>> saves = {
            [](WriteOnce::Ticket &t) {
                Orders::ConversionOrder o = sampleOrder(QStringLiteral("TFAULT2"), 2);
                return ConversionOrderStore::SaveNew(o, &t);
            },
            [](WriteOnce::Ticket &t) {
                WorkOrders::WorkOrder o = sampleWorkOrder(QStringLiteral("TFAULT2"), 2);
                return WorkOrderStore::SaveNew(o, nullptr, &t);
            }};
        for (const auto &save : saves) {
            dm1().connect(Conn::PostVenta);
            WriteOnce::Ticket ticket;
            relay->cutWhenAnswering(1);
            int first = 0;
            try {
                first = save(ticket);
            } catch (const DbError &) {
            }
            const int again = save(ticket);
            QVERIFY(first == 0 || first == again);
        }
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral(
                    "select (select count(*) from ott where taller = 'TFAULT2'), (select count(*) from ott_cil where "
                    "taller = 'TFAULT2'), (select count(*) from opv where taller = 'TFAULT2'), (select count(*) from "
                    "opv_fallas where taller_id = 'TFAULT2'), (select count(*) from opv_trabajo_realizado where "
                    "taller_id = 'TFAULT2')")) &&
                q.next());
        QCOMPARE((QList<int>{q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(),
                             q.value(4).toInt()}),
                 (QList<int>{1, 2, 1, 2, 2}));
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
    // the operator reads why, and the operation waits in the outbox under its
    // ticket; sent once the server answers, it is stored once however often
    // it goes.
    void stalledServerLeavesTheOperationInTheOutbox()
    {
        emptyOutbox();
        dm1().setLinkOptions(Conn::Operations, {2, false, {}});
        ScriptedPrompter prompter;
        const auto owned = filledForm(prompter, QStringLiteral("FA005EE"));
        TRevisionAnualForm &form = *owned;

        relay->stallOn(QByteArrayLiteral("insert into temp_usr"));
        QElapsedTimer t;
        t.start();
        pressAceptar(form);
        QVERIFY(t.elapsed() < 15000);
        const QString told = prompter.log.value(0);
        QVERIFY2(told.startsWith(QStringLiteral("info: El servidor de la base de datos no respondió en 2 segundos")) &&
                     told.contains(QStringLiteral("en espera de envío")),
                 qPrintable(prompter.log.join('|')));
        QCOMPARE(form.result(), int(QDialog::Accepted)); // the operator goes on with the next one
        QCOMPARE(Outbox::instance().count(), 1);
        relay->dropAll(); // what it held never reaches the server
        relay->setStalled(false);
        QCOMPARE(stored(QStringLiteral("FA005EE")), (QList<int>{0, 0, 0}));

        const OutboxEntry waiting = *Outbox::instance().entry(Outbox::instance().list().first().id);
        QVERIFY(waiting.ticket.unresolved);
        QCOMPARE(OutboxSend::Send(waiting, kToday).kind, OutboxSend::Result::Stored);
        // Sent again (its removal lost in a crash): found stored, not stored twice.
        QCOMPARE(OutboxSend::Send(waiting, kToday).kind, OutboxSend::Result::Stored);
        QCOMPARE(stored(QStringLiteral("FA005EE")), (QList<int>{1, 1, 1}));
        emptyOutbox();
    }

    // The background sender through a link cut at random moments, one cut a
    // round: every operation of the outbox is stored exactly once.
    void outboxSendsEachOperationOnceThroughRandomCuts()
    {
        emptyOutbox();
        ScriptedPrompter prompter;
        OperationRecord r = filledForm(prompter, QStringLiteral("FO000XX"))->record();
        for (int i = 0; i < 100; ++i) {
            r.dominio = QStringLiteral("FO%1XX").arg(i, 3, 10, QLatin1Char('0'));
            Outbox::instance().add(r, WriteOnce::Ticket(), {});
        }
        QRandomGenerator random(20261210);
        OutboxSender &sender = OutboxSender::instance();
        QSignalSpy rounds(&sender, &OutboxSender::roundDone);
        int cut = 0;
        for (int round = 0; round < 80 && Outbox::instance().count() > 0; ++round) {
            if (round < 40) {
                const quint64 at = 1 + random.bounded(8);
                random.bounded(2) ? relay->cutAtBurst(at) : relay->cutWhenAnswering(at);
            }
            sender.sendNow();
            QVERIFY(rounds.wait(60000));
            if (!rounds.last().at(1).toString().isEmpty())
                ++cut;
            relay->clearFaults();
        }
        QVERIFY(cut > 0);
        QVERIFY2(Outbox::instance().count() == 0,
                 qPrintable(Outbox::instance().list().value(0).lastError)); // none refused either
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral(
            "select (select count(*) from temp_usr where udominio like 'FO%'), (select count(distinct udominio) "
            "from temp_usr where udominio like 'FO%'), (select count(*) from temp_cil where udominio like 'FO%')")));
        QVERIFY(q.next());
        for (int column = 0; column < 3; ++column)
            QCOMPARE(q.value(column).toInt(), 100);
    }

    // A server that cannot be reached: the operator reads what to do; the
    // host and the client's own text go to the box's "Detalles" and the log.
    void unreachableServerIsExplainedWithDetailsLogged()
    {
        dm1().configure(Conn::Sister, {QStringLiteral("127.0.0.1:1"), QStringLiteral("x"), QStringLiteral("u"),
                                       QStringLiteral("p"), QStringLiteral("Hermana")});
        QString shown;
        Msg::setHook([&](Msg::Kind, const QString &text) {
            shown = text;
            return false;
        });
        try {
            dm1().connect(Conn::Sister);
            QFAIL("nobody listens on port 1");
        } catch (const DbError &e) {
            Msg::error(nullptr, e.text());
        }
        Msg::setHook({});
        dm1().configure(Conn::Sister, {});
        QVERIFY2(shown.contains(QStringLiteral("Revise la conexión a Internet")) &&
                     !shown.contains(QLatin1String("127.0.0.1")),
                 qPrintable(shown));
        QFile log(ErrorLog::path());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString last = QString::fromUtf8(log.readAll()).trimmed().split(QLatin1Char('\n')).last();
        QVERIFY2(last.contains(shown) && last.contains(QLatin1String("127.0.0.1:1")), qPrintable(last));
    }

    // A mistaken tarvil.ini is explained in Spanish: what ends the program,
    // and what only leaves a default in place.
    void configurationMistakesAreExplained_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "-" for no file
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QString>("said");
        QTest::newRow("no file") << QByteArray("-") << true << "No se encuentra el archivo de configuración";
        QTest::newRow("empty") << QByteArray("\r\n") << true << "está vacío o no tiene la sección [DATA]";
        QTest::newRow("no ID") << QByteArray("[DATA]\nSERVER=W\n") << true << "Falta el ID de la instalación";
        QTest::newRow("letter") << QByteArray("[DATA]\nID=OLIV01\nSERVER=w\n") << false
                                << "SERVER=w en tarvil.ini no es una letra de servidor";
        QTest::newRow("timeout text") << QByteArray("[DATA]\nID=OLIV01\nTIMEOUT=treinta\n") << false
                                      << "TIMEOUT=treinta en tarvil.ini no es un número de segundos entre 1 y 600";
        QTest::newRow("timeout range") << QByteArray("[DATA]\nID=OLIV01\nTIMEOUT=900\n") << false
                                       << "TIMEOUT=900 en tarvil.ini no es un número";
        QTest::newRow("TLS without CA") << QByteArray("[DATA]\nID=OLIV01\nTLS=SI\n") << false << "falta TLS_CA";
    }
    void configurationMistakesAreExplained()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ends);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tarvil.ini"));
        if (bytes != "-") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        const IniConfig ini = ReadIni(path);
        const QString told = ends ? ini.fatal : ini.warnings.join(QLatin1Char('|'));
        QVERIFY2(told.contains(said), qPrintable(told));
        QCOMPARE(ini.fatal.isEmpty(), !ends);
        if (!ends)
            QCOMPARE(ini.timeoutSeconds, 30); // the default stays
    }
};

QTEST_MAIN(TstFaults)
#include "tst_faults.moc"
