// "Aceptar" end to end below the form: checks against the central tables,
// the progress lines, and that nothing is written unless every check passed.
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dm1.h"
#include "operations/save/saveoperation.h"
#include "scriptedprompter.h"
#include "testdb.h"

#include <QSqlQuery>
#include <QtTest>

class RecordingProgress : public Progress
{
public:
    QStringList events;
    void open(int steps) override { events << QStringLiteral("open %1").arg(steps); }
    void line(const QString &text) override { events << text; }
    void position(int step) override { events << QStringLiteral("bar %1").arg(step); }
    void hide() override { events << QStringLiteral("hide"); }
};

class TstSaveOperation : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_saveoperation");
    const QDate today{2026, 12, 9};

    static OperationRecord conversion()
    {
        OperationRecord r;
        r.kind = QStringLiteral("C");
        r.description = QStringLiteral("CONVERSION");
        r.marca = QStringLiteral("VW");
        r.modelo = QStringLiteral("GOL");
        r.dominio = QStringLiteral("AA111BB");
        r.nombre = QStringLiteral("DIAZ ROSA");
        r.tipoDoc = QStringLiteral("DNI");
        r.nroDoc = QStringLiteral("25111222");
        r.calle = QStringLiteral("MITRE 10");
        r.codigoPostal = QStringLiteral("1900");
        r.localidad = QStringLiteral("LA PLATA");
        r.telefono = QStringLiteral("4221111");
        r.tipoUso = QStringLiteral("PARTICULAR");
        r.inyeccion = QStringLiteral("NO");
        r.regulador = {QStringLiteral("R01"), QString(), QStringLiteral("RS9"), QStringLiteral("MONTAJE"),
                       QStringLiteral("SI")};
        CylinderRow c;
        c.codigo = QStringLiteral("C060");
        c.nroSerie = QStringLiteral("NEW1");
        c.gestion = QStringLiteral("MONTAJE");
        c.fabricac = QStringLiteral("11/2026");
        c.uphTaller = QStringLiteral("FAB");
        c.uphFecha = QStringLiteral("11/2026");
        c.uphResult = QStringLiteral("APROBADO");
        c.cNuevo = QStringLiteral("SI");
        r.cylinders = {c};
        r.fechaMontaje = QDate(2026, 12, 9);
        r.fechaHabilitacion = QDate(2026, 12, 9);
        r.fechaVencimiento = QDate(2027, 12, 9);
        return r;
    }
    int pending()
    {
        QSqlQuery q(db);
        q.exec(QStringLiteral("select count(*) from temp_usr"));
        q.next();
        return q.value(0).toInt();
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), QString()});
        Global = GlobalState{};
        Global.PecCode = QStringLiteral("P001");
        Global.WorkshopCode = QStringLiteral("T000001");
        Global.WorkshopCuit = QStringLiteral("30-70000001-1");
        TestDb::exec(db, QStringLiteral("insert into usr (talcuit, tnrointopr, udominio, uobleaant, uobleanew) values "
                                        "('30-1', 1, 'AA111BB', '0000000100', '0000000200')"));
        TestDb::exec(db, QStringLiteral("insert into codreg (CODIGO, MARCA) values ('R01', 'ACME')"));
    }
    void cleanupTestCase()
    {
        dm1().closeAll();
        TestDb::drop(dbName);
    }

    void knownPlateAnsweredNoStoresNothing()
    {
        OperationRecord r = conversion();
        ScriptedPrompter p; // answers "No"
        RecordingProgress progress;
        const SaveOutcome out = SaveOperation(r, profileById(QStringLiteral("OLIV01")), p, progress, today);
        QVERIFY(!out.saved);
        QCOMPARE(p.log,
                 QStringList{QStringLiteral("question: El dominio ingresado ya figura en la base de datos. Sigue?")});
        QCOMPARE(pending(), 0);
        // The hydraulic-test pass ran before the plate's answer came back
        // with the save: the panel went up, showed no save line, and is down.
        QCOMPARE(progress.events,
                 (QStringList{QStringLiteral("open 5"), QStringLiteral("Controlando vencimientos PH..."),
                              QStringLiteral("hide")}));
    }

    void knownPlateAnsweredYesIsStored()
    {
        OperationRecord r = conversion();
        ScriptedPrompter p;
        p.answers = {true};
        RecordingProgress progress;
        const SaveOutcome out = SaveOperation(r, profileById(QStringLiteral("OLIV01")), p, progress, today);
        QVERIFY(out.saved);
        QVERIFY(out.id > 0);
        QCOMPARE(pending(), 1);
        QCOMPARE(p.log.last(), QStringLiteral("info: La operación ha sido cargada."));
        QCOMPARE(progress.events,
                 (QStringList{QStringLiteral("open 5"), QStringLiteral("Controlando vencimientos PH..."),
                              QStringLiteral("bar 1"), QStringLiteral("Actualizando tabla USR..."),
                              QStringLiteral("bar 2"), QStringLiteral("Obteniendo el ID de la operación..."),
                              QStringLiteral("bar 3"), QStringLiteral("Actualizando tabla REG..."),
                              QStringLiteral("bar 4"), QStringLiteral("Actualizando tabla CIL..."),
                              QStringLiteral("bar 5"), QStringLiteral("hide")}));
    }

    void aNewPlateIsCheckedAndStoredInOneExchange()
    {
        OperationRecord r = conversion();
        r.dominio = QStringLiteral("AC222DD");
        ScriptedPrompter p;
        RecordingProgress progress;
        dm1().connect(Conn::Operations);
        SaveOperation(r, profileById(QStringLiteral("OLIV01")), p, progress, today); // the models' validity
        r.dominio = QStringLiteral("AC333EE");
        dm1().resetExchangeCount();
        const SaveOutcome out = SaveOperation(r, profileById(QStringLiteral("OLIV01")), p, progress, today);
        QVERIFY(out.saved);
        QCOMPARE(dm1().exchangeCount(), quint64(1));
        // An unknown regulator is still found, with the save refused.
        r.dominio = QStringLiteral("AC444FF");
        r.regulador.codigo = QStringLiteral("R99");
        const int before = pending();
        ScriptedPrompter refused;
        QVERIFY(!SaveOperation(r, profileById(QStringLiteral("OLIV01")), refused, progress, today).saved);
        QVERIFY(refused.log.contains(QStringLiteral("error: Código de Regulador no encontrado.")));
        QCOMPARE(pending(), before);
    }

    void missingFieldsAreMarkedAndNothingWritten()
    {
        OperationRecord r = conversion();
        r.dominio = QStringLiteral("AB999ZZ");
        r.modelo.clear();
        r.regulador.nroSerie.clear();
        ScriptedPrompter p;
        RecordingProgress progress;
        const int before = pending();
        const SaveOutcome out = SaveOperation(r, profileById(QStringLiteral("OLIV01")), p, progress, today);
        QVERIFY(!out.saved);
        QCOMPARE(out.checks.marked(),
                 (QStringList{QStringLiteral("ModeloEdit"), QStringLiteral("NroSerieReguladorEdit")}));
        QCOMPARE(pending(), before);
    }

    void reusedStickerIsAskedWhereTheProfileChecksIt()
    {
        OperationRecord r = conversion();
        r.kind = QStringLiteral("R");
        r.obleaAnt = QStringLiteral("0000000100");
        r.dominio = QStringLiteral("AA111BB");
        const InstallationProfile *profile = profileById(QStringLiteral("OLIV01"));
        QVERIFY(profile);
        ScriptedPrompter p;
        RecordingProgress progress;
        SaveOperation(r, profile, p, progress, today);
        const bool asked = p.log.contains(
            QStringLiteral("question: Oblea 0000000100 ya asignada. Se reemplazo por 0000000200 Sigue?"));
        QCOMPARE(asked, profile->checksReusedSticker);
    }
};

QTEST_MAIN(TstSaveOperation)
#include "tst_saveoperation.moc"
