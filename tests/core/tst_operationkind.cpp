#include "core/clock.h"
#include "core/operationkind.h"
#include "core/operationrecord.h"

#include <QtTest>

class TstOperationKind : public QObject
{
    Q_OBJECT
private slots:
    void layouts_data();
    void layouts();
    void dismantlingSynonymBehavesAlike();
    void consultationAndUnknownCodesHaveNoLayout();
    void documentNames();
    void consultationCaptions();
    void oneYearLater_data();
    void oneYearLater();
    void modelYearLimit_data();
    void modelYearLimit();
    void clockCanBePinned();
    void gestionNames();
    void storedCodes();
    void stickerFill_data();
    void stickerFill();
    void telephoneRules();
};

void TstOperationKind::layouts_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("gestion");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("nuevo");
    QTest::addColumn<QString>("hidden"); // V valve button, S sticker, E enabling/expiry
    QTest::newRow("R") << "R"
                       << "Revison Anual"
                       << "REVISION"
                       << "SIN CAMBIOS" << true << "NO"
                       << "V";
    QTest::newRow("X") << "X"
                       << "Revison Anual CRPC"
                       << "REVISIONCRPC"
                       << "SIN CAMBIOS" << true << "NO"
                       << "V";
    QTest::newRow("C") << "C" << QStringLiteral("Conversión") << "CONVERSION"
                       << "MONTAJE" << true << "SI"
                       << "S";
    QTest::newRow("B") << "B"
                       << "DESMONTAJE"
                       << "DESMONTAJE"
                       << "DESMONTAJE" << false << "NO"
                       << "E";
    QTest::newRow("M") << "M" << QStringLiteral("Modificación") << "MODIFICACION"
                       << "SIN CAMBIOS" << false << "SI"
                       << "";
    QTest::newRow("H") << "H" << QStringLiteral("Reemplazo de Válvula") << "REEMPLAZO"
                       << "SIN CAMBIOS" << false << "SI"
                       << "";
}

void TstOperationKind::layouts()
{
    QFETCH(QString, code);
    QFETCH(QString, caption);
    QFETCH(QString, description);
    QFETCH(QString, gestion);
    QFETCH(bool, locked);
    QFETCH(QString, nuevo);
    QFETCH(QString, hidden);
    const auto k = LayoutForKind(code);
    QVERIFY(k.has_value());
    QCOMPARE(k->caption, caption);
    QCOMPARE(k->description, description);
    QCOMPARE(k->regulatorGestion, gestion);
    QVERIFY(RegulatorGestionTexts().contains(k->regulatorGestion));
    QCOMPARE(k->regulatorGestionLocked, locked);
    QCOMPARE(k->regulatorNuevo, nuevo);
    QCOMPARE(k->hidesValveReplacement, hidden.contains('V'));
    QCOMPARE(k->hidesPreviousSticker, hidden.contains('S'));
    QCOMPARE(k->hidesEnablingAndExpiry, hidden.contains('E'));
    QCOMPARE(k->mountingDateLabel, code == "B" ? QString("Fecha Desmontaje") : QString("Fecha Montaje"));
    QCOMPARE(k->previousStickerLabel, code == "H" ? QString("Oblea Actual") : QString("Oblea Anterior"));
}

void TstOperationKind::dismantlingSynonymBehavesAlike()
{
    const auto b = LayoutForKind("B");
    const auto d = LayoutForKind("D");
    QVERIFY(b && d);
    QCOMPARE(d->code, QString("D")); // the letter passed in is what is kept
    QCOMPARE(d->caption, b->caption);
    QCOMPARE(d->description, b->description);
    QCOMPARE(d->regulatorGestion, b->regulatorGestion);
    QCOMPARE(d->hidesEnablingAndExpiry, true);
    QCOMPARE(d->mountingDateLabel, b->mountingDateLabel);
}

void TstOperationKind::consultationAndUnknownCodesHaveNoLayout()
{
    QVERIFY(!LayoutForKind(ConsultationKind));
    QVERIFY(!LayoutForKind("Z"));
    QVERIFY(!LayoutForKind(""));
}

void TstOperationKind::documentNames()
{
    const QList<QPair<QString, QString>> names = {{"C", "CONVERSION"},
                                                  {"M", "MODIFICACION"},
                                                  {"R", "REVISION ANUAL"},
                                                  {"B", "BAJA"},
                                                  {"X", "REVISION CRPC"},
                                                  {"H", "REEMPLAZO VALVULA"},
                                                  {"D", "DESMONTAJE"},
                                                  {"#", ""},
                                                  {"Q", ""}};
    for (const auto &[code, name] : names)
        QCOMPARE(OperationKindName(code), name);
}

void TstOperationKind::consultationCaptions()
{
    QCOMPARE(ConsultationCaption("C"), QString("CONVERSION"));
    QCOMPARE(ConsultationCaption("R"), QString("REVISION ANUAL"));
    QCOMPARE(ConsultationCaption("D"), QString("DESMONTAJE"));
    QCOMPARE(ConsultationCaption("H"), QString("REEMPLAZO"));
    // A CRPC review has no caption of its own in consultation.
    QCOMPARE(ConsultationCaption("X"), QStringLiteral("Revisión Anual"));
}

void TstOperationKind::oneYearLater_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::newRow("ordinary") << QDate(2026, 12, 9) << QDate(2027, 12, 9);
    QTest::newRow("29 February") << QDate(2028, 2, 29) << QDate(2029, 2, 28);
    QTest::newRow("28 February before leap day") << QDate(2027, 2, 28) << QDate(2028, 2, 28);
    QTest::newRow("31 December") << QDate(2026, 12, 31) << QDate(2027, 12, 31);
}

void TstOperationKind::oneYearLater()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QCOMPARE(OneYearLater(from), to);
    const KindDates d = StandardDates(from);
    QCOMPARE(d.mounting, from);
    QCOMPARE(d.enabling, from);
    QCOMPARE(d.expiry, to);
    QVERIFY(IsExpiryWithinLimit(to, from));
    QVERIFY(!IsExpiryWithinLimit(to.addDays(1), from));
}

void TstOperationKind::modelYearLimit_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("max");
    QTest::newRow("10 December") << QDate(2026, 12, 10) << 2026;
    QTest::newRow("11 December") << QDate(2026, 12, 11) << 2027;
    QTest::newRow("1 January") << QDate(2027, 1, 1) << 2027;
    QTest::newRow("31 December") << QDate(2026, 12, 31) << 2027;
}

void TstOperationKind::modelYearLimit()
{
    QFETCH(QDate, today);
    QFETCH(int, max);
    QCOMPARE(MaxModelYear(today), max);
    QVERIFY(IsAcceptedModelYear(max, today));
    QVERIFY(!IsAcceptedModelYear(max + 1, today));
    QVERIFY(IsAcceptedModelYear(1951, today));
    QVERIFY(!IsAcceptedModelYear(1950, today));
}

void TstOperationKind::clockCanBePinned()
{
    Clock::setToday(QDate(2024, 2, 29));
    QCOMPARE(Clock::today(), QDate(2024, 2, 29));
    Clock::reset();
    QCOMPARE(Clock::today(), QDate::currentDate());
}

void TstOperationKind::gestionNames()
{
    for (const QString &t : RegulatorGestionTexts())
        QCOMPARE(GestionName(GestionLetter(t)), t); // round trip for the regulator
    QCOMPARE(ValveGestionTexts(), QStringList({"SIN CAMBIOS", "MONTAJE", "BAJA", "DESMONTAJE"}));
    QCOMPARE(CylinderGestionName("B"), QString("DESMONTAJE"));
    QCOMPARE(CylinderGestionName("D"), QString("DESMONTAJE"));
    QCOMPARE(CylinderGestionName("R"), QString("SIN CAMBIOS"));
    QCOMPARE(CylinderGestionName("M"), QString("MONTAJE"));
    QCOMPARE(ValveGestionName("B"), QString("DESMONTAJE"));
    QCOMPARE(ValveGestionName("S"), QString("SIN CAMBIOS"));
    QCOMPARE(GestionName("B"), QString("BAJA"));
}

void TstOperationKind::storedCodes()
{
    OperationRecord r;
    r.tipoUso = "MOTO";
    r.inyeccion = "SI";
    r.regulador.gestion = "DESMONTAJE";
    QCOMPARE(r.tipoUsoCode(), QString("6"));
    QCOMPARE(r.inyeccionCode(), QString("S"));
    QCOMPARE(r.regulatorGestionCode(), QString("D"));
    QCOMPARE(VehicleUseCode("TAXI"), QString("1"));
    QCOMPARE(VehicleUseCode("AUTOELEVADORES"), QString("7"));
    QCOMPARE(VehicleUseCode("CAMION"), QString());
    QCOMPARE(VehicleUseText("3"), QString("PARTICULAR"));
    QCOMPARE(VehicleUseText("8"), QString());
}

void TstOperationKind::stickerFill_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("shown");
    QTest::newRow("short") << "1234" << true << "0000001234";
    QTest::newRow("empty stays empty") << "" << true << "";
    QTest::newRow("already ten") << "0000001234" << true << "0000001234";
    QTest::newRow("full ten digits") << "9999999999" << true << "9999999999";
    QTest::newRow("pasted letters") << "12A4" << false << "12A4";
    QTest::newRow("pasted sign") << "-12" << false << "-12";
    QTest::newRow("pasted blanks") << " 12 " << true << "0000000012";
}

void TstOperationKind::stickerFill()
{
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    QFETCH(QString, shown);
    const StickerFill f = ZeroFillSticker(typed);
    QCOMPARE(f.ok, ok);
    QCOMPARE(f.text, shown);
    QCOMPARE(f.message.isEmpty(), ok);
}

void TstOperationKind::telephoneRules()
{
    QCOMPARE(AreaCodeProblem("0351"), QString("La caracteristica debe ir sin el 0 adelante"));
    QCOMPARE(AreaCodeProblem("4351"), QString("La caracteristica debe comenzar con 1,2 o 3"));
    QCOMPARE(AreaCodeProblem(""), QString("La caracteristica debe comenzar con 1,2 o 3"));
    QVERIFY(AreaCodeProblem("351").isEmpty());
    QVERIFY(AreaCodeProblem("11").isEmpty());
    QVERIFY(AreaCodeProblem("2944").isEmpty());
    QCOMPARE(TelephoneProblem("155123456"), QStringLiteral("El número va sin el 15 adelante"));
    QVERIFY(TelephoneProblem("5123456").isEmpty());
    QVERIFY(TelephoneProblem("").isEmpty());
}

QTEST_GUILESS_MAIN(TstOperationKind)
#include "tst_operationkind.moc"
