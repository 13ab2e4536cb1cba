// The readings behind the rankings and the vehicle history, on a real
// server: which fault entries each ranking counts and what it shares them
// out over, and which orders and operations a plate shows.
#include "core/faultranking.h"
#include "data/dm1.h"
#include "data/statsstore.h"
#include "statsdb.h"

#include <QtTest>
#include <numeric>

namespace
{

const QString kOps = QStringLiteral("t_statsstore_ops");
const QString kPv = QStringLiteral("t_statsstore_pv");

// fault id -> count, as ranked.
QList<QPair<int, qint64>> counts(const QVector<Ranking::Row> &rows)
{
    QList<QPair<int, qint64>> out;
    for (const Ranking::Row &r : rows)
        out << qMakePair(r.falla, r.cantidad);
    return out;
}

QVector<Ranking::Row> rank(const Ranking::Bounds &b)
{
    return Ranking::Rank(StatsStore::FaultCounts(b));
}

} // namespace

class TstStatsStore : public QObject
{
    Q_OBJECT
    QSqlDatabase db;

private slots:
    void initTestCase()
    {
        db = StatsDb::create(kOps, kPv);
        dm1().configure(Conn::Operations, {TestDb::host(), kOps, TestDb::user(), TestDb::password(), QString()});
        dm1().configure(Conn::PostVenta, {TestDb::host(), kPv, TestDb::user(), TestDb::password(), QString()});
    }
    void cleanupTestCase()
    {
        dm1().closeAll();
        PostSalesDb::drop(kOps, kPv);
    }

    // Every order: a fault entered twice counts twice, a fault gone from the
    // master file still counts (without description), and the shares add up
    // to 100.
    void everyOrderCountsEachEntryOfItsOwnOrder()
    {
        const QVector<Ranking::Row> rows = rank(Ranking::EveryOrder());
        using P = QPair<int, qint64>;
        QCOMPARE(counts(rows), (QList<P>{P(1, 2), P(2, 2), P(3, 1), P(9, 1)}));
        QCOMPARE(rows[0].descripcion, QStringLiteral("NO PASA A GAS"));
        QCOMPARE(rows[3].descripcion, QString());
        QCOMPARE(rows[2].porc, 100.0 / 6);
        const double sum =
            std::accumulate(rows.begin(), rows.end(), 0.0, [](double s, const Ranking::Row &r) { return s + r.porc; });
        QVERIFY(qAbs(sum - 100.0) < 1e-9);
    }

    // Order 5 of TAL0005 (dealer 1, May) shares its number with TDM0001's
    // order 5 (dealer 2, March): its fault never reaches dealer 2's ranking.
    // The last day of the period counts whatever the order's time of day.
    void dealerRankingTakesItsOwnOrdersOfThePeriod()
    {
        using P = QPair<int, qint64>;
        const QVector<Ranking::Row> march = rank(Ranking::ForDealer(2, QDate(2026, 3, 1), QDate(2026, 3, 31)));
        QCOMPARE(counts(march), (QList<P>{P(1, 2), P(2, 2)}));
        QCOMPARE(march[0].porc, 50.0);
        QVERIFY(rank(Ranking::ForDealer(1, QDate(2026, 3, 1), QDate(2026, 4, 30))).isEmpty());
        QCOMPARE(counts(rank(Ranking::ForDealer(1, QDate(2026, 5, 20), QDate(2026, 5, 20)))), (QList<P>{P(3, 1)}));
    }

    void modelRankingKeepsItsWorkshopBounds()
    {
        using P = QPair<int, qint64>;
        const QDate from(2026, 3, 1), to(2026, 4, 30);
        QCOMPARE(counts(rank(Ranking::ForModel("FIAT", "UNO", from, to, true, {}))),
                 (QList<P>{P(1, 2), P(2, 2), P(9, 1)}));
        const QVector<Ranking::Row> one = rank(Ranking::ForModel("FIAT", "UNO", from, to, false, "TAL0005"));
        QCOMPARE(counts(one), (QList<P>{P(9, 1)}));
        QCOMPARE(one[0].porc, 100.0);
        QVERIFY(rank(Ranking::ForModel("FIAT", "SIENA", from, to, true, {})).isEmpty());
        QVERIFY(rank(Ranking::ForModel("FORD", "FOCUS", from, to, true, {})).isEmpty());
    }

    void ordersOfModelNewestFirstWithTheirOwner()
    {
        const QVector<StatsStore::OrderRow> rows = StatsStore::OrdersOfModel(
            Ranking::ForModel("FIAT", "UNO", QDate(2026, 1, 1), QDate(2026, 12, 31), true, {}));
        QStringList keys;
        for (const StatsStore::OrderRow &r : rows)
            keys << r.taller + QLatin1Char('/') + QString::number(r.numero);
        // TDM0001 7 has no owner on file.
        QCOMPARE(keys, (QStringList{"TAL0005/6", "TDM0001/6", "TDM0001/5"}));
        QCOMPARE(rows[0].propietario, QStringLiteral("LUNA ESTEBAN"));
        QCOMPARE(rows[1].fecha, QDateTime(QDate(2026, 3, 31), QTime(18, 0)));
    }

    void plateHistory()
    {
        QSqlDatabase ops = QSqlDatabase::database(kOps);
        TestDb::exec(ops, QStringLiteral("insert into usr (peccod, codtal, talcuit, tnrointopr, udominio, udescgest, "
                                         "uobleanew, ufecrev, ufecvenhab) values ('P001', 'TDM0001', '30-1', 2, "
                                         "'AB123CD', 'RENOVACION', '0000002222', '2026-11-05', '2027-11-05'), "
                                         "('P001', 'TDM0001', '30-1', 1, 'AB123CD', 'CONVERSION', '0000001111', "
                                         "'2025-11-05', '2026-11-05')"));
        dm1().resetExchangeCount();
        const QVector<History::WorkOrder> work = StatsStore::OrdersOfPlate(QStringLiteral("AB123CD")).work;
        QCOMPARE(dm1().exchangeCount(), quint64(1)); // both kinds of order in one
        QStringList keys;
        for (const History::WorkOrder &w : work)
            keys << w.taller + QLatin1Char('/') + QString::number(w.numero);
        // TDM0001 7 names neither an owner nor a receptionist on file.
        QCOMPARE(keys, (QStringList{"TAL0005/5", "TAL0005/6", "TDM0001/6", "TDM0001/5"}));
        QCOMPARE(work[0].recepcionista, QStringLiteral("ACOSTA LEANDRO"));
        QCOMPARE(work[0].km, 5000);

        QCOMPARE(StatsStore::OrdersOfPlate(QStringLiteral("CC111AA")).conversions.first().marca,
                 QStringLiteral("FORD"));
        const QVector<History::Operation> operations = StatsStore::OperationsOfPlate(QStringLiteral("AB123CD"));
        QCOMPARE(operations.size(), 2);
        QCOMPARE(operations[0].oblea, QStringLiteral("0000001111"));
        QCOMPARE(operations[1].vencimiento, QDate(2027, 11, 5));
        QVERIFY(StatsStore::OrdersOfPlate(QStringLiteral("ZZ999ZZ")).work.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstStatsStore)
#include "tst_statsstore.moc"
