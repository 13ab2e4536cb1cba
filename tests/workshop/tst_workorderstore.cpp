// Work orders on the real server: the order with its faults and jobs saved
// whole or not at all, numbered per workshop with two workstations at once,
// empty dates as NULL, the pre-fill and warranty look-ups, and the lists.
#include "data/dm1.h"
#include "data/workorderstore.h"
#include "postsalesdb.h"
#include "sampleworkorder.h"
#include "testdb.h"

#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using WorkOrders::WorkOrder;

namespace
{
const QString kOps = QStringLiteral("t_wostore_ops");
const QString kPv = QStringLiteral("t_wostore_pv");
const QString kSister = QStringLiteral("t_wostore_sister");
} // namespace

class TstWorkOrderStore : public QObject
{
    Q_OBJECT
    QSqlDatabase db, ops;

    int count(const QString &sql)
    {
        QSqlQuery q(db);
        if (!q.exec(sql) || !q.next())
            qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return q.value(0).toInt();
    }
    QVariant value(const QString &sql)
    {
        QSqlQuery q(db);
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    int save(WorkOrder o) { return WorkOrderStore::SaveNew(o); }

private slots:
    void initTestCase()
    {
        db = PostSalesDb::create(kOps, kPv);
        ops = QSqlDatabase::database(kOps);
        dm1().configure(Conn::Operations, {TestDb::host(), kOps, TestDb::user(), TestDb::password(), QString()});
        dm1().configure(Conn::PostVenta, {TestDb::host(), kPv, TestDb::user(), TestDb::password(), QString()});
        TestDb::exec(db, QStringLiteral("INSERT INTO propietarios (propietario_id, propietario, tipoDoc, nroDoc) "
                                        "VALUES (7, 'LUNA ESTEBAN', 'DNI', '31456789'), (8, 'PAZ ANA', 'DNI', '2')"));
    }
    void init()
    {
        for (const char *t : {"opv", "opv_fallas", "opv_trabajo_realizado", "ott"})
            TestDb::exec(db, QStringLiteral("DELETE FROM %1").arg(QLatin1String(t)));
        TestDb::exec(db, QStringLiteral("DROP TRIGGER IF EXISTS trabajo_falla"));
    }
    void cleanupTestCase()
    {
        dm1().closeAll();
        PostSalesDb::drop(kOps, kPv);
        TestDb::drop(kSister);
    }

    void savedWholeAndReadBack()
    {
        QCOMPARE(save(sampleWorkOrder()), 1);
        QCOMPARE(save(sampleWorkOrder(QStringLiteral("TAL0005"))), 1);
        WorkOrder o = sampleWorkOrder(QStringLiteral("TDM0001"), 3);
        o.entregaFecha = {};
        o.garantia = QStringLiteral("RE");
        QCOMPARE(WorkOrderStore::SaveNew(o), 2);
        QVERIFY(o.faults[1].rowId > 0 && o.jobs[2].rowId > 0);
        // An empty date is NULL, never the zero day, and reads back empty.
        QVERIFY(value("select entrega_fecha from opv where taller = 'TDM0001' and opv_nro = 2").isNull());
        QVERIFY(value("select entregado_fecha from opv where taller = 'TDM0001' and opv_nro = 2").isNull());

        const std::optional<WorkOrder> back = WorkOrderStore::Load(QStringLiteral("TDM0001"), 2);
        QVERIFY(back);
        QCOMPARE(back->entregaFecha, QDate());
        QCOMPARE(back->clienteNombre, QStringLiteral("LUNA ESTEBAN"));
        QCOMPARE(back->nroDoc, QStringLiteral("31456789"));
        QCOMPARE(back->concesionarioNombre, QStringLiteral("OESTE MOTORS"));
        QCOMPARE(back->recepcionistaNombre, QStringLiteral("ACOSTA LEANDRO"));
        WorkOrder expected = o;
        expected.clienteNombre = back->clienteNombre;
        expected.tipoDoc = back->tipoDoc;
        expected.nroDoc = back->nroDoc;
        expected.concesionarioNombre = back->concesionarioNombre;
        expected.recepcionistaNombre = back->recepcionistaNombre;
        QCOMPARE(*back, expected);

        // An order whose receptionist left reads as not found.
        TestDb::exec(db, QStringLiteral("UPDATE opv SET recepcionista = 99 WHERE taller = 'TAL0005'"));
        QVERIFY(!WorkOrderStore::Load(QStringLiteral("TAL0005"), 1));
    }

    void newOrderIsStoredAndReadBackInOneExchange()
    {
        WorkOrder o = sampleWorkOrder(QStringLiteral("TDM0001"), 4);
        o.faults.push_back({0, 2, QStringLiteral("PIERDE GAS")});
        dm1().connect(Conn::PostVenta);
        dm1().resetExchangeCount();
        std::optional<WorkOrder> stored;
        QCOMPARE(WorkOrderStore::SaveNew(o, &stored), 1);
        QCOMPARE(dm1().exchangeCount(), quint64(1));
        QVERIFY(stored);
        QCOMPARE(stored->faults.size(), 3);
        QCOMPARE(stored->jobs.size(), 4);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(o.faults[i].rowId, stored->faults[i].rowId);
        QCOMPARE(o.jobs[3].rowId, stored->jobs[3].rowId);
        QCOMPARE(*stored, *WorkOrderStore::Load(QStringLiteral("TDM0001"), 1));
    }

    void failedJobInsertStoresNothing()
    {
        TestDb::exec(db, QStringLiteral("CREATE TRIGGER trabajo_falla BEFORE INSERT ON opv_trabajo_realizado FOR "
                                        "EACH ROW SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'trabajo rechazado'"));
        WorkOrder o = sampleWorkOrder();
        QVERIFY_THROWS_EXCEPTION(DbError, WorkOrderStore::SaveNew(o));
        QCOMPARE(o.numero, 0);
        QCOMPARE(count("select count(*) from opv") + count("select count(*) from opv_fallas"), 0);
    }

    void editKeepsTheAreaCodeAndWritesEmptyDatesAsNull()
    {
        save(sampleWorkOrder());
        WorkOrder o = *WorkOrderStore::Load(QStringLiteral("TDM0001"), 1);
        o.cliente = 8;
        o.celular = QStringLiteral("99887766");
        o.celularCarac = QStringLiteral("351");
        o.entregaFecha = {};
        o.km = 70000;
        WorkOrderStore::SaveEdit(o);
        QCOMPARE(value("select concat(cliente, '|', celular, '|', celular_carac, '|', km, '|', "
                       "ifnull(entrega_fecha, 'NULL')) from opv")
                     .toString(),
                 QStringLiteral("8|99887766|11|70000|NULL"));

        const int row = WorkOrderStore::AddFault(o.taller, o.numero, 2);
        QCOMPARE(WorkOrderStore::Faults(o.taller, o.numero).last(), (WorkOrders::Fault{row, 2, "PIERDE GAS"}));
        WorkOrderStore::RemoveFault(o.faults.first().rowId);
        QCOMPARE(WorkOrderStore::Faults(o.taller, o.numero).size(), 2);
        const int job = WorkOrderStore::AddJob(o.taller, o.numero, 2, 3);
        QCOMPARE(WorkOrderStore::Jobs(o.taller, o.numero).last().technicianName, QStringLiteral("CORIA MATIAS"));
        WorkOrderStore::RemoveJob(job);
        QCOMPARE(WorkOrderStore::Jobs(o.taller, o.numero).size(), 1);
    }

    // The conversion order wins over a later work order of the plate; an
    // order whose owner is gone is passed over.
    void prefillFromTheConversionOrderFirst()
    {
        TestDb::exec(db, QStringLiteral("INSERT INTO ott (taller, ott_nro, fecha, dominio, propietario, "
                                        "propietario_id, marca, modelo, vin, celular, celular_carac, cliente) VALUES "
                                        "('TDM0001', 1, '2026-01-10', 'AB123CD', 'LUNA E.', 7, 'FORD', 'FOCUS', "
                                        "'VIN-OTT', '1122', '11', 1), ('TDM0001', 2, '2026-02-10', 'CD456EF', "
                                        "'NADIE', 99, 'FORD', 'FOCUS', 'X', '1', '1', 1)"));
        WorkOrder later = sampleWorkOrder();
        later.fecha = QDate(2026, 11, 1);
        save(later);
        std::optional<WorkOrders::Prefill> p = WorkOrderStore::PrefillFor(QStringLiteral("AB123CD"));
        QVERIFY(p && p->fromConversionOrder);
        QCOMPARE(p->ownerName, QStringLiteral("LUNA E."));
        QCOMPARE((QStringList{p->marca, p->modelo, p->vin, p->celular}),
                 (QStringList{"FORD", "FOCUS", "VIN-OTT", "1122"}));
        QCOMPARE(p->concesionario, 1);

        later.dominio = QStringLiteral("CD456EF");
        later.vin = QStringLiteral("VIN-OPV");
        save(later);
        p = WorkOrderStore::PrefillFor(QStringLiteral("CD456EF"));
        QVERIFY(p && !p->fromConversionOrder);
        QCOMPARE(p->vin, QStringLiteral("VIN-OPV"));
        QCOMPARE(p->cliente, 7);
        QVERIFY(!WorkOrderStore::PrefillFor(QStringLiteral("ZZ999ZZ")));
    }

    // Only conversions of workshops with `garantia` 1 count, on whichever
    // central database is asked.
    void warrantyConversions()
    {
        TestDb::exec(ops, QStringLiteral("DELETE FROM usr"));
        TestDb::exec(ops, QStringLiteral("DELETE FROM tal"));
        TestDb::exec(ops,
                     QStringLiteral("INSERT INTO tal (tcodigoint, garantia) VALUES ('TGAR001', 1), ('TSIN001', 0)"));
        TestDb::exec(ops, QStringLiteral("INSERT INTO usr (codtal, talcuit, tnrointopr, udominio, ucodgest, "
                                         "ufechab, ufecvenhab) VALUES ('TSIN001', '1', 1, 'AB123CD', 'C', "
                                         "'2026-06-01', '2027-06-01'), ('TGAR001', '2', 2, 'CD456EF', 'M', "
                                         "'2026-06-01', '2027-06-01'), ('TGAR001', '3', 3, 'EF789GH', 'C', "
                                         "'2026-05-02', '2027-05-02')"));
        QVERIFY(!WorkOrderStore::WarrantyConversion(Conn::Operations, QStringLiteral("AB123CD")));
        QVERIFY(!WorkOrderStore::WarrantyConversion(Conn::Operations, QStringLiteral("CD456EF")));
        const auto c = WorkOrderStore::WarrantyConversion(Conn::Operations, QStringLiteral("EF789GH"));
        QVERIFY(c);
        QCOMPARE(c->expiry, QDate(2027, 5, 2));
        QCOMPARE(c->enabled, QDate(2026, 5, 2));

        QSqlDatabase sister = TestDb::create(kSister, kSister);
        dm1().configure(Conn::Sister, {TestDb::host(), kSister, TestDb::user(), TestDb::password(), QString()});
        QVERIFY(!WorkOrderStore::WarrantyConversion(Conn::Sister, QStringLiteral("EF789GH")));
        dm1().closeConnection(Conn::Sister);
    }

    void querySearchAndPeriodListing()
    {
        const QList<std::tuple<QString, QDateTime, QString>> orders = {
            {"TDM0001", QDateTime(QDate(2026, 12, 1), QTime(9, 0)), "SI"},
            {"TDM0001", QDateTime(QDate(2026, 12, 9), QTime(17, 45)), "NO"}, // the last day, late
            {"TDM0001", QDateTime(QDate(2026, 12, 5), QTime(8, 0)), "RE"},
            {"TAL0005", QDateTime(QDate(2026, 12, 3), QTime(8, 0)), "NO"},
            {"TAL0005", QDateTime(QDate(2026, 11, 30), QTime(8, 0)), "SI"}};
        for (const auto &[taller, when, garantia] : orders) {
            WorkOrder o = sampleWorkOrder(taller);
            o.garantia = garantia;
            save(o);
            TestDb::exec(
                db, QStringLiteral("UPDATE opv SET fecha = '%1' WHERE taller = '%2' AND opv_nro = %3")
                        .arg(when.toString(Qt::ISODate), taller)
                        .arg(count(QStringLiteral("select max(opv_nro) from opv where taller = '%1'").arg(taller))));
        }
        auto listed = [](bool con, bool sin, bool all = true) {
            const WorkOrders::ListFilter f = WorkOrders::BuildList(
                {QDate(2026, 12, 1), QDate(2026, 12, 9), all, QStringLiteral("TDM0001"), con, sin});
            QStringList out;
            for (const WorkOrderStore::PeriodRow &r : WorkOrderStore::List(f))
                out << QStringLiteral("%1/%2 %3").arg(r.taller).arg(r.numero).arg(r.garantia);
            return out;
        };
        QCOMPARE(listed(true, true), QStringList({"TDM0001/1 SI", "TAL0005/1 NO", "TDM0001/2 NO"}));
        QCOMPARE(listed(false, false), listed(true, true)); // either value; "RE" never
        QCOMPARE(listed(true, false), QStringList({"TDM0001/1 SI"}));
        QCOMPARE(listed(false, true, false), QStringList({"TDM0001/2 NO"}));
        const auto first = WorkOrderStore::List(
            WorkOrders::BuildList({QDate(2026, 12, 1), QDate(2026, 12, 1), true, QString(), true, true}));
        QCOMPARE(first.size(), 1);
        QCOMPARE(first[0].concesionario, QStringLiteral("OESTE MOTORS"));
        QCOMPARE(first[0].importe, 42500.5);

        OrderSearch::Input in;
        in.kind = OrderSearch::Kind::Periodo;
        in.from = QDate(2026, 12, 9);
        in.to = QDate(2026, 12, 9);
        QCOMPARE(WorkOrderStore::Find(OrderSearch::Build(in).filter).size(), 1);
        in.kind = OrderSearch::Kind::Dominio;
        in.text = QStringLiteral("AB123CD");
        QVector<int> numbers;
        for (const auto &r : WorkOrderStore::Find(OrderSearch::Build(in).filter))
            numbers << r.numero;
        QCOMPARE(numbers, QVector<int>({1, 1, 2, 2, 3})); // lowest number first
    }

    // Two workstations of one workshop saving at the same moment: every
    // order gets a number of its own and arrives with its faults and jobs.
    void twoWorkstationsSaveTogether()
    {
        const int each = 20;
        QProcess first, second;
        for (QProcess *p : {&first, &second})
            p->start(QStringLiteral(ORDER_SAVER), {kPv, QStringLiteral("TCONC01"), QString::number(each), "opv"});
        for (QProcess *p : {&first, &second}) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
        }
        QCOMPARE(count("select count(distinct opv_nro) from opv where taller = 'TCONC01'"), 2 * each);
        QCOMPARE(count("select max(opv_nro) from opv where taller = 'TCONC01'"), 2 * each);
        QCOMPARE(count("select count(*) from opv_fallas where taller_id = 'TCONC01'"), 2 * 2 * each);
        QCOMPARE(count("select count(*) from opv o where taller = 'TCONC01' and (select count(*) from "
                       "opv_trabajo_realizado t where t.taller_id = o.taller and t.opv_nro = o.opv_nro) <> 2"),
                 0);
    }
};

QTEST_GUILESS_MAIN(TstWorkOrderStore)
#include "tst_workorderstore.moc"
