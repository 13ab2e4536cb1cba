// The post-sales master files and owners on the real server.
#include "data/dm1.h"
#include "data/masterfiles.h"
#include "data/ownerstore.h"
#include "sampleorder.h"
#include "testdb.h"

#include <QSqlQuery>
#include <QtTest>

using namespace MasterFiles;

class TstMasterFiles : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_masterfiles");

    static QStringList names(const QVector<Item> &items)
    {
        QStringList out;
        for (const Item &i : items)
            out << i.name;
        return out;
    }
    static QStringList ownerNames(const QVector<Owners::Owner> &owners)
    {
        QStringList out;
        for (const Owners::Owner &o : owners)
            out << o.fullName();
        return out;
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::PostVenta, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), QString()});
    }
    void cleanupTestCase()
    {
        dm1().closeAll();
        db.close();
        TestDb::drop(dbName);
    }

    void simpleMasters()
    {
        for (const char *f : {"PIERDE GAS", "NO PASA A GAS", "TIRONEA EN GNC", "50% MENOS"})
            Add(Table::Faults, QLatin1String(f));
        QCOMPARE(names(List(Table::Faults)),
                 QStringList({"50% MENOS", "NO PASA A GAS", "PIERDE GAS", "TIRONEA EN GNC"}));
        QCOMPARE(names(List(Table::Faults, QStringLiteral("GAS"))), QStringList({"NO PASA A GAS", "PIERDE GAS"}));
        QCOMPARE(names(List(Table::Faults, QStringLiteral("0%"))), QStringList({"50% MENOS"})); // literally

        const int acosta = Add(Table::Technicians, QStringLiteral("ACOSTA LEANDRO"));
        const int britez = Add(Table::Technicians, QStringLiteral("BRITEZ DAMIAN"));
        QVERIFY(acosta > 0 && britez > acosta);
        Rename(Table::Technicians, britez, QStringLiteral("BRITEZ DAMIAN ALBERTO"));
        QCOMPARE(NameOf(Table::Technicians, britez), QStringLiteral("BRITEZ DAMIAN ALBERTO"));
        Remove(Table::Technicians, acosta);
        QCOMPARE(NameOf(Table::Technicians, acosta), QString()); // still named by orders: empty
        QCOMPARE(NameOf(Table::Technicians, 0), QString());
        QCOMPARE(List(Table::Technicians), QVector<Item>({{britez, QStringLiteral("BRITEZ DAMIAN ALBERTO")}}));

        const int oeste = Add(Table::Dealers, QStringLiteral("OESTE MOTORS"));
        const int haedo = Add(Table::Dealers, QStringLiteral("AUTOMOTORES HAEDO S.A."));
        // A name another row has is refused, adding or renaming; a name that
        // differs in an accent or its case is another name.
        QCOMPARE(Add(Table::Dealers, QStringLiteral("OESTE MOTORS")), 0);
        QVERIFY(!Rename(Table::Dealers, haedo, QStringLiteral("OESTE MOTORS")));
        QVERIFY(Rename(Table::Dealers, oeste, QStringLiteral("OESTE MOTORS"))); // its own name
        QVERIFY(Add(Table::Dealers, QStringLiteral("OESTE MOTÓRS")) > 0);
        QCOMPARE(Add(Table::Faults, QStringLiteral("PIERDE GAS")), 0);
        QCOMPARE(names(List(Table::Dealers)), QStringList({"AUTOMOTORES HAEDO S.A.", "OESTE MOTORS", "OESTE MOTÓRS"}));
        Add(Table::Jobs, QStringLiteral("AJUSTE DE MEZCLA"));
        QCOMPARE(names(List(Table::Jobs, QStringLiteral("mezcla"))), QStringList({"AJUSTE DE MEZCLA"}));
    }

    void brandsAndModels()
    {
        QVERIFY(AddBrand(QStringLiteral("FIAT")));
        QVERIFY(AddBrand(QStringLiteral("CHEVROLET")));
        QVERIFY(!AddBrand(QStringLiteral("FIAT"))); // already there
        QCOMPARE(Brands(), QStringList({"CHEVROLET", "FIAT"}));
        QVERIFY(AddModel(QStringLiteral("FIAT"), QStringLiteral("UNO")));
        QVERIFY(AddModel(QStringLiteral("FIAT"), QStringLiteral("SIENA")));
        QVERIFY(AddModel(QStringLiteral("FIAT"), QString())); // an empty model is stored as such
        QVERIFY(!AddModel(QStringLiteral("FIAT"), QStringLiteral("UNO")));
        QCOMPARE(Models(QStringLiteral("FIAT")), QStringList({"", "SIENA", "UNO"}));
        RemoveModel(QStringLiteral("FIAT"), QStringLiteral("UNO"));
        QCOMPARE(Models(QStringLiteral("FIAT")), QStringList({"", "SIENA"}));
        QCOMPARE(Models(QStringLiteral("CHEVROLET")), QStringList());
    }

    // A picker reads its list once per session; a change made here shows at
    // once, another workstation's with the next session.
    void pickListsAreReadOncePerSession()
    {
        dm1().closeAll();
        dm1().resetExchangeCount();
        const QVector<Item> faults = PickList(Table::Faults);
        QCOMPARE(PickList(Table::Faults), faults);
        ForOrders(true);
        ForOrders(true);
        QCOMPARE(PickModels(QStringLiteral("FIAT")), PickModels(QStringLiteral("FIAT")));
        QCOMPARE(dm1().exchangeCount(), quint64(3));

        Add(Table::Faults, QStringLiteral("RATEA EN FRIO"));
        QVERIFY(names(PickList(Table::Faults)).contains(QStringLiteral("RATEA EN FRIO")));
        AddModel(QStringLiteral("FIAT"), QStringLiteral("PALIO"));
        QVERIFY(PickModels(QStringLiteral("FIAT")).contains(QStringLiteral("PALIO")));

        TestDb::exec(db, QStringLiteral("insert into fallas (falla) values ('FALLA DE OTRO PUESTO')"));
        QVERIFY(!names(PickList(Table::Faults)).contains(QStringLiteral("FALLA DE OTRO PUESTO")));
        dm1().closeAll();
        QVERIFY(names(PickList(Table::Faults)).contains(QStringLiteral("FALLA DE OTRO PUESTO")));
    }

    void ownersSearchInsertAndUpdate()
    {
        const int gomez = OwnerStore::Insert(sampleOwner(QStringLiteral("GOMEZ"), QStringLiteral("30111222")));
        OwnerStore::Insert(sampleOwner(QStringLiteral("ALGOMEZA"), QStringLiteral("301112220")));
        OwnerStore::Insert(sampleOwner(QStringLiteral("PEREZ"), QStringLiteral("20-12345678-3")));
        QVERIFY(gomez > 0);

        using OwnerStore::By;
        QCOMPARE(ownerNames(OwnerStore::Search(By::Name, QStringLiteral("GOMEZ"))),
                 QStringList({"ALGOMEZA ANA MARIA", "GOMEZ ANA MARIA"}));
        QCOMPARE(ownerNames(OwnerStore::Search(By::Document, QStringLiteral("30111222"))),
                 QStringList({"GOMEZ ANA MARIA"})); // exact, not a fragment
        QCOMPARE(OwnerStore::Search(By::Document, QStringLiteral("3011122")).size(), 0);

        Owners::Owner changed = *OwnerStore::Find(gomez);
        QCOMPARE(changed.localidad, QStringLiteral("RAMOS MEJIA"));
        changed.nombres = QStringLiteral("ANA");
        changed.telefono = QStringLiteral("46581234");
        OwnerStore::Update(changed);
        const Owners::Owner stored = *OwnerStore::Find(gomez);
        QCOMPARE(stored, changed);
        QCOMPARE(OwnerStore::Row(stored).value("propietario").toString(), QStringLiteral("GOMEZ ANA"));
        QVERIFY(!OwnerStore::Find(99999));
    }

    void ownerSearchShowsTheFirstThousandByName()
    {
        TestDb::exec(db, QStringLiteral("INSERT INTO propietarios (propietario, nroDoc) SELECT CONCAT('ZAPATA ', "
                                        "LPAD(seq, 4, '0')), seq FROM seq_1_to_1005"));
        const QVector<Owners::Owner> found = OwnerStore::Search(OwnerStore::By::Name, QStringLiteral("ZAPATA"));
        QCOMPARE(found.size(), 1000);
        QCOMPARE(found.first().fullName(), QStringLiteral("ZAPATA 0001"));
        QCOMPARE(found.last().fullName(), QStringLiteral("ZAPATA 1000"));
    }
};

QTEST_GUILESS_MAIN(TstMasterFiles)
#include "tst_masterfiles.moc"
