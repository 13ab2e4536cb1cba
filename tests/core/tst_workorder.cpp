// Work-order rules: the entry checks, the warranty, the listing's bounds and
// what the printed order shows.
#include "core/installationprofile.h"
#include "core/workorder.h"
#include "sampleworkorder.h"

#include <QtTest>

using namespace WorkOrders;

class TstWorkOrder : public QObject
{
    Q_OBJECT

private slots:
    void emptyOrderListsEveryLineInOrder()
    {
        WorkOrder o;
        o.fecha = QDate(2026, 12, 9);
        // An empty delivery date also counts as earlier than the order.
        QCOMPARE(CheckNewOrder(o), QStringList({kNoPlate, kNoBrand, kNoModel, kNoDelivery, kEarlyDelivery, kNoDealer,
                                                kNoOwner, kNoMobile, kNoReceptionist, kNoFault}));
        QCOMPARE(CheckNewOrder(sampleWorkOrder()), QStringList());
    }

    void deliveryDateAndFaults()
    {
        WorkOrder o = sampleWorkOrder();
        o.entregaFecha = o.fecha;
        QCOMPARE(CheckNewOrder(o), QStringList());
        o.entregaFecha = o.fecha.addDays(-1);
        QCOMPARE(CheckNewOrder(o), QStringList{kEarlyDelivery});
        o = sampleWorkOrder();
        o.faults.clear();
        QCOMPARE(CheckNewOrder(o), QStringList{kNoFault});
        o = sampleWorkOrder();
        o.fecha = {};
        QCOMPARE(CheckNewOrder(o), QStringList{kBadOrderDate});
    }

    void warrantyRunsUntilTheDayBeforeExpiry()
    {
        const QDate today(2026, 12, 9);
        QVERIFY(!WarrantyOf(std::nullopt, today).running);
        const Warranty expired = WarrantyOf(Conversion{today, QDate(2025, 12, 9)}, today);
        QVERIFY(!expired.running);
        QCOMPARE(expired.expiryText, QString());
        const Warranty w = WarrantyOf(Conversion{today.addDays(1), QDate(2025, 12, 10)}, today);
        QVERIFY(w.running);
        QCOMPARE(w.expiryText, QStringLiteral("Vencimiento = 10/12/2026"));
        QCOMPARE(w.conversionDate, QDate(2025, 12, 10));
    }

    void listingBounds_data()
    {
        QTest::addColumn<bool>("con");
        QTest::addColumn<bool>("sin");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("both") << true << true << QStringList{"SI", "NO"};
        QTest::newRow("neither lists either") << false << false << QStringList{"NO", "SI"};
        QTest::newRow("con") << true << false << QStringList{"SI", "SI"};
        QTest::newRow("sin") << false << true << QStringList{"NO", "NO"};
    }
    void listingBounds()
    {
        QFETCH(bool, con);
        QFETCH(bool, sin);
        QFETCH(QStringList, values);
        ListInput in{QDate(2026, 12, 1), QDate(2026, 12, 9), false, QStringLiteral("TDM0001 "), con, sin};
        const ListFilter f = BuildList(in);
        QCOMPARE((QStringList{f.warranty1, f.warranty2}), values);
        QCOMPARE(f.untilBefore, QDate(2026, 12, 10)); // the last day whole
        QCOMPARE(f.firstWorkshop, QStringLiteral("TDM0001"));
        QCOMPARE(f.periodLine, QStringLiteral("Periodo: 01/12/2026 al 09/12/2026"));
        QCOMPARE(f.workshopLine, QStringLiteral("Taller: TDM0001"));
        in.allWorkshops = true;
        QCOMPARE(BuildList(in).workshopLine, QStringLiteral("Taller: Todos"));
    }

    void emptyDatesAreNull()
    {
        WorkOrder o = sampleWorkOrder();
        o.entregaFecha = {};
        const QVariantMap c = OpvColumns(o);
        QVERIFY(c.value(QStringLiteral("entrega_fecha")).isNull());
        QVERIFY(!c.contains(QStringLiteral("entregado_fecha")));
        QVERIFY(OpvUpdateColumns(o).value(QStringLiteral("entregado_fecha")).isNull());
        QVERIFY(!OpvUpdateColumns(o).contains(QStringLiteral("celular_carac")));
        QCOMPARE(FromRow(c).entregaFecha, QDate());
    }

    void printedOrder()
    {
        WorkOrder o = sampleWorkOrder(QStringLiteral("TDM0001"), 6);
        PrintContext ctx{false, QStringLiteral("LINDEN GNC"), true, QDate(2025, 3, 4)};
        QVariantMap v = PrintValues(o, ctx);
        QCOMPARE(v.value(QStringLiteral("Trabajo4")).toString(), QStringLiteral("CAMBIO DE FILTRO DE GAS"));
        QVERIFY(!v.contains(QStringLiteral("Trabajo5"))); // six jobs print four
        QVERIFY(v.value(QStringLiteral("EnGarantia")).toBool());
        QVERIFY(v.value(QStringLiteral("MuestraFechaConversion")).toBool());
        QCOMPARE(v.value(QStringLiteral("FechaConversion")).toString(), QStringLiteral("04/03/2025"));
        QVERIFY(v.value(QStringLiteral("Consentimiento")).toString().contains(QStringLiteral(" LINDEN GNC a rodar")));
        QCOMPARE(v.value(QStringLiteral("Importe")).toString(), QStringLiteral("42500.50"));
        ctx.reprint = true; // never on a reprint
        QVERIFY(!PrintValues(o, ctx).value(QStringLiteral("MuestraFechaConversion")).toBool());
        o.garantia = QStringLiteral("RE");
        ctx.reprint = false;
        v = PrintValues(o, ctx);
        QVERIFY(!v.value(QStringLiteral("EnGarantia")).toBool());
        QVERIFY(!v.value(QStringLiteral("MuestraFechaConversion")).toBool());
    }

    void consentCompanyIsProfileData()
    {
        const InstallationProfile &linden = *profileById(QStringLiteral("LIND01"));
        const InstallationProfile &birch = *profileById(QStringLiteral("BIRC01"));
        const InstallationProfile &mulberry = *profileById(QStringLiteral("MULB01"));
        QCOMPARE(ConsentCompany(linden, false), linden.workOrderConsentCompany);
        QCOMPARE(ConsentCompany(linden, true), linden.workOrderConsentCompany);
        QCOMPARE(ConsentCompany(birch, false), birch.workOrderConsentCompany);
        QCOMPARE(ConsentCompany(birch, true), kLayoutConsentCompany);
        QCOMPARE(ConsentCompany(mulberry, false), kLayoutConsentCompany);
    }
};

QTEST_GUILESS_MAIN(TstWorkOrder)
#include "tst_workorder.moc"
