// Value rules of the technical sheets: the printable cylinder list with its
// expiry and valve-only rows, operation and vehicle wording, regulator boxes,
// workshop identity variants.
#include "core/fichavalues.h"
#include "samplesheet.h"

#include <QtTest>

using namespace Ficha;

class TstFichaValues : public QObject
{
    Q_OBJECT

    static CylinderRow cylinder(const QString &codigo, const QString &serie)
    {
        CylinderRow r = Sample::cylinder(serie);
        r.codigo = codigo;
        return r;
    }

    static FichaData withRegulator(const QString &kind, const QString &management)
    {
        FichaData d;
        d.operationKind = kind;
        d.regulatorManagement = management;
        d.regulatorCode = QStringLiteral("R01");
        d.regulatorSerial = QStringLiteral("RS-9");
        return d;
    }

private slots:
    void expiryAddsTheModelsValidityToTheTestYear_data()
    {
        QTest::addColumn<QString>("uphFecha");
        QTest::addColumn<int>("years"); // -1: model not catalogued
        QTest::addColumn<QString>("expected");
        QTest::newRow("March 2009, 5 years") << "03/2009" << 5 << "03/2014";
        QTest::newRow("catalogued 10 years") << "11/2019" << 10 << "11/2029";
        QTest::newRow("unknown model takes 5") << "07/2020" << -1 << "07/2025";
        QTest::newRow("catalogued 0 years") << "07/2020" << 0 << "07/2020";
        QTest::newRow("blank test date") << "" << 5 << "";
        QTest::newRow("half typed") << "03/" << 5 << "";
        QTest::newRow("two-digit year") << "03/09" << 5 << "";
    }
    void expiryAddsTheModelsValidityToTheTestYear()
    {
        QFETCH(QString, uphFecha);
        QFETCH(int, years);
        QFETCH(QString, expected);
        QCOMPARE(CilVenc(uphFecha, years < 0 ? std::nullopt : std::optional<int>(years)), expected);
    }

    void preparedListAddsAValveOnlyRowAfterAReplacedValve()
    {
        CylinderRow a = cylinder(QStringLiteral("C1"), QStringLiteral("S-1"));
        a.rvalCod = QStringLiteral("V77");
        a.rvalNro = QStringLiteral("RV-77");
        a.rvalGest = QStringLiteral("MONTAJE");
        CylinderRow b = cylinder(QStringLiteral("C2"), QStringLiteral("S-2"));
        b.uphFecha = QStringLiteral("06/2018");

        QStringList asked;
        auto validity = [&](const QString &codigo) -> std::optional<int> {
            asked << codigo;
            return codigo == QLatin1String("C1") ? std::optional<int>(10) : std::nullopt;
        };
        const auto rows = PrepareCylinders({a, b}, validity);

        QCOMPARE(rows.size(), 3);
        QCOMPARE(asked, (QStringList{QStringLiteral("C1"), QStringLiteral("C2")}));
        QCOMPARE(rows[0].nroSerie, QStringLiteral("S-1"));
        QCOMPARE(rows[0].cilVenc, QStringLiteral("03/2031"));
        QCOMPARE(rows[0].valCod, QStringLiteral("V10"));
        QVERIFY(!rows[0].valveOnly);

        const PreparedCylinderRow &v = rows[1];
        QVERIFY(v.valveOnly);
        QCOMPARE(v.valCod, QStringLiteral("V77"));
        QCOMPARE(v.valNro, QStringLiteral("RV-77"));
        QCOMPARE(v.valGest, QStringLiteral("MONTAJE"));
        // every other field empty, capacity included
        const QVariantMap m = v.toMap();
        for (const QString &f : PreparedCylinderRow::fieldNames())
            if (!f.startsWith(QLatin1String("VAL")))
                QVERIFY2(m.value(f).toString().isEmpty(), qPrintable(f));
        QVERIFY(!m.value(QStringLiteral("CAPACIDAD")).isValid());

        QCOMPARE(rows[2].nroSerie, QStringLiteral("S-2"));
        QCOMPARE(rows[2].cilVenc, QStringLiteral("06/2023"));
    }

    void preparedRowWordsNewAndResult()
    {
        CylinderRow r = cylinder(QStringLiteral("C1"), QStringLiteral("S"));
        const auto prep = [&] { return PrepareCylinders({r}, {}).first(); };
        r.cNuevo = QStringLiteral("SI");
        r.uphResult = QStringLiteral("A");
        QCOMPARE(prep().cNuevo, QStringLiteral("SI"));
        QCOMPARE(prep().uphResult, QStringLiteral("APROBADO"));
        r.cNuevo = QString();
        r.uphResult = QStringLiteral("APROBADO"); // the work table holds the words
        QCOMPARE(prep().cNuevo, QStringLiteral("NO"));
        QCOMPARE(prep().uphResult, QStringLiteral("APROBADO"));
        r.uphResult = QStringLiteral("RECHAZADO");
        QCOMPARE(prep().uphResult, QStringLiteral("RECHAZADO"));
        r.uphResult = QStringLiteral("R");
        QCOMPARE(prep().uphResult, QStringLiteral("RECHAZADO"));
        r.cNuevo = QStringLiteral("si");
        QCOMPARE(prep().cNuevo, QStringLiteral("NO"));
        QCOMPARE(prep().capacidad.value_or(-1), 60);
        QCOMPARE(prep().gestion, QStringLiteral("SIN CAMBIOS"));
        QCOMPARE(prep().toMap().value(QStringLiteral("CAPACIDAD")).toInt(), 60);
        QVERIFY(PrepareCylinders({}, {}).isEmpty());
    }

    void wordingOfKindInjectionAndUse()
    {
        QCOMPARE(OperationKindText("C"), QStringLiteral("CONVERSION"));
        QCOMPARE(OperationKindText("M"), QStringLiteral("MODIFICACION"));
        QCOMPARE(OperationKindText("R"), QStringLiteral("REVISION ANUAL"));
        QCOMPARE(OperationKindText("B"), QStringLiteral("DESMONTAJE"));
        QCOMPARE(OperationKindText("X"), QStringLiteral("REVISION CRPC"));
        QCOMPARE(OperationKindText("H"), QString());
        QCOMPARE(OperationKindText("D"), QString());
        QCOMPARE(OperationKindTextLong("H"), QStringLiteral("REEMPLAZO VALVULA"));
        QCOMPARE(OperationKindTextLong("B"), QStringLiteral("BAJA"));
        QCOMPARE(OperationKindTextLong("D"), QStringLiteral("DESMONTAJE"));
        QCOMPARE(OperationKindTextLong("R"), QStringLiteral("REVISION ANUAL"));
        QCOMPARE(OperationKindTextLong("#"), QString());

        QCOMPARE(InjectionText("SI"), QStringLiteral("SI"));
        QCOMPARE(InjectionText("NO"), QStringLiteral("NO"));
        QCOMPARE(InjectionText(""), QStringLiteral("NO"));
        QCOMPARE(UseTypeText("AUTOELEVADORES"), QStringLiteral("AUTOELEVADOR"));
        QCOMPARE(UseTypeText("PICK-UP"), QStringLiteral("PICK-UP"));
        QCOMPARE(ShortDate(QDate(2021, 3, 5)), QStringLiteral("05/03/2021"));
        QCOMPARE(ShortDate(QDate()), QString());
    }

    void regulatorGoesToTheBoxOfTheKind()
    {
        RegulatorBoxes r = AssignRegulator(withRegulator("R", "SIN CAMBIOS"), true);
        QCOMPARE(r.actualCode, QStringLiteral("R01"));
        QCOMPARE(r.actualNro, QStringLiteral("RS-9"));
        QVERIFY(r.montajeCode.isEmpty() && r.desmontajeCode.isEmpty() && r.bajaCode.isEmpty());

        r = AssignRegulator(withRegulator("C", "MONTAJE"), true);
        QCOMPARE(r.montajeCode, QStringLiteral("R01"));
        QVERIFY(r.actualCode.isEmpty());

        QCOMPARE(AssignRegulator(withRegulator("B", "DESMONTAJE"), true).desmontajeNro, QStringLiteral("RS-9"));
        QCOMPARE(AssignRegulator(withRegulator("B", "BAJA"), true).bajaCode, QStringLiteral("R01"));
        QCOMPARE(AssignRegulator(withRegulator("B", "SIN CAMBIOS"), true), RegulatorBoxes{});

        QCOMPARE(AssignRegulator(withRegulator("X", ""), true).actualCode, QStringLiteral("R01"));
        QCOMPARE(AssignRegulator(withRegulator("X", ""), false), RegulatorBoxes{});
        QCOMPARE(AssignRegulator(withRegulator("H", "SIN CAMBIOS"), true), RegulatorBoxes{});
        QCOMPARE(AssignRegulator(withRegulator("D", "DESMONTAJE"), true), RegulatorBoxes{});
    }

    void modificationNewRegulatorTakesTheActualBox()
    {
        FichaData d = withRegulator("M", "SIN CAMBIOS");
        d.newRegulatorCode = QStringLiteral("N55");
        d.newRegulatorSerial = QStringLiteral("NS-55");
        RegulatorBoxes r = AssignRegulator(d, true);
        QCOMPARE(r.actualCode, QStringLiteral("N55"));
        QCOMPARE(r.actualNro, QStringLiteral("NS-55"));

        d.regulatorManagement = QStringLiteral("DESMONTAJE");
        r = AssignRegulator(d, true);
        QCOMPARE(r.desmontajeCode, QStringLiteral("R01"));
        QCOMPARE(r.actualCode, QStringLiteral("N55"));

        d.regulatorManagement = QStringLiteral("BAJA");
        d.newRegulatorCode = QStringLiteral("  ");
        r = AssignRegulator(d, true);
        QCOMPARE(r.bajaCode, QStringLiteral("R01"));
        QVERIFY(r.actualCode.isEmpty());

        QVERIFY(RegulatorMarkerAtNo("NO"));
        QVERIFY(!RegulatorMarkerAtNo("SI"));
        QVERIFY(!RegulatorMarkerAtNo(""));
    }

    void workshopBlockChoosesOwnOrAssociated()
    {
        FichaData d;
        d.ownWorkshop = {"AAA0001", "Taller Propio", "Calle 1 100", "20-1-3", "Juan Rep", "M-1", "4444-1111"};
        d.workshopEnabled = true;
        d.associatedWorkshop =
            WorkshopRecord{"BBB0002", "Taller Asociado", "Av. 2 200", "30-2-4", "Ana Sosa", "M-2", "5555-2222"};
        WorkshopLines w = AssociatedWorkshopLines(d);
        QCOMPARE(w.code, QStringLiteral("AAA0001"));
        QCOMPARE(w.phoneLine, QStringLiteral("Tel.: 4444-1111"));

        d.workshopEnabled = false;
        w = AssociatedWorkshopLines(d);
        QCOMPARE(w,
                 (WorkshopLines{"BBB0002", "Taller Asociado", "Av. 2 200", "30-2-4", "Ana Sosa", "M-2", "5555-2222"}));

        d.associatedWorkshop.reset(); // codtalaso names no row
        QCOMPARE(AssociatedWorkshopLines(d), WorkshopLines{});

        w = QuestionMarkWorkshopLines(d);
        QCOMPARE(w.code, QStringLiteral("??????"));
        QCOMPARE(w.name, QStringLiteral(" "));
        QCOMPARE(w.repMatricula, QStringLiteral(" "));
        d.workshopEnabled = true;
        QCOMPARE(QuestionMarkWorkshopLines(d).name, QStringLiteral("Taller Propio"));
    }

    void workshopRowsDecideTheFixedAndStateVariants()
    {
        FichaData d;
        d.ownWorkshop = {"AAA0001", "Taller Propio", "Calle 1 100", "20-1-3", "Juan Rep", "M-1", ""};
        d.fixedWorkshop = {"FIX0001", "Taller Fijo", "", "", "", "", "Tel.: 9"};
        WorkshopRow own{"AAA0001", "Taller Propio", "Calle 1", "100",     "20-1-3", "Juan Rep",
                        "M-1",     "4444-1111",     1,         "BBB0002", {},       {}};
        const WorkshopRow associated{"BBB0002", "Taller Asociado", "Av. 2", "200", "30-2-4", "Ana Sosa",
                                     "M-2",     "5555-2222",       1,       {},    {},       {}};
        ApplyWorkshopRows(d, own, associated);
        QVERIFY(d.workshopEnabled);
        QVERIFY(!d.associatedWorkshop); // an enabled workshop prints as itself
        QCOMPARE(d.ownWorkshop.phone, QStringLiteral("4444-1111"));
        QCOMPARE(FixedWorkshopLines(d).code, QStringLiteral("AAA0001"));
        QCOMPARE(StateWorkshopCode(d), QStringLiteral("AAA0001"));

        own.enabled = 0;
        ApplyWorkshopRows(d, own, associated);
        QVERIFY(!d.workshopEnabled);
        QCOMPARE(d.associatedWorkshop->address, QStringLiteral("Av. 2 200"));
        QCOMPARE(d.associatedWorkshop->repName, QStringLiteral("Ana Sosa"));
        QCOMPARE(FixedWorkshopLines(d), (WorkshopLines{"FIX0001", "Taller Fijo", "", "", "", "", "Tel.: 9"}));
        QCOMPARE(StateWorkshopCode(d), QStringLiteral("BBB0002"));

        // no `tal` row at all: not enabled, nothing associated
        ApplyWorkshopRows(d, std::nullopt, std::nullopt);
        QVERIFY(!d.workshopEnabled && !d.associatedWorkshop);
        QCOMPARE(StateWorkshopCode(d), QString());
    }
};

QTEST_GUILESS_MAIN(TstFichaValues)
#include "tst_fichavalues.moc"
