// Conversion orders on the real server: numbering per workshop, all or
// nothing on save and edit, two workstations at once, and the list search.
#include "data/conversionorderstore.h"
#include "data/dm1.h"
#include "sampleorder.h"
#include "testdb.h"

#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using ConversionOrderStore::SaveNew;

class TstConversionOrderStore : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_orderstore");

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
    void failCylinderInserts(bool on)
    {
        TestDb::exec(db, QStringLiteral("DROP TRIGGER IF EXISTS cil_falla"));
        if (on)
            TestDb::exec(db, QStringLiteral("CREATE TRIGGER cil_falla BEFORE INSERT ON ott_cil FOR EACH ROW "
                                            "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'cilindro rechazado'"));
    }
    static QVector<int> numbers(const QVector<ConversionOrderStore::ListRow> &rows)
    {
        QVector<int> out;
        for (const auto &r : rows)
            out << r.numero;
        return out;
    }
    static QVector<ConversionOrderStore::ListRow> find(OrderSearch::Kind kind, const QString &text,
                                                       const QString &workshop = {})
    {
        OrderSearch::Input in;
        in.kind = kind;
        in.text = text;
        in.allWorkshops = workshop.isEmpty();
        in.workshop = workshop;
        in.from = in.to = QDate(2026, 12, 9);
        return ConversionOrderStore::Find(OrderSearch::Build(in).filter);
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::PostVenta, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), QString()});
        TestDb::exec(db,
                     QStringLiteral("INSERT INTO codreg (CODIGO, MARCA, MODELO) VALUES ('T009', 'TOMASETTO', 'AT09')"));
    }
    void init()
    {
        for (const char *t : {"ott", "ott_reg", "ott_cil"})
            TestDb::exec(db, QStringLiteral("DELETE FROM %1").arg(QLatin1String(t)));
    }
    void cleanupTestCase()
    {
        dm1().closeAll();
        db.close();
        TestDb::drop(dbName);
    }

    void numbersArePerWorkshopFromOne()
    {
        for (int i = 0; i < 5; ++i) {
            Orders::ConversionOrder other = sampleOrder(QStringLiteral("TAL0005"));
            SaveNew(other);
        }
        Orders::ConversionOrder o = sampleOrder();
        QCOMPARE(SaveNew(o), 1);
        QCOMPARE(o.numero, 1);
        QCOMPARE(SaveNew(o), 2);
        Orders::ConversionOrder other = sampleOrder(QStringLiteral("TAL0005"));
        QCOMPARE(SaveNew(other), 6);
    }

    void savedOrderReadsBackWhole()
    {
        Orders::ConversionOrder o = sampleOrder(QStringLiteral("TDM0001"), 4);
        SaveNew(o);
        QCOMPARE(count("select count(*) from ott_cil where TALLER = 'TDM0001' and OTT_ID = 1"), 4);
        QCOMPARE(value("select CCODGEST from ott_cil where CNROSERIE = 'SER2'").toString(), QStringLiteral("B"));

        const auto back = ConversionOrderStore::Load(QStringLiteral("TDM0001"), 1);
        QVERIFY(back);
        QCOMPARE(back->owner, o.owner);
        QCOMPARE(back->fecha, o.fecha);
        QCOMPARE(back->regulator, o.regulator);
        QCOMPARE(back->cylinders.size(), 4);
        QCOMPARE(back->cylinders[1].gestion, QStringLiteral("DESMONTAJE"));
        QCOMPARE(back->cylinders[1].fabricac, QStringLiteral("05/2005"));
        QVERIFY(!ConversionOrderStore::Load(QStringLiteral("TDM0001"), 2));

        // No regulator code: no regulator row.
        Orders::ConversionOrder bare = sampleOrder();
        bare.regulator = {};
        SaveNew(bare);
        QCOMPARE(count("select count(*) from ott_reg where OTT_ID = 2"), 0);
        QCOMPARE(ConversionOrderStore::Load(QStringLiteral("TDM0001"), 2)->regulator, Orders::OrderRegulator());

        // A regulator that left the catalogue still shows, without its brand.
        Orders::ConversionOrder unknown = sampleOrder();
        unknown.regulator.codigo = QStringLiteral("ZZ99");
        SaveNew(unknown);
        const auto shown = ConversionOrderStore::Load(QStringLiteral("TDM0001"), 3);
        QCOMPARE(shown->regulator.codigo, QStringLiteral("ZZ99"));
        QCOMPARE(shown->regulator.marca, QString());
    }

    void failedCylinderInsertStoresNothing()
    {
        Orders::ConversionOrder first = sampleOrder();
        SaveNew(first);
        failCylinderInserts(true);
        Orders::ConversionOrder o = sampleOrder();
        QVERIFY_THROWS_EXCEPTION(DbError, SaveNew(o));
        failCylinderInserts(false);
        QCOMPARE(count("select count(*) from ott"), 1);
        QCOMPARE(count("select count(*) from ott_reg"), 1);
        QCOMPARE(count("select count(*) from ott_cil"), 2);
        // The number it would have had is still free.
        QCOMPARE(SaveNew(o), 2);
    }

    void editReplacesEquipmentAndKeepsTheFormerOwnersNeighbourhood()
    {
        Orders::ConversionOrder o = sampleOrder(QStringLiteral("TDM0001"), 3);
        SaveNew(o);
        o.owner = {9,
                   QStringLiteral("IBARRA SOLEDAD"),
                   QString(),
                   QString(),
                   QStringLiteral("67781122"),
                   QStringLiteral("221"),
                   QStringLiteral("SARMIENTO 640"),
                   QStringLiteral("HAEDO"),
                   QStringLiteral("MORON"),
                   QStringLiteral("1706"),
                   QStringLiteral("BUENOS AIRES"),
                   QStringLiteral("DNI"),
                   QStringLiteral("35111999")};
        o.regulator = {};
        o.cylinders.resize(1);
        o.fecha = QDate(2020, 1, 1); // the date is not rewritten
        ConversionOrderStore::SaveEdit(o);
        QCOMPARE(value("select propietario from ott").toString(), QStringLiteral("IBARRA SOLEDAD"));
        QCOMPARE(value("select propietario_id from ott").toInt(), 9);
        QCOMPARE(value("select barrio from ott").toString(), QStringLiteral("CENTRO"));
        QCOMPARE(value("select celular_carac from ott").toString(), QStringLiteral("11"));
        QCOMPARE(value("select fecha from ott").toDate(), QDate(2026, 12, 9));
        QCOMPARE(count("select count(*) from ott_reg"), 0);
        QCOMPARE(count("select count(*) from ott_cil"), 1);

        // An edit that fails half-way changes nothing.
        o.regulator = sampleOrder().regulator;
        o.cylinders = sampleOrder().cylinders;
        o.vin = QStringLiteral("OTRO VIN");
        failCylinderInserts(true);
        QVERIFY_THROWS_EXCEPTION(DbError, ConversionOrderStore::SaveEdit(o));
        failCylinderInserts(false);
        QCOMPARE(value("select vin from ott").toString(), QStringLiteral("8AGKB69T0KR123456"));
        QCOMPARE(count("select count(*) from ott_reg"), 0);
        QCOMPARE(count("select count(*) from ott_cil"), 1);
    }

    void listSearches()
    {
        Orders::ConversionOrder a = sampleOrder();
        SaveNew(a);
        Orders::ConversionOrder b = sampleOrder(QStringLiteral("TAL0005"));
        b.dominio = QStringLiteral("AAA000");
        b.owner.nombre = QStringLiteral("PEREZ JUAN");
        b.fecha = QDate(2026, 11, 30);
        SaveNew(b);
        Orders::ConversionOrder c = sampleOrder();
        c.owner.nombre = QStringLiteral("GOMEZ DE LUNA ANA");
        SaveNew(c);
        // Written elsewhere without a VIN: still found by its plate.
        TestDb::exec(db, QStringLiteral("UPDATE ott SET vin = NULL WHERE taller = 'TDM0001' AND ott_nro = 1"));

        using K = OrderSearch::Kind;
        QCOMPARE(numbers(find(K::Dominio, QStringLiteral("AB123CD"))), QVector<int>({2, 1}));
        QCOMPARE(numbers(find(K::Propietario, QStringLiteral("LUNA"))), QVector<int>({2, 1}));
        QCOMPARE(numbers(find(K::Propietario, QStringLiteral("LUNA"), QStringLiteral("TAL0005"))), QVector<int>());
        QCOMPARE(numbers(find(K::Numero, QStringLiteral("1"))), QVector<int>({1, 1}));
        QCOMPARE(numbers(find(K::Numero, QStringLiteral("1"), QStringLiteral("TAL0005"))), QVector<int>({1}));
        QCOMPARE(numbers(find(K::Periodo, QString())), QVector<int>({2, 1}));
        QCOMPARE(find(K::Vin, QStringLiteral("8AGKB69T0KR123456")).size(), 2);
        const auto rows = find(K::Dominio, QStringLiteral("AAA000"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].propietario, QStringLiteral("PEREZ JUAN"));
        QCOMPARE(rows[0].taller, QStringLiteral("TAL0005"));
        QCOMPARE(rows[0].fecha, QDate(2026, 11, 30));

        QVERIFY(ConversionOrderStore::PlateHasOrders(QStringLiteral("AB123CD ")));
        QVERIFY(!ConversionOrderStore::PlateHasOrders(QStringLiteral("ZZZ999")));
    }

    // Two workstations of one workshop saving at the same moment: every
    // order gets a number of its own and arrives whole.
    void twoWorkstationsSaveTogether()
    {
        const int each = 25;
        QProcess first, second;
        for (QProcess *p : {&first, &second})
            p->start(QStringLiteral(ORDER_SAVER), {dbName, QStringLiteral("TCONC01"), QString::number(each)});
        for (QProcess *p : {&first, &second}) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
        }
        QCOMPARE(count("select count(*) from ott where taller = 'TCONC01'"), 2 * each);
        QCOMPARE(count("select count(distinct ott_nro) from ott where taller = 'TCONC01'"), 2 * each);
        QCOMPARE(count("select max(ott_nro) from ott where taller = 'TCONC01'"), 2 * each);
        QCOMPARE(count("select count(*) from ott o where taller = 'TCONC01' and (select count(*) from ott_reg r "
                       "where r.TALLER = o.taller and r.OTT_ID = o.ott_nro) <> 1"),
                 0);
        QCOMPARE(count("select count(*) from ott o where taller = 'TCONC01' and (select count(*) from ott_cil c "
                       "where c.TALLER = o.taller and c.OTT_ID = o.ott_nro) <> 2"),
                 0);
    }
};

QTEST_GUILESS_MAIN(TstConversionOrderStore)
#include "tst_conversionorderstore.moc"
