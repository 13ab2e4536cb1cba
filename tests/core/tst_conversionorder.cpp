// Conversion orders, owners and the order search as rules: what is stored,
// what comes back, what is printed and what is refused.
#include "core/conversionorder.h"
#include "core/ordersearch.h"
#include "core/owner.h"
#include "sampleorder.h"

#include <QtTest>

using namespace Orders;

namespace
{

// Column maps as the server hands them back: any case, blank padding.
QList<QVariantMap> asStored(const QList<QVariantMap> &rows)
{
    QList<QVariantMap> out;
    for (const QVariantMap &r : rows) {
        QVariantMap s;
        for (auto it = r.cbegin(); it != r.cend(); ++it)
            s.insert(it.key().toLower(),
                     it.value().typeId() == QMetaType::QString ? it.value().toString() + "  " : it.value());
        out << s;
    }
    return out;
}

} // namespace

class TstConversionOrder : public QObject
{
    Q_OBJECT
private slots:
    void yearLimits()
    {
        const QDate today(2026, 12, 9);
        QVERIFY(!IsAcceptedYear(1950, today));
        QVERIFY(IsAcceptedYear(1951, today));
        QVERIFY(IsAcceptedYear(2027, today));
        QVERIFY(!IsAcceptedYear(2028, today));
    }

    void numbersAndPlates()
    {
        QCOMPARE(NextNumber(0), 1);
        QCOMPARE(NextNumber(41), 42);
        QVERIFY(!ChecksDuplicatePlate(QStringLiteral(" AAA000 ")));
        QVERIFY(!ChecksDuplicatePlate(QString()));
        QVERIFY(ChecksDuplicatePlate(QStringLiteral("AAA001")));
    }

    void newOrderNeedsPlateVehicleDealerAndOwner()
    {
        QCOMPARE(MissingForNewOrder(sampleOrder()), QList<Required>());
        ConversionOrder o;
        o.dominio = QStringLiteral("   ");
        QCOMPARE(MissingForNewOrder(o), QList<Required>({Required::Dominio, Required::Marca, Required::Modelo,
                                                         Required::Concesionario, Required::Propietario}));
    }

    // Stored with letters and two-digit years, read back as the lists show
    // them; a retired cylinder comes back as "DESMONTAJE" and is then stored "D".
    void cylindersRoundTrip()
    {
        ConversionOrder o = sampleOrder(QStringLiteral("TDM0001"), 4);
        o.numero = 12;
        const QList<QVariantMap> cils = OttCilColumns(o);
        QCOMPARE(cils.size(), 4);
        QCOMPARE(cils[1].value("CCODGEST").toString(), QStringLiteral("B"));
        QCOMPARE(cils[1].value("CANOFABR").toString(), QStringLiteral("05"));
        QCOMPARE(cils[0].value("CANOFABR").toString(), QStringLiteral("87"));
        QCOMPARE(cils[0].value("RVALGEST").toString(), QStringLiteral("SIN CAMBIOS"));
        QCOMPARE(cils[0].value("OTT_ID").toInt(), 12);

        const ConversionOrder back = FromRows(OttColumns(o), asStored({OttRegColumns(o)}), asStored(cils));
        QCOMPARE(back.cylinders.size(), 4);
        QCOMPARE(back.cylinders[1].gestion, QStringLiteral("DESMONTAJE"));
        QCOMPARE(back.cylinders[1].fabricac, QStringLiteral("05/2005"));
        QCOMPARE(back.cylinders[0].fabricac, QStringLiteral("11/1987"));
        QCOMPARE(back.cylinders[0].uphResult, QStringLiteral("APROBADO"));
        QCOMPARE(back.cylinders[0].valGest, QStringLiteral("MONTAJE"));
        QVERIFY(!back.cylinders[0].fecVencCrpc.isValid()); // not read back
        QCOMPARE(OttCilColumns(back)[1].value("CCODGEST").toString(), QStringLiteral("D"));

        QCOMPARE(back.regulator.codigo, QStringLiteral("T009"));
        QCOMPARE(back.regulator.nuevo, QStringLiteral("SI"));
        QCOMPARE(back.owner, o.owner);
        QCOMPARE(back.technicians, o.technicians);
        QCOMPARE(back.dealer, 3);
    }

    void regulatorRow()
    {
        ConversionOrder o = sampleOrder();
        o.regulator.nuevo = QStringLiteral("NO");
        QCOMPARE(OttRegColumns(o).value("RNUEVO").toString(), QStringLiteral("N"));
        QCOMPARE(OttRegColumns(o).value("RCODGEST").toString(), QStringLiteral("C"));
        o.regulator.codigo = QStringLiteral(" ");
        QVERIFY(OttRegColumns(o).isEmpty());
    }

    void printedOrder()
    {
        ConversionOrder o = sampleOrder(QStringLiteral("TDM0009"), 4);
        o.numero = 3;
        PrintContext ctx;
        ctx.pecName = QStringLiteral("PEC DEMO");
        ctx.workshopCode = QStringLiteral("TDM0001");
        ctx.technicianNames[int(Role::ControlPerdidas)] = QStringLiteral("DUARTE FACUNDO");
        QVariantMap v = PrintValues(o, ctx);
        QCOMPARE(v.value("Taller").toString(), QStringLiteral("TDM0001"));
        QCOMPARE(v.value("Tel").toString(), QStringLiteral("11 54327788"));
        QCOMPARE(v.value("Autorizo").toString(), kConsentLead + QStringLiteral(" PEC DEMO"));
        QCOMPARE(v.value("Vehiculo").toString(), QStringLiteral("CHEVROLET PRISMA"));
        QCOMPARE(v.value("RegNuevo").toString(), QStringLiteral("X"));
        QCOMPARE(v.value("RegUsado").toString(), QString());
        QCOMPARE(v.value("Cil3Serie").toString(), QStringLiteral("SER3"));
        QCOMPARE(v.value("Cil1MesAnio").toString(), QStringLiteral("01/2024"));
        QVERIFY(!v.contains("Cil4Serie")); // a fourth cylinder is stored, not printed
        QCOMPARE(v.value("ControlPerdidas").toString(), QStringLiteral("DUARTE FACUNDO"));

        ctx.reprint = true;
        o.regulator.codigo.clear();
        o.cylinders.resize(1);
        v = PrintValues(o, ctx);
        QCOMPARE(v.value("Tel").toString(), QStringLiteral("54327788"));
        QCOMPARE(v.value("Autorizo").toString(), kConsentLead);
        QCOMPARE(v.value("RegNuevo").toString() + v.value("RegUsado").toString(), QString());
        QCOMPARE(v.value("Cil2Capacidad").toString(), QString());
    }

    void orderSearch()
    {
        OrderSearch::Input in;
        in.kind = OrderSearch::Kind::Numero;
        in.text = QStringLiteral("12A");
        OrderSearch::Outcome out = OrderSearch::Build(in);
        QVERIFY(!out.ok);
        QCOMPARE(out.message, QStringLiteral("El número de orden debe ser un número entero."));
        in.text = QStringLiteral(" 12 ");
        out = OrderSearch::Build(in);
        QVERIFY(out.ok);
        QCOMPARE(out.filter.number, 12);
        QCOMPARE(out.filter.firstWorkshop, QStringLiteral("AAA0000"));
        QCOMPARE(out.filter.lastWorkshop, QStringLiteral("ZZZ9999"));

        in.kind = OrderSearch::Kind::Propietario;
        in.text = QStringLiteral("50%_OFF");
        in.allWorkshops = false;
        in.workshop = QStringLiteral("TAL0005");
        out = OrderSearch::Build(in);
        QCOMPARE(out.filter.text, QStringLiteral("%50!%!_OFF%"));
        QCOMPARE(out.filter.firstWorkshop, QStringLiteral("TAL0005"));
        QCOMPARE(out.filter.lastWorkshop, QStringLiteral("TAL0005"));
    }

    void ownerChecks()
    {
        Owners::Owner o = sampleOwner();
        QVERIFY(Owners::CheckOwner(o).ok());
        o.email.clear();
        QVERIFY(Owners::CheckOwner(o).ok());

        o.email = QStringLiteral("ana@correo");
        o.celular = QStringLiteral(" ");
        const Owners::Check c = Owners::CheckOwner(o);
        QCOMPARE(c.failed, QList<Owners::Field>({Owners::Field::Celular, Owners::Field::Email}));
        QCOMPARE(c.warnings, QStringList{Owners::kInvalidEmail});
        QCOMPARE(c.information, Owners::kIncomplete);

        QCOMPARE(Owners::CheckOwner(Owners::Owner()).failed.size(), 5);
        QCOMPARE(o.fullName(), QStringLiteral("GOMEZ ANA MARIA"));
        // Surname and names of 40 each still fit the whole-name column.
        o.apellido = QString(40, QLatin1Char('A'));
        o.nombres = QString(40, QLatin1Char('B'));
        QCOMPARE(o.fullName().size(), 50);
    }

    void ownerRows()
    {
        Owners::Owner o = sampleOwner();
        o.id = 9;
        QVariantMap row = Owners::Columns(o);
        row.insert(QStringLiteral("propietario_id"), 9);
        QCOMPARE(Owners::FromRow(row), o);
        // A row written elsewhere with the whole name only.
        const QVariantMap old{{QStringLiteral("propietario"), QStringLiteral("PEREZ JUAN CARLOS")}};
        QCOMPARE(Owners::FromRow(old).apellido, QStringLiteral("PEREZ"));
        QCOMPARE(Owners::FromRow(old).nombres, QStringLiteral("JUAN CARLOS"));
        QCOMPARE(OwnerFromRow(row).nombre, QStringLiteral("GOMEZ ANA MARIA"));
        QCOMPARE(OwnerFromRow(row).id, 9);
    }
};

QTEST_APPLESS_MAIN(TstConversionOrder)
#include "tst_conversionorder.moc"
