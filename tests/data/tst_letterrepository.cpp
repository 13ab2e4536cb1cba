// Commitment letters on the real server: a letter and its items are stored
// together or not at all, each save is a letter of its own, and the query
// finds them again by day and workshop.
#include "data/dm1.h"
#include "data/letterrepository.h"
#include "data/lettertable.h"
#include "data/localstore.h"
#include "sampleletter.h"
#include "testdb.h"

#include <QSqlQuery>
#include <QtTest>

class TstLetterRepository : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_letterrepository");
    const QDate today{2026, 12, 9};

    Letter::Stored letter(int items, const QString &workshop = QStringLiteral("T000123"))
    {
        Letter::Stored s;
        s.owner = Sample::letterOwner();
        s.purpose = Letter::Purpose::OtherCases;
        s.date = today;
        s.workshopCode = workshop;
        s.items = Sample::letterItems(items);
        return s;
    }

    int count(const QString &table)
    {
        QSqlQuery q(db);
        q.exec(QStringLiteral("select count(*) from ") + table);
        return q.next() ? q.value(0).toInt() : -1;
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::Operations,
                        {QStringLiteral("localhost"), dbName, TestDb::user(), TestDb::password(), {}});
    }
    void cleanupTestCase()
    {
        dm1().closeAll();
        db.close();
        TestDb::drop(dbName);
    }
    void init()
    {
        TestDb::exec(db, QStringLiteral("delete from carta_compromiso_cab"));
        TestDb::exec(db, QStringLiteral("delete from carta_compromiso_det"));
    }

    void storesEveryItemAndFindsTheLetterAgain()
    {
        Letter::Stored s = letter(5);
        s.items[1].mass.reset(); // an item nobody measured stays without a mass
        s.items[2].observations = QStringLiteral("O'BRIEN \"X\"; --");
        const int id = LetterRepository::Save(s);
        LetterRepository::Save(letter(1, QStringLiteral("T000999"))); // another workshop's

        const auto rows = LetterRepository::FindByDate(today, QStringLiteral("T000123"));
        QCOMPARE(rows.size(), 1);
        const LetterRepository::Header found = LetterRepository::HeaderOf(rows[0]);
        QCOMPARE(found.id, id);
        QCOMPARE(found.date, today);
        Letter::Owner stored = s.owner;
        stored.floor.clear(); // printed, never stored
        stored.apartment.clear();
        QCOMPARE(found.owner, stored);
        QCOMPARE(found.purpose, Letter::Purpose::OtherCases);
        QCOMPARE(LetterRepository::Items(id), s.items);
        QVERIFY(LetterRepository::FindByDate(today.addDays(-1), QStringLiteral("T000123")).isEmpty());
    }

    void eachSaveIsALetterOfItsOwn()
    {
        const int first = LetterRepository::Save(letter(2));
        const int second = LetterRepository::Save(letter(3));
        QVERIFY(second != first);
        QCOMPARE(LetterRepository::Items(first).size(), 2);
        QCOMPARE(LetterRepository::Items(second).size(), 3);
        QCOMPARE(LetterRepository::FindByDate(today, QStringLiteral("T000123")).size(), 2);
        const int empty = LetterRepository::Save(letter(0));
        QVERIFY(LetterRepository::Items(empty).isEmpty());
    }

    void aFailedItemLeavesNoHeader()
    {
        TestDb::exec(db, QStringLiteral("create trigger fail_det before insert on carta_compromiso_det for each row "
                                        "signal sqlstate '45000' set message_text = 'rechazado por la prueba'"));
        QVERIFY_THROWS_EXCEPTION(DbError, LetterRepository::Save(letter(3)));
        TestDb::exec(db, QStringLiteral("drop trigger fail_det"));
        QCOMPARE(count(QStringLiteral("carta_compromiso_cab")), 0);
        QCOMPARE(count(QStringLiteral("carta_compromiso_det")), 0);
        QVERIFY(LetterRepository::Save(letter(1)) > 0); // the connection is fine afterwards
    }

    void centresInTableOrder()
    {
        TestDb::exec(db, QStringLiteral("insert into carta_crpc (crpc) values ('CYPRESS'), ('BIRCH'), ('OTRO')"));
        QCOMPARE(LetterRepository::RevisionCentres(), QStringList({"BIRCH", "CYPRESS", "OTRO"}));
    }

    void localTableKeepsMissingMeasures()
    {
        LocalTable &t = localStore().table(LocalTableId::LetterCylinders);
        QVector<Letter::Item> items = Sample::letterItems(2);
        items[0].diameter.reset();
        LetterTable::Replace(t, items);
        QCOMPARE(LetterTable::Read(t), items);
        Letter::Item edited = items[1];
        edited.mass = 51.25;
        edited.valveModel = QStringLiteral("NUEVO");
        edited.cylinderSerial = QStringLiteral("NO SE EDITA");
        LetterTable::Update(t, 1, edited);
        edited.cylinderSerial = items[1].cylinderSerial;
        QCOMPARE(LetterTable::At(t, 1), edited);
    }
};

QTEST_GUILESS_MAIN(TstLetterRepository)
#include "tst_letterrepository.moc"
