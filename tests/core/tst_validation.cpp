// The checks run by "Aceptar" on the operation form: which fields get marked,
// which questions are asked, and how the hydraulic-test pass moves the expiry.
#include "core/validation.h"
#include "scriptedprompter.h"

#include <QtTest>

using namespace Validation;

class TstValidation : public QObject
{
    Q_OBJECT

    static CylinderRow cylinder(const QString &test = QStringLiteral("05/2025"))
    {
        CylinderRow c;
        c.codigo = QStringLiteral("C001");
        c.nroSerie = QStringLiteral("S1");
        c.gestion = QStringLiteral("SIN CAMBIOS");
        c.fabricac = QStringLiteral("03/2019");
        c.uphTaller = QStringLiteral("CR01");
        c.uphFecha = test;
        c.uphResult = QStringLiteral("APROBADO");
        c.nroCertif = QStringLiteral("CR01000001");
        return c;
    }

    // The operation with what the checks take besides it.
    struct Input : OperationRecord {
        Options options;
    };
    static Result Check(const Input &in, const Lookups &db, Prompter &p, const std::function<void()> &starts = {})
    {
        return Validation::Check(in, in.options, db, p, starts);
    }

    static Input renewal()
    {
        Input in;
        in.kind = QStringLiteral("R");
        in.dominio = QStringLiteral("AB123CD");
        in.obleaAnt = QStringLiteral("0001234567");
        in.marca = QStringLiteral("FIAT");
        in.modelo = QStringLiteral("SIENA");
        in.nombre = QStringLiteral("PEREZ JUAN");
        in.tipoDoc = QStringLiteral("DNI");
        in.nroDoc = QStringLiteral("20123456");
        in.calle = QStringLiteral("SAN MARTIN 123");
        in.codigoPostal = QStringLiteral("5000");
        in.localidad = QStringLiteral("CORDOBA");
        in.telefono = QStringLiteral("4556677");
        in.regulador.codigo = QStringLiteral("R01");
        in.regulador.nroSerie = QStringLiteral("RS1");
        in.cylinders = {cylinder()};
        in.options.today = QDate(2026, 12, 9);
        in.fechaMontaje = in.options.today;
        in.fechaHabilitacion = in.options.today;
        in.fechaVencimiento = in.options.today.addYears(1);
        return in;
    }
    static Lookups none()
    {
        return {[](const QString &) { return false; }, [](const QString &) { return std::optional<QString>(); }, {}};
    }

private slots:
    void completeRenewalPasses()
    {
        ScriptedPrompter p;
        const Result r = Check(renewal(), none(), p);
        QVERIFY(r.ok);
        QVERIFY(r.findings.isEmpty());
        QVERIFY(r.hydraulicPassRan);
        QCOMPARE(r.expiry, QDate(2027, 12, 9));
        QVERIFY(p.log.isEmpty());
    }

    void oneAttemptMarksEveryMissingField()
    {
        Input in = renewal();
        in.obleaAnt = QStringLiteral("   ");
        in.marca.clear();
        in.regulador.nroSerie.clear();
        in.cylinders.clear();
        ScriptedPrompter p;
        const Result r = Check(in, none(), p);
        QVERIFY(!r.ok);
        QCOMPARE(r.marked(), (QStringList{QStringLiteral("ObleaAntEdit"), QStringLiteral("MarcaEdit"),
                                          QStringLiteral("NroSerieReguladorEdit")}));
        QCOMPARE(p.log, QStringList{QStringLiteral("error: No se han ingresado cilindro[s].")});
        QVERIFY(!r.hydraulicPassRan);
    }

    void plateAAA000IsExemptFromOwnerContact()
    {
        Input in = renewal();
        in.dominio = QStringLiteral("AAA000");
        in.tipoDoc.clear();
        in.nroDoc.clear();
        in.calle.clear();
        in.codigoPostal.clear();
        in.localidad.clear();
        in.telefono.clear();
        ScriptedPrompter p;
        QVERIFY(Check(in, none(), p).ok);
        in.dominio = QStringLiteral("AAA001");
        const Result r = Check(in, none(), p);
        QCOMPARE(r.marked().size(), 6);
    }

    void conversionOfAKnownPlateAsks()
    {
        Input in = renewal();
        in.kind = QStringLiteral("C");
        in.obleaAnt.clear(); // not asked of a conversion
        Lookups db = none();
        QStringList asked;
        db.domainExists = [&](const QString &d) {
            asked << d;
            return true;
        };
        ScriptedPrompter no;
        QVERIFY(!Check(in, db, no).ok);
        QCOMPARE(no.log,
                 QStringList{QStringLiteral("question: El dominio ingresado ya figura en la base de datos. Sigue?")});
        ScriptedPrompter yes;
        yes.answers = {true};
        QVERIFY(Check(in, db, yes).ok);
        QCOMPARE(asked.first(), QStringLiteral("AB123CD"));
    }

    void reusedStickerQuestionDoesNotClearEarlierFailures()
    {
        Input in = renewal();
        in.options.checksReusedSticker = true;
        in.modelo.clear();
        Lookups db = none();
        db.stickerReplacedBy = [](const QString &s) {
            return s == QLatin1String("0001234567") ? std::optional<QString>(QStringLiteral("0009999999 "))
                                                    : std::nullopt;
        };
        ScriptedPrompter yes;
        yes.answers = {true};
        const Result r = Check(in, db, yes);
        QVERIFY(!r.ok);
        QCOMPARE(yes.log, QStringList{QStringLiteral(
                              "question: Oblea 0001234567 ya asignada. Se reemplazo por 0009999999 Sigue?")});
        // Without the profile flag nobody is asked.
        in.options.checksReusedSticker = false;
        in.modelo = QStringLiteral("SIENA");
        ScriptedPrompter quiet;
        QVERIFY(Check(in, db, quiet).ok);
        QVERIFY(quiet.log.isEmpty());

        // No previous sticker: nothing to have been replaced; only the mark.
        in.options.checksReusedSticker = true;
        in.obleaAnt = QStringLiteral("  ");
        db.stickerReplacedBy = [](const QString &) { return std::optional<QString>(QStringLiteral("4500000056")); };
        const Result empty = Check(in, db, quiet);
        QVERIFY(quiet.log.isEmpty());
        QCOMPARE(empty.marked(), QStringList{QStringLiteral("ObleaAntEdit")});
    }

    void regulatorCodesOutsideTheCatalogueAreRefused()
    {
        Input in = renewal();
        in.kind = QStringLiteral("M");
        in.regulador.gestion = QStringLiteral("BAJA"); // the new regulator is stored beside it
        in.reguladorNuevo.codigo = QStringLiteral("ZZ9 ");
        Lookups db = none();
        db.regulatorExists = [](const QString &code) { return code == QLatin1String("R01"); };
        ScriptedPrompter p;
        Result r = Check(in, db, p);
        QVERIFY(!r.ok);
        QCOMPARE(r.marked(), QStringList{QStringLiteral("CodigoReguladorNuevoEdit")});
        QCOMPARE(p.log, QStringList{QStringLiteral("error: Código de Regulador no encontrado.")});
        in.reguladorNuevo.codigo.clear();
        in.regulador.codigo = QStringLiteral("X1");
        p = {};
        r = Check(in, db, p);
        QCOMPARE(r.marked(), QStringList{QStringLiteral("CodigoRegularEdit")});
    }

    void expiryWindow_data()
    {
        QTest::addColumn<int>("daysAfterMounting");
        QTest::addColumn<int>("daysAfterEnabling");
        QTest::addColumn<QString>("message");
        QTest::newRow("366 days passes") << 366 << 366 << QString();
        QTest::newRow("367 days fails") << 367 << 367 << QStringLiteral("El vencimiento no puede ser mayor a un año.");
        QTest::newRow("on the enabling day fails")
            << 0 << 0 << QStringLiteral("El vencimiento no puede ser menor a la fecha de montaje.");
        QTest::newRow("one day later passes") << 1 << 1 << QString();
    }
    void expiryWindow()
    {
        QFETCH(int, daysAfterMounting);
        QFETCH(int, daysAfterEnabling);
        QFETCH(QString, message);
        Input in = renewal();
        in.fechaVencimiento = in.fechaMontaje.addDays(daysAfterMounting);
        in.fechaHabilitacion = in.fechaVencimiento.addDays(-daysAfterEnabling);
        ScriptedPrompter p;
        const Result r = Check(in, none(), p);
        QCOMPARE(r.ok, message.isEmpty());
        if (!message.isEmpty())
            QCOMPARE(p.log, QStringList{QStringLiteral("error: ") + message});
    }

    void hydraulicTestPass()
    {
        // 55 months before the enabling month: the save stops, expiry is today.
        Input in = renewal();
        in.cylinders = {cylinder(QStringLiteral("05/2022"))};
        ScriptedPrompter p;
        Result r = Check(in, none(), p);
        QVERIFY(!r.ok);
        QVERIFY(r.phRequired);
        QCOMPARE(r.expiry, in.options.today);
        QCOMPARE(p.log, QStringList{QStringLiteral("warn: Este vehículo debe realizar Prueba Hidraulica.")});

        // Pressing again with the expiry left at today reports check 11.
        in.fechaVencimiento = r.expiry;
        in.cylinders = {cylinder()};
        p = {};
        r = Check(in, none(), p);
        QVERIFY(!r.ok);
        QCOMPARE(r.focus, QStringLiteral("DateTimePickerVencimiento"));

        // 50 months: the expiry quietly moves to the test month.
        in = renewal();
        in.cylinders = {cylinder(QStringLiteral("10/2022"))};
        p = {};
        r = Check(in, none(), p);
        QVERIFY(r.ok);
        QCOMPARE(r.expiry, QDate(2027, 10, 9));
        QVERIFY(p.log.isEmpty());

        // A retired cylinder is not tested.
        CylinderRow old = cylinder(QStringLiteral("01/2010"));
        old.gestion = QStringLiteral("BAJA");
        in.cylinders = {old, cylinder()};
        QVERIFY(Check(in, none(), p).ok);

        // A test date that cannot be read stops the save instead of letting
        // the cylinder through; the panel was already up when it is said.
        for (const char *date : {"5/2012", "05/201", "13/2020", ""}) {
            in.cylinders = {cylinder(), cylinder(date)};
            ScriptedPrompter unread;
            r = Check(in, none(), unread, [&] { unread.log << QStringLiteral("panel"); });
            QVERIFY2(!r.ok, qPrintable(date));
            QCOMPARE(unread.log.size(), 2);
            QCOMPARE(unread.log.first(), QStringLiteral("panel"));
            QVERIFY2(unread.log.last().startsWith(QStringLiteral("warn: La fecha de la última prueba hidráulica "
                                                                 "del cilindro S1 no se puede leer")),
                     qPrintable(unread.log.last()));
        }
    }

    void certificatesAcrossCylinders()
    {
        Input in = renewal();
        CylinderRow fab = cylinder(QStringLiteral("03/2024"));
        fab.fabricac = QStringLiteral("03/2024");
        fab.uphTaller = QStringLiteral("FAB");
        in.cylinders = {cylinder(), fab};
        ScriptedPrompter p;
        Result r = Check(in, none(), p);
        QVERIFY(!r.ok);
        QCOMPARE(p.log, QStringList{QStringLiteral("warn: Siendo FAB no puede tener número de certificado.")});

        // Whatever the first cylinder holds, the second's fault is reported.
        CylinderRow noCertificate = cylinder();
        noCertificate.nroCertif.clear();
        in.cylinders = {noCertificate, fab};
        p = {};
        QVERIFY(!Check(in, none(), p).ok);
        QCOMPARE(p.log, (QStringList{QStringLiteral("warn: No se ingreso el número de Certificado."),
                                     QStringLiteral("warn: Siendo FAB no puede tener número de certificado.")}));

        fab.nroCertif.clear();
        fab.uphFecha = QStringLiteral("04/2024");
        in.cylinders = {cylinder(), fab};
        p = {};
        r = Check(in, none(), p);
        QCOMPARE(p.log, QStringList{QStringLiteral(
                            "warn: Siendo FAB la fecha de fabricación y última prueba hidraulica deben ser iguales.")});
    }

    void dismantlingSkipsDatesAndTests()
    {
        Input in = renewal();
        in.kind = QStringLiteral("B");
        in.fechaVencimiento = QDate();
        in.fechaHabilitacion = QDate();
        CylinderRow c = cylinder(QStringLiteral("01/2000"));
        c.nroCertif.clear();
        in.cylinders = {c};
        ScriptedPrompter p;
        const Result r = Check(in, none(), p);
        QVERIFY(r.ok);
        QVERIFY(p.log.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstValidation)
#include "tst_validation.moc"
