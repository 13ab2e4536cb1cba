// Pending operations on the real server: what each kind stores column by
// column, that the save and its replacement are all-or-nothing, and that
// attachments travel byte for byte.
#include "core/pendingsave.h"
#include "data/dm1.h"
#include "data/pendingstore.h"
#include "pendingbuilders.h"
#include "testdb.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

class TstPendingStore : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_pendingstore");
    const QDate today{2026, 12, 9};
    QTemporaryDir dir;

    static GlobalState workshop() { return Builders::workshop(); }
    static CylinderRow cylinder(const QString &serial, const QString &code = QStringLiteral("C060"))
    {
        return Builders::cylinder(serial, code);
    }
    static OperationRecord renewal(const QString &plate = QStringLiteral("AB123CD"))
    {
        return Builders::renewal(plate);
    }

    QSqlRecord row(const QString &sql, const QVariant &id)
    {
        QSqlQuery q(db);
        q.prepare(sql);
        q.addBindValue(id);
        if (!q.exec() || !q.next())
            return {};
        return q.record();
    }
    int count(const QString &table, const QString &where = QStringLiteral("1=1"))
    {
        QSqlQuery q(db);
        q.exec(QStringLiteral("select count(*) from ") + table + QStringLiteral(" where ") + where);
        q.next();
        return q.value(0).toInt();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        db = TestDb::create(dbName);
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), QString()});
        TestDb::exec(db, QStringLiteral(
                             "insert into codcil (CODIGO, MARCA, MODELO, VENC) values ('C060', 'INFLEX', '60 L', 3)"));
    }
    void cleanupTestCase()
    {
        dm1().closeAll();
        db.close();
        TestDb::drop(dbName);
    }
    void init()
    {
        TestDb::exec(db, QStringLiteral("delete from temp_usr"));
        TestDb::exec(db, QStringLiteral("delete from temp_reg"));
        TestDb::exec(db, QStringLiteral("delete from temp_cil"));
    }

    void renewalStoresEveryColumn()
    {
        OperationRecord r = renewal();
        r.accesorios[8] = QStringLiteral("LLV1");  // row "Sistema de Venteo"
        r.accesorios[10] = QStringLiteral("CNM2"); // row "LLave Conmutadora"
        r.accesorios[11] = QStringLiteral("NS-9");
        r.accesorios[16] = QStringLiteral("MG01"); // row "Manguera Baja Pres."
        r.accesorios[17] = QStringLiteral("M-77");
        const int id = PendingStore::Save(r, workshop(), today);
        QVERIFY(id > 0);

        const QSqlRecord u = row(QStringLiteral("select * from temp_usr where id = ?"), id);
        const QList<QPair<const char *, QVariant>> expected = {{"peccod", QStringLiteral("P001")},
                                                               {"codtal", QStringLiteral("T000123")},
                                                               {"talcuit", QStringLiteral("30-71234567-9")},
                                                               {"pmatreshab", QStringLiteral("PM-100")},
                                                               {"rmatreshab", QStringLiteral("RM-200")},
                                                               {"udominio", QStringLiteral("AB123CD")},
                                                               {"ucodgest", QStringLiteral("R")},
                                                               {"udescgest", QStringLiteral("REVISION")},
                                                               {"uobleaant", QStringLiteral("0001234567")},
                                                               {"uobanoant", QStringLiteral("25")},
                                                               {"umarca", QStringLiteral("FIAT")},
                                                               {"umodelo", QStringLiteral("SIENA 1.4")},
                                                               {"utipuso", QStringLiteral("3")},
                                                               {"uano", QStringLiteral("2012")},
                                                               {"uapeynom", QStringLiteral("PEREZ JUAN CARLOS")},
                                                               {"utipdoc", QStringLiteral("CUIT")},
                                                               {"unrodoc", QStringLiteral("20-12345678-3")},
                                                               {"ucalle", QStringLiteral("SAN MARTIN 1234")},
                                                               {"unro", QString(QLatin1String(""))},
                                                               {"ubarrio", QStringLiteral("CENTRO")},
                                                               {"ucodpostal", QStringLiteral("5000")},
                                                               {"ulocalidad", QStringLiteral("CORDOBA")},
                                                               {"uprovincia", QStringLiteral("CORDOBA")},
                                                               {"utelefono", QStringLiteral("5551234")},
                                                               {"UCARACT", QStringLiteral("351")},
                                                               {"te_tipo", QStringLiteral("CELULAR")},
                                                               {"email", QStringLiteral("juan@example.com")},
                                                               {"uobservac", QStringLiteral("SIN OBSERVACIONES")},
                                                               {"inyeccion", QStringLiteral("S")},
                                                               {"vin", QStringLiteral("9BD17164G52345678")},
                                                               {"estado", 0},
                                                               {"dnipath", QString(QLatin1String(""))},
                                                               {"LLAVEC_COD", QStringLiteral("LLV1")},
                                                               {"VENTEO_COD", QStringLiteral("CNM2")},
                                                               {"VENTEO_NRO", QStringLiteral("NS-9")},
                                                               {"MANG_COD", QStringLiteral("MG01")},
                                                               {"MANG_NRO", QStringLiteral("M-77")},
                                                               {"SUJCIL_COD", QString(QLatin1String(""))}};
        for (const auto &[column, value] : expected)
            QVERIFY2(
                u.value(QLatin1String(column)).toString() == value.toString(),
                qPrintable(QLatin1String(column) + QStringLiteral(" = ") + u.value(QLatin1String(column)).toString()));
        QCOMPARE(u.value("ufecrev").toDate(), QDate(2026, 12, 9));
        QCOMPARE(u.value("ufecmont").toDate(), QDate(2026, 12, 9));
        QCOMPARE(u.value("ufechab").toDate(), QDate(2026, 12, 9));
        QCOMPARE(u.value("ufecvenhab").toDate(), QDate(2027, 12, 9));
        // No attachment: empty content, not NULL.
        QVERIFY(!u.value("dnistring").isNull());
        QCOMPARE(u.value("dnistring").toByteArray().size(), 0);

        const QSqlRecord g = row(QStringLiteral("select * from temp_reg where id = ?"), id);
        QCOMPARE(g.value("rcodregh").toString(), QStringLiteral("R01"));
        QCOMPARE(g.value("rnroserie").toString(), QStringLiteral("RS-1"));
        QCOMPARE(g.value("rcodgest").toString(), QStringLiteral("S"));
        QCOMPARE(g.value("talcuit").toString(), QStringLiteral("30-71234567-9"));

        const QSqlRecord c = row(QStringLiteral("select * from temp_cil where id = ?"), id);
        const QList<QPair<const char *, QString>> cyl = {{"cilcodh", QStringLiteral("C060")},
                                                         {"cnroserie", QStringLiteral("S1")},
                                                         {"ccodgest", QStringLiteral("S")},
                                                         {"ccapacidad", QStringLiteral("60")},
                                                         {"cmesfabr", QStringLiteral("03")},
                                                         {"canofabr", QStringLiteral("12")},
                                                         {"cuphmes", QStringLiteral("05")},
                                                         {"cuphano", QStringLiteral("19")},
                                                         {"cuphcrpc", QStringLiteral("CR01")},
                                                         {"cuphresult", QStringLiteral("A")},
                                                         {"cnuevo", QStringLiteral("N")},
                                                         {"valcod", QStringLiteral("V10")},
                                                         {"valnro", QStringLiteral("VNS1")},
                                                         {"valgest", QStringLiteral("S")},
                                                         {"nrocertif", QStringLiteral("CR01000777")},
                                                         {"udominio", QStringLiteral("AB123CD")}};
        for (const auto &[column, value] : cyl)
            QVERIFY2(
                c.value(QLatin1String(column)).toString() == value,
                qPrintable(QLatin1String(column) + QStringLiteral(" = ") + c.value(QLatin1String(column)).toString()));
        QCOMPARE(c.value("cfecgest").toDate(), today);
        QCOMPARE(c.value("fecvencrpc").toDate(), QDate(2022, 5, 31)); // VENC 3 years, end of month
    }

    void conversionWithTwoCylinders()
    {
        OperationRecord r = renewal(QStringLiteral("AC456DE"));
        r.kind = QStringLiteral("C");
        r.description = QStringLiteral("CONVERSION");
        r.obleaAnt.clear();
        r.regulador.gestion = QStringLiteral("MONTAJE");
        CylinderRow second = cylinder(QStringLiteral("S2"), QStringLiteral("X999")); // not in the catalogue
        second.gestion = QStringLiteral("MONTAJE");
        second.cNuevo = QStringLiteral("SI");
        second.uphTaller = QStringLiteral("FAB");
        second.uphFecha = QStringLiteral("11/2026");
        second.fabricac = QStringLiteral("11/2026");
        second.nroCertif.clear();
        r.cylinders = {cylinder(QStringLiteral("S1")), second};
        const int id = PendingStore::Save(r, workshop(), today);
        QCOMPARE(count(QStringLiteral("temp_cil"), QStringLiteral("id = %1").arg(id)), 2);
        const QSqlRecord c = row(QStringLiteral("select * from temp_cil where id = ? and cnroserie = 'S2'"), id);
        QCOMPARE(c.value("ccodgest").toString(), QStringLiteral("M"));
        QCOMPARE(c.value("cnuevo").toString(), QStringLiteral("S"));
        QCOMPARE(c.value("cuphcrpc").toString(), QStringLiteral("FAB"));
        QCOMPARE(c.value("fecvencrpc").toDate(), QDate(2031, 11, 30)); // 5 years when not catalogued
        QCOMPARE(row(QStringLiteral("select rcodgest from temp_reg where id = ?"), id).value(0).toString(),
                 QStringLiteral("M"));
    }

    void modificationRetiringTheRegulator()
    {
        OperationRecord r = renewal(QStringLiteral("AD789FG"));
        r.kind = QStringLiteral("M");
        r.regulador.gestion = QStringLiteral("BAJA");
        r.hasSecondRegulator = true;
        r.reguladorNuevo = {QStringLiteral("R02"), QString(), QStringLiteral("RS-2"), QStringLiteral("MONTAJE"),
                            QStringLiteral("SI")};
        int id = PendingStore::Save(r, workshop(), today);
        QSqlQuery q(db);
        q.exec(QStringLiteral("select rcodregh, rnroserie, rcodgest from temp_reg where id = %1 order by rcodgest")
                   .arg(id));
        QStringList got;
        while (q.next())
            got << q.value(0).toString() + QLatin1Char('/') + q.value(1).toString() + QLatin1Char('/') +
                       q.value(2).toString();
        QCOMPARE(got, (QStringList{QStringLiteral("R01/RS-1/B"), QStringLiteral("R02/RS-2/M")}));

        // Without the new regulator's code only the old one is written.
        r.reguladorNuevo.codigo.clear();
        id = PendingStore::Save(r, workshop(), today);
        QCOMPARE(count(QStringLiteral("temp_reg"), QStringLiteral("id = %1").arg(id)), 1);
    }

    void dismantlingStoresNoEnablingDates()
    {
        OperationRecord r = renewal(QStringLiteral("AE000AA"));
        PendingStore::Save(r, workshop(), today);
        r.kind = QStringLiteral("B");
        r.description = QStringLiteral("DESMONTAJE");
        const int id = PendingStore::Save(r, workshop(), today);
        const QSqlRecord u = row(QStringLiteral("select ufechab, ufecvenhab, ufecmont from temp_usr where id = ?"), id);
        QVERIFY(u.value("ufechab").isNull());
        QVERIFY(u.value("ufecvenhab").isNull());
        QCOMPARE(u.value("ufecmont").toDate(), QDate(2026, 12, 9));
    }

    void attachmentsRoundTripAndUnreadableOnesStopTheSave()
    {
        QByteArray jpeg(512000, Qt::Uninitialized);
        QRandomGenerator gen(7);
        for (char &ch : jpeg)
            ch = char(gen.bounded(256));
        const QString path = dir.filePath(QStringLiteral("frente.jpg"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(jpeg);
        f.close();

        OperationRecord r = renewal(QStringLiteral("AF111BB"));
        r.attachmentPaths[0] = path;
        const int id = PendingStore::Save(r, workshop(), today);
        const QSqlRecord u =
            row(QStringLiteral("select dnistring, dnipath, dorsostring from temp_usr where id = ?"), id);
        QVERIFY(u.value("dnistring").toByteArray() == jpeg);
        QCOMPARE(u.value("dnipath").toString(), path);
        QCOMPARE(u.value("dorsostring").toByteArray().size(), 0);

        const int before = count(QStringLiteral("temp_usr"));
        r.attachmentPaths[2] = dir.filePath(QStringLiteral("no-existe.pdf"));
        try {
            PendingStore::Save(r, workshop(), today);
            QFAIL("a missing attachment must stop the save");
        } catch (const PendingStore::AttachmentError &e) {
            QVERIFY(e.text().contains(QStringLiteral("no-existe.pdf")));
        }
        QCOMPARE(count(QStringLiteral("temp_usr")), before);
    }

    void aFailureOnTheLastInsertLeavesNothing()
    {
        OperationRecord r = renewal(QStringLiteral("AG222CC"));
        const int old = PendingStore::Save(r, workshop(), today);
        TestDb::exec(db, QStringLiteral("create trigger fail_cil before insert on temp_cil for each row "
                                        "signal sqlstate '45000' set message_text = 'rechazado por la prueba'"));
        bool failed = false;
        try {
            PendingStore::Save(r, workshop(), today, old); // replacement fails at the cylinders
        } catch (const DbError &e) {
            failed = true;
            QVERIFY2(e.text().contains(QStringLiteral("rechazado por la prueba")), qPrintable(e.text()));
        }
        TestDb::exec(db, QStringLiteral("drop trigger fail_cil"));
        QVERIFY(failed);
        // The old pending operation is still whole; nothing new was left behind.
        QCOMPARE(count(QStringLiteral("temp_usr")), 1);
        QCOMPARE(count(QStringLiteral("temp_usr"), QStringLiteral("id = %1").arg(old)), 1);
        QCOMPARE(count(QStringLiteral("temp_reg"), QStringLiteral("id = %1").arg(old)), 1);
        QCOMPARE(count(QStringLiteral("temp_cil"), QStringLiteral("id = %1").arg(old)), 1);
        QCOMPARE(count(QStringLiteral("temp_reg")), 1);
    }

    void editAndResaveLeavesOnePendingWithANewId()
    {
        OperationRecord r = renewal(QStringLiteral("AH333DD"));
        r.cylinders << cylinder(QStringLiteral("S2")) << cylinder(QStringLiteral("S3"));
        const int first = PendingStore::Save(r, workshop(), today);
        r.estado = 0;
        r.cylinders.removeLast();
        const int second = PendingStore::Save(r, workshop(), today, first);
        QVERIFY(second > first);
        QCOMPARE(count(QStringLiteral("temp_usr"), QStringLiteral("udominio = 'AH333DD'")), 1);
        QCOMPARE(count(QStringLiteral("temp_cil"), QStringLiteral("id = %1").arg(first)), 0);
        QCOMPARE(count(QStringLiteral("temp_cil"), QStringLiteral("id = %1").arg(second)), 2);

        PendingStore::Delete(second);
        QCOMPARE(count(QStringLiteral("temp_usr"), QStringLiteral("id = %1").arg(second)), 0);
        QCOMPARE(count(QStringLiteral("temp_reg"), QStringLiteral("id = %1").arg(second)), 0);
        QCOMPARE(count(QStringLiteral("temp_cil"), QStringLiteral("id = %1").arg(second)), 0);
    }

    // An edited pending operation is replaced only while the PEC has not
    // verified it, and only once: a second re-save of the same edit, or a
    // verification in between, leaves everything as it was.
    void editedPendingIsReplacedOnlyWhileStillPending()
    {
        OperationRecord r = renewal(QStringLiteral("AK555FF"));
        const int first = PendingStore::Save(r, workshop(), today);
        const int second = PendingStore::Save(r, workshop(), today, first);
        try {
            PendingStore::Save(r, workshop(), today, first); // the same edit saved again elsewhere
            QFAIL("the old pending operation is gone");
        } catch (const PendingStore::NotPending &e) {
            QCOMPARE(e.reason(), PendingStore::NotPending::Reason::Gone);
            QVERIFY2(e.text().contains(QStringLiteral("no se guardó ningún cambio")), qPrintable(e.text()));
        }
        QCOMPARE(count(QStringLiteral("temp_usr"), QStringLiteral("udominio = 'AK555FF'")), 1);

        TestDb::exec(db, QStringLiteral("update temp_usr set estado = 2 where id = %1").arg(second));
        try {
            PendingStore::Save(r, workshop(), today, second);
            QFAIL("a verified operation cannot be replaced");
        } catch (const PendingStore::NotPending &e) {
            QCOMPARE(e.reason(), PendingStore::NotPending::Reason::Verified);
        }
        QVERIFY_THROWS_EXCEPTION(PendingStore::NotPending, PendingStore::Delete(second));
        QCOMPARE(count(QStringLiteral("temp_usr"), QStringLiteral("id = %1 and estado = 2").arg(second)), 1);
        QCOMPARE(count(QStringLiteral("temp_reg"), QStringLiteral("id = %1").arg(second)), 1);
        QCOMPARE(count(QStringLiteral("temp_cil"), QStringLiteral("id = %1").arg(second)), 1);
        QCOMPARE(count(QStringLiteral("temp_usr"), QStringLiteral("udominio = 'AK555FF'")), 1);
        QVERIFY_THROWS_EXCEPTION(PendingStore::NotPending, PendingStore::Delete(first));
    }

    // A value longer than its column is refused, never stored cut; an
    // attachment that grew past the limit since it was attached is refused.
    void nothingIsCutSilently()
    {
        OperationRecord r = renewal(QStringLiteral("AL666GG"));
        r.regulador.nroSerie = QString(30, QLatin1Char('9'));
        try {
            PendingStore::Save(r, workshop(), today);
            QFAIL("a 30-character serial does not fit in 25");
        } catch (const DbError &e) {
            QVERIFY2(e.text().contains(QLatin1String("rnroserie")), qPrintable(e.text()));
        }
        QCOMPARE(count(QStringLiteral("temp_usr"), QStringLiteral("udominio = 'AL666GG'")), 0);

        r = renewal(QStringLiteral("AL666GG"));
        const QString path = dir.filePath(QStringLiteral("grande.pdf"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(512001, 'x'));
        f.close();
        r.attachmentPaths[2] = path;
        try {
            PendingStore::Save(r, workshop(), today);
            QFAIL("a file past 512000 bytes must not be stored");
        } catch (const PendingStore::AttachmentError &e) {
            QVERIFY2(e.text().contains(QLatin1String("menor a 512k")), qPrintable(e.text()));
        }
        QCOMPARE(count(QStringLiteral("temp_usr"), QStringLiteral("udominio = 'AL666GG'")), 0);
    }

    // Text that could break the statement's text, in the single-row and the
    // multi-row inserts, comes back exactly.
    void hostileTextIsStoredExactly()
    {
        const QString hostile = QStringLiteral("O'Hara \\ \"x\" %_ ñ😀") + QChar(0) + QStringLiteral(";--");
        OperationRecord r = renewal(QStringLiteral("AM777HH"));
        r.observaciones = hostile;
        r.nombre = QStringLiteral("D'ALESSIO \\ %_");
        r.regulador.nroSerie = QStringLiteral("R'\\%_") + QChar(0);
        r.cylinders = {cylinder(QStringLiteral("C'1\\")), cylinder(QStringLiteral("C_%2😀"))};
        const int id = PendingStore::Save(r, workshop(), today);
        const QSqlRecord u = row(QStringLiteral("select uobservac, uapeynom from temp_usr where id = ?"), id);
        QCOMPARE(u.value("uobservac").toString(), hostile);
        QCOMPARE(u.value("uapeynom").toString(), r.nombre);
        QCOMPARE(row(QStringLiteral("select rnroserie from temp_reg where id = ?"), id).value(0).toString(),
                 r.regulador.nroSerie);
        QSqlQuery q(db);
        q.exec(QStringLiteral("select cnroserie, valnro from temp_cil where id = %1 order by cnroserie").arg(id));
        QStringList serials;
        while (q.next())
            serials << q.value(0).toString() << q.value(1).toString();
        QCOMPARE(serials, (QStringList{QStringLiteral("C'1\\"), QStringLiteral("VNC'1\\"), QStringLiteral("C_%2😀"),
                                       QStringLiteral("VNC_%2😀")}));
    }

    // One exchange per save whatever the number of cylinders, once the
    // session knows the models' validity.
    void oneExchangeWhateverTheCylinders()
    {
        OperationRecord r = renewal(QStringLiteral("AJ444EE"));
        for (int n : {1, 8, 20}) {
            r.cylinders.clear();
            for (int i = 0; i < n; ++i)
                r.cylinders << cylinder(QStringLiteral("K%1").arg(i));
            dm1().resetExchangeCount();
            PendingStore::Save(r, workshop(), today);
            QCOMPARE(dm1().exchangeCount(), quint64(1));
            QCOMPARE(count(QStringLiteral("temp_cil"),
                           QStringLiteral("udominio = 'AJ444EE' and cnroserie = 'K%1'").arg(n - 1)),
                     1);
        }
    }
};

QTEST_GUILESS_MAIN(TstPendingStore)
#include "tst_pendingstore.moc"
