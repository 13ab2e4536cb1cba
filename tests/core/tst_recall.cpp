// Filling the form from stored rows: what a new operation takes from an
// earlier one, what consultation shows, the pending load and the test pass.
#include "core/pendingsave.h"
#include "core/recall.h"

#include <QtTest>

using namespace Recall;

class TstRecall : public QObject
{
    Q_OBJECT
    const QDate today{2026, 12, 9};

    static Row usrRow()
    {
        return {{QStringLiteral("UOBLEANEW"), QStringLiteral("0004567890")},
                {QStringLiteral("uobleaant"), QStringLiteral("0001111111")},
                {QStringLiteral("uobanonew"), QStringLiteral("25")},
                {QStringLiteral("umarca"), QStringLiteral("FIAT      ")},
                {QStringLiteral("umodelo"), QStringLiteral("SIENA")},
                {QStringLiteral("utipuso"), QStringLiteral("3")},
                {QStringLiteral("uano"), QStringLiteral("2015")},
                {QStringLiteral("udominio"), QStringLiteral("AB123CD  ")},
                {QStringLiteral("uapeynom"), QStringLiteral("GOMEZ ANA")},
                {QStringLiteral("utipdoc"), QStringLiteral("DNI")},
                {QStringLiteral("unrodoc"), QStringLiteral("30111222")},
                {QStringLiteral("ucalle"), QStringLiteral("BELGRANO 55")},
                {QStringLiteral("unro"), QString()},
                {QStringLiteral("te_tipo"), QStringLiteral("FIJO")},
                {QStringLiteral("UOBSERVAC"), QStringLiteral("CARGA LENTA")},
                {QStringLiteral("inyeccion"), QStringLiteral("S")},
                {QStringLiteral("ucodgest"), QStringLiteral("R")},
                {QStringLiteral("codtal"), QStringLiteral("T000123")},
                {QStringLiteral("ufecmont"), QDate(2025, 11, 3)},
                {QStringLiteral("ufechab"), QDate(2025, 11, 3)},
                {QStringLiteral("ufecvenhab"), QDate(2026, 11, 3)},
                {QStringLiteral("LLAVEC_COD"), QStringLiteral("VT1")},
                {QStringLiteral("VENTEO_COD"), QStringLiteral("LL2")}};
    }
    static Row cil(const QString &serial, const QString &gest, const QString &testYear = QStringLiteral("22"),
                   const QString &testMonth = QStringLiteral("06"))
    {
        return {{QStringLiteral("cilcodh"), QStringLiteral("C060")},
                {QStringLiteral("cnroserie"), serial},
                {QStringLiteral("ccapacidad"), 60},
                {QStringLiteral("cmesfabr"), QStringLiteral("03")},
                {QStringLiteral("canofabr"), QStringLiteral("50")},
                {QStringLiteral("cuphcrpc"), QStringLiteral("CR01")},
                {QStringLiteral("cuphmes"), testMonth},
                {QStringLiteral("cuphano"), testYear},
                {QStringLiteral("cuphresult"), QStringLiteral("A")},
                {QStringLiteral("ccodgest"), gest},
                {QStringLiteral("cnuevo"), QStringLiteral("S")},
                {QStringLiteral("valcod"), QStringLiteral("V1")},
                {QStringLiteral("valnro"), QStringLiteral("VN") + serial},
                {QStringLiteral("valgest"), QStringLiteral("M")}};
    }
    static Row reg(const QString &code, const QString &gest)
    {
        return {{QStringLiteral("rcodregh"), code},
                {QStringLiteral("rnroserie"), QStringLiteral("SER-") + code},
                {QStringLiteral("rcodgest"), gest},
                {QStringLiteral("rnuevo"), QStringLiteral("S")}};
    }
    static QString brand(const QString &code) { return QStringLiteral("MARCA ") + code; }

private slots:
    void renewalFromAnEarlierOperation()
    {
        OperationRecord r;
        const Copied c = CopyOperation(usrRow(), Mode::NewOperation, QStringLiteral("R"), today, false, r);
        QCOMPARE(r.obleaAnt, QStringLiteral("0004567890"));
        QCOMPARE(r.anioObleaAnt, QStringLiteral("25"));
        QCOMPARE(r.marca, QStringLiteral("FIAT"));
        QCOMPARE(r.tipoUso, QStringLiteral("PARTICULAR"));
        QCOMPARE(r.calle, QStringLiteral("BELGRANO 55"));
        QCOMPARE(r.tipoTelefono, QStringLiteral("FIJO"));
        QCOMPARE(r.inyeccion, QStringLiteral("SI"));
        QVERIFY(r.observaciones.isEmpty()); // profile does not keep them
        QCOMPARE(r.fechaMontaje, today);
        QCOMPARE(r.fechaHabilitacion, today);
        QCOMPARE(r.fechaVencimiento, QDate(2027, 12, 9));
        QCOMPARE(c.workshopCode, QStringLiteral("T000123"));
        // 2015 with a stored 7-character domain: no mask at all.
        QVERIFY(c.domainMask.isEmpty());

        CopyRegulators({reg(QStringLiteral("R01"), QStringLiteral("M"))}, Mode::NewOperation, QStringLiteral("R"),
                       brand, r);
        QCOMPARE(r.regulador.gestion, QStringLiteral("SIN CAMBIOS"));
        QCOMPARE(r.regulador.nuevo, QStringLiteral("NO"));
        QCOMPARE(r.regulador.marca, QStringLiteral("MARCA R01"));

        const QVector<CylinderRow> cyl = CopyCylinders({cil(QStringLiteral("A"), QStringLiteral("M")),
                                                        cil(QStringLiteral("OLD"), QStringLiteral("B")),
                                                        cil(QStringLiteral("C"), QStringLiteral("S"))},
                                                       Mode::NewOperation, QStringLiteral("R"));
        QCOMPARE(cyl.size(), 2); // the retired one stays behind
        QCOMPARE(cyl[1].nroSerie, QStringLiteral("C"));
        QCOMPARE(cyl[0].gestion, QStringLiteral("SIN CAMBIOS"));
        QCOMPARE(cyl[0].cNuevo, QStringLiteral("NO"));
        QCOMPARE(cyl[0].valGest, QStringLiteral("SIN CAMBIOS"));
        QCOMPARE(cyl[0].fabricac, QStringLiteral("03/1950"));
        QCOMPARE(cyl[0].uphFecha, QStringLiteral("06/2022"));
    }

    void consultationShowsWhatWasStored()
    {
        OperationRecord r;
        const Copied c = CopyOperation(usrRow(), Mode::Consultation, QString(), today, true, r);
        QCOMPARE(r.kind, QStringLiteral("R"));
        QCOMPARE(r.obleaAnt, QStringLiteral("0001111111"));
        QCOMPARE(c.assignedSticker, QStringLiteral("0004567890"));
        QCOMPARE(r.fechaVencimiento, QDate(2026, 11, 3));
        QCOMPARE(r.observaciones, QStringLiteral("CARGA LENTA"));
        CopyRegulators(
            {reg(QStringLiteral("R01"), QStringLiteral("B")), reg(QStringLiteral("R02"), QStringLiteral("M"))},
            Mode::Consultation, QString(), brand, r);
        QCOMPARE(r.regulador.codigo, QStringLiteral("R01"));
        QCOMPARE(r.regulador.gestion, QStringLiteral("BAJA"));
        QVERIFY(r.hasSecondRegulator);
        QCOMPARE(r.reguladorNuevo.codigo, QStringLiteral("R02"));
        QCOMPARE(r.reguladorNuevo.nuevo, QStringLiteral("SI"));
        const QVector<CylinderRow> cyl =
            CopyCylinders({cil(QStringLiteral("OLD"), QStringLiteral("B"))}, Mode::Consultation, QString());
        QCOMPARE(cyl.size(), 1);
        QCOMPARE(cyl[0].gestion, QStringLiteral("DESMONTAJE"));
        QCOMPARE(cyl[0].cNuevo, QStringLiteral("SI"));
        QCOMPARE(cyl[0].valGest, QStringLiteral("MONTAJE"));
    }

    void modificationTakesTheFittedRegulator()
    {
        OperationRecord r;
        CopyRegulators(
            {reg(QStringLiteral("R01"), QStringLiteral("B")), reg(QStringLiteral("R02"), QStringLiteral("M"))},
            Mode::NewOperation, QStringLiteral("M"), brand, r);
        QCOMPARE(r.regulador.codigo, QStringLiteral("R02"));
        QCOMPARE(r.regulador.gestion, QStringLiteral("SIN CAMBIOS"));
        QVERIFY(!r.hasSecondRegulator);
        // The server gives the rows by serial: the fitted one may come first.
        OperationRecord bySerial;
        CopyRegulators(
            {reg(QStringLiteral("R02"), QStringLiteral("M")), reg(QStringLiteral("R01"), QStringLiteral("D"))},
            Mode::NewOperation, QStringLiteral("R"), brand, bySerial);
        QCOMPARE(bySerial.regulador.codigo, QStringLiteral("R02"));
        OperationRecord shown;
        CopyRegulators(
            {reg(QStringLiteral("R02"), QStringLiteral("M")), reg(QStringLiteral("R01"), QStringLiteral("B"))},
            Mode::Consultation, QString(), brand, shown);
        QCOMPARE(shown.regulador.codigo, QStringLiteral("R01"));
        QCOMPARE(shown.reguladorNuevo.codigo, QStringLiteral("R02"));
        OperationRecord h;
        CopyRegulators({reg(QStringLiteral("R05"), QStringLiteral("M"))}, Mode::NewOperation, QStringLiteral("H"),
                       brand, h);
        QCOMPARE(h.regulador.gestion, QStringLiteral("MONTAJE"));
        QCOMPARE(h.regulador.nuevo, QStringLiteral("NO"));
    }

    void domainMaskByModelYear()
    {
        Row u = usrRow();
        OperationRecord r;
        u[QStringLiteral("uano")] = QStringLiteral("2016");
        QCOMPARE(CopyOperation(u, Mode::NewOperation, QStringLiteral("R"), today, false, r).domainMask,
                 QStringLiteral("AAAAAAa;1; "));
        u[QStringLiteral("uano")] = QStringLiteral("2010");
        u[QStringLiteral("udominio")] = QStringLiteral("ABC123");
        QCOMPARE(CopyOperation(u, Mode::NewOperation, QStringLiteral("R"), today, false, r).domainMask,
                 QStringLiteral("AAA###;1; "));
    }

    void hydraulicPassAfterARecall()
    {
        // Oldest test 50 months before the enabling month, found by a search:
        // the expiry moves to the end of the test month, framed and announced.
        QVector<CylinderRow> cyl =
            CopyCylinders({cil(QStringLiteral("A"), QStringLiteral("S"), QStringLiteral("24")),
                           cil(QStringLiteral("B"), QStringLiteral("S"), QStringLiteral("22"), QStringLiteral("10"))},
                          Mode::NewOperation, QStringLiteral("R"));
        HydraulicPass p = RunHydraulicPass(cyl, QStringLiteral("R"), today, today.addYears(1), today, false, true);
        QVERIFY(p.expiryChanged);
        QCOMPARE(p.expiry, QDate(2027, 10, 31)); // 31 October 2026 already past
        QVERIFY(p.frameExpiry);
        QCOMPARE(p.information, QStringLiteral("El vencimiento de la oblea operará el 31/10/2027"));
        QVERIFY(!p.phRequired);
        // By sticker: the same expiry, without the frame and the message.
        p = RunHydraulicPass(cyl, QStringLiteral("R"), today, today.addYears(1), today, false, false);
        QCOMPARE(p.expiry, QDate(2027, 10, 31));
        QVERIFY(!p.frameExpiry);
        QVERIFY(p.information.isEmpty());

        // 60 months: the letter lists the cylinder where the profile offers it.
        cyl = CopyCylinders({cil(QStringLiteral("A"), QStringLiteral("S"), QStringLiteral("21"), QStringLiteral("12"))},
                            Mode::NewOperation, QStringLiteral("R"));
        p = RunHydraulicPass(cyl, QStringLiteral("R"), today, today.addYears(1), today, true, false);
        QCOMPARE(p.letterRows.size(), 1);
        QCOMPARE(p.letterRows[0].nroSerie, QStringLiteral("A"));
        QCOMPARE(p.letterRows[0].valNro, QStringLiteral("VNA"));
        QVERIFY(p.enablesLetterButton);
        QVERIFY(p.phRequired);
        QCOMPARE(p.expiry, today);
        QCOMPARE(p.warning, QStringLiteral("Este vehículo debe realizar Prueba Hidraulica."));
        // A dismantling gets the letter rows but no expiry change.
        p = RunHydraulicPass(cyl, QStringLiteral("B"), today, QDate(), today, true, false);
        QCOMPARE(p.letterRows.size(), 1);
        QVERIFY(!p.expiryChanged);
        QVERIFY(p.warning.isEmpty());

        // A stored test month the pass cannot read is reported, not skipped.
        cyl = CopyCylinders({cil(QStringLiteral("A"), QStringLiteral("S"), QStringLiteral("24")),
                             cil(QStringLiteral("B"), QStringLiteral("S"), QStringLiteral("21"), QStringLiteral("13"))},
                            Mode::NewOperation, QStringLiteral("R"));
        p = RunHydraulicPass(cyl, QStringLiteral("R"), today, today.addYears(1), today, false, false);
        QVERIFY2(p.warning.startsWith(QStringLiteral("La fecha de la última prueba hidráulica del cilindro B")),
                 qPrintable(p.warning));
    }

    void pendingValveReplacementLoad()
    {
        Row t = usrRow();
        t[QStringLiteral("ucodgest")] = QStringLiteral("H");
        t[QStringLiteral("uobleaant")] = QStringLiteral("0004567890");
        t[QStringLiteral("estado")] = 0;
        t[QStringLiteral("dnipath")] = QStringLiteral("C:\\docs\\frente.jpg");
        t[QStringLiteral("dorsopath")] = QString();
        OperationRecord r;
        const PendingLoad l = LoadPending(t, {reg(QStringLiteral("R01"), QStringLiteral("S"))},
                                          {cil(QStringLiteral("A"), QStringLiteral("X"))},
                                          QStringLiteral("0001111111 "), false, today, brand, r);
        QCOMPARE(l.kind, QStringLiteral("H"));
        QVERIFY(l.hidesPreviousSticker);
        QCOMPARE(l.assignedSticker, QStringLiteral("0004567890"));
        QCOMPARE(r.obleaAnt, QStringLiteral("0001111111"));
        QCOMPARE(r.fechaVencimiento, QDate(2026, 11, 3)); // stored dates for "H"
        QCOMPARE(r.attachmentPaths[0], QStringLiteral("C:\\docs\\frente.jpg"));
        QVERIFY(r.attachmentPaths[1].isEmpty());
        QCOMPARE(r.regulador.gestion, QStringLiteral("SIN CAMBIOS"));
        QCOMPARE(r.cylinders.size(), 1);
        QCOMPARE(r.cylinders[0].gestion, QStringLiteral("SIN CAMBIOS"));

        // Two pending regulators: the retired one is current, whatever the order.
        OperationRecord m;
        t[QStringLiteral("ucodgest")] = QStringLiteral("M");
        LoadPending(t,
                    {reg(QStringLiteral("R09"), QStringLiteral("M")), reg(QStringLiteral("R01"), QStringLiteral("D"))},
                    {}, QString(), false, today, brand, m);
        QCOMPARE(m.regulador.codigo, QStringLiteral("R01"));
        QCOMPARE(m.reguladorNuevo.codigo, QStringLiteral("R09"));
        QVERIFY(m.hasSecondRegulator);
        QCOMPARE(m.fechaVencimiento, QDate(2027, 12, 9));
    }

    void accessoriesComeBackToTheirRow()
    {
        // Saved values read back by the recall land in the row they were typed in.
        OperationRecord typed;
        for (int i = 0; i < 24; ++i)
            typed.accesorios[i] = QStringLiteral("A%1").arg(i);
        const QVariantMap saved = PendingSave::TempUsrValues(typed, GlobalState{}, {});
        QCOMPARE(saved.value(QStringLiteral("P_LLAVEC_COD")).toString(), QStringLiteral("A8"));  // venting row
        QCOMPARE(saved.value(QStringLiteral("P_VENTEO_COD")).toString(), QStringLiteral("A10")); // switch row
        QCOMPARE(saved.value(QStringLiteral("P_MANG_NRO")).toString(), QStringLiteral("A17"));
        Row stored;
        for (auto it = saved.cbegin(); it != saved.cend(); ++it)
            if (it.key().startsWith(QLatin1String("P_")))
                stored.insert(it.key().mid(2).toLower(), it.value());
        OperationRecord back;
        CopyOwnerAndVehicle(stored, false, back);
        QCOMPARE(back.accesorios, typed.accesorios);
    }

    void ownerFromTheOwnersList()
    {
        Owners::Owner owner;
        owner.apellido = QStringLiteral("RUIZ");
        owner.nombres = QStringLiteral("PEDRO ");
        owner.tipoDoc = QStringLiteral("CUIT");
        owner.nroDoc = QStringLiteral("20-22333444-5");
        owner.calle = QStringLiteral("COLON 44");
        owner.codigoPostal = QStringLiteral("3000");
        owner.barrio = QStringLiteral("SUR");
        owner.localidad = QStringLiteral("SANTA FE");
        owner.provincia = QStringLiteral("SANTA FE");
        owner.caracteristica = QStringLiteral("342");
        owner.celular = QStringLiteral("5112233");
        owner.telefono = QStringLiteral("4550000");
        OperationRecord r;
        r.marca = QStringLiteral("FIAT"); // the vehicle is not the owner's business
        r.tipoTelefono = QStringLiteral("FIJO");
        CopyOwner(owner, r);
        QCOMPARE(r.nombre, QStringLiteral("RUIZ PEDRO"));
        QCOMPARE(r.tipoDoc, QStringLiteral("CUIT"));
        QCOMPARE(r.nroDoc, QStringLiteral("20-22333444-5"));
        QCOMPARE(r.calle, QStringLiteral("COLON 44"));
        QCOMPARE(r.caracteristica, QStringLiteral("342"));
        QCOMPARE(r.telefono, QStringLiteral("5112233")); // the mobile, not the landline
        QCOMPARE(r.tipoTelefono, QStringLiteral("CELULAR"));
        QCOMPARE(r.marca, QStringLiteral("FIAT"));
    }

    void conversionOrderCopy()
    {
        const Row ott = {{QStringLiteral("anio"), 2014},
                         {QStringLiteral("propietario"), QStringLiteral("LOPEZ RAUL")},
                         {QStringLiteral("celular"), QStringLiteral("6123456")},
                         {QStringLiteral("celular_carac"), QStringLiteral("261")},
                         {QStringLiteral("dominio"), QStringLiteral("NRT456")}};
        const Row oreg = {{QStringLiteral("RCODREGH"), QStringLiteral("R07")},
                          {QStringLiteral("MARCA"), QStringLiteral("LOVATO")},
                          {QStringLiteral("RNROSERIE"), QStringLiteral("L-1")},
                          {QStringLiteral("RNUEVO"), QStringLiteral("S")}};
        OperationRecord r;
        r.regulador.gestion = QStringLiteral("MONTAJE");
        QString mask;
        CopyConversionOrder(Orders::FromRows(ott, {oreg}, {cil(QStringLiteral("Z"), QStringLiteral("M"))}), r, &mask);
        QCOMPARE(mask, QStringLiteral("AAA###"));
        QCOMPARE(r.tipoTelefono, QStringLiteral("CELULAR"));
        QCOMPARE(r.caracteristica, QStringLiteral("261"));
        QCOMPARE(r.regulador.marca, QStringLiteral("LOVATO"));
        QCOMPARE(r.regulador.nuevo, QStringLiteral("SI"));
        QCOMPARE(r.regulador.gestion, QStringLiteral("MONTAJE")); // untouched
        QCOMPARE(r.cylinders.size(), 1);
        QCOMPARE(r.cylinders[0].gestion, QStringLiteral("MONTAJE"));
    }
};

QTEST_GUILESS_MAIN(TstRecall)
#include "tst_recall.moc"
