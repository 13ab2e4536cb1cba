// Time of a fault ranking over a large post-sales database: every order, one
// dealer's year and one model's year over every workshop, each read and
// ranked as "Ver" does. The first run fills a database of its own with
// 200,000 work orders of 200 workshops and 1,000,000 fault entries (kept for
// the next runs; --regenerate fills it again).
//
//   scripts/db-server start --dir /tmp/benchdb --port 3399
//   export MYSQL_UNIX_PORT=$(scripts/db-server socket --dir /tmp/benchdb)
//   build/bench/bench_ranking [--runs 15] [--regenerate]
#include "core/faultranking.h"
#include "data/dm1.h"
#include "data/statsstore.h"
#include "testdb.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <cstdio>

namespace
{

const QString kDb = QStringLiteral("t_bench_ranking");
constexpr int kOrders = 200000;
constexpr int kFaultsPerOrder = 5;

void run(QSqlDatabase db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        qFatal("%s: %s", qPrintable(sql.left(80)), qPrintable(q.lastError().text()));
}

qint64 count(QSqlDatabase db, const QString &table)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("select count(*) from ") + table) && q.next() ? q.value(0).toLongLong() : -1;
}

// Orders of 200 workshops over three years, 40 dealers, 8 brands of 5 models;
// five fault entries each over 60 faults, the low ids the frequent ones.
void generate(QSqlDatabase db)
{
    std::printf("generando %d órdenes y %d fallas...\n", kOrders, kOrders * kFaultsPerOrder);
    std::fflush(stdout);
    QElapsedTimer t;
    t.start();
    run(db, QStringLiteral("insert into fallas (id, falla) select seq, concat('FALLA NUMERO ', seq) from seq_1_to_60"));
    run(db, QStringLiteral("insert into clientes (id, cliente) select seq, concat('CONCESIONARIO ', seq) from "
                           "seq_1_to_40"));
    run(db, QStringLiteral("insert into opv (taller, opv_nro, fecha, dominio, marca, modelo, cliente, concesionario, "
                           "recepcionista) select concat('GEN', lpad(1 + seq % 200, 4, '0')), 1 + seq div 200, "
                           "timestamp('2024-01-01') + interval (seq * 7919 % 1096) day + interval (seq % 600) minute, "
                           "concat('AB', lpad(seq, 5, '0')), elt(1 + seq % 8, 'FIAT', 'FORD', 'CHEVROLET', 'PEUGEOT', "
                           "'RENAULT', 'TOYOTA', 'VOLKSWAGEN', 'CITROEN'), concat('MODELO ', seq div 8 % 5), "
                           "1 + seq % 5000, 1 + seq % 40, 1 from seq_0_to_%1")
                .arg(kOrders - 1));
    run(db, QStringLiteral("insert into opv_fallas (taller_id, opv_nro, falla) select o.taller, o.opv_nro, "
                           "1 + floor(60 * pow(((o.opv_nro * 31 + k.seq * 17 + crc32(o.taller)) % 1000) / 1000, 2)) "
                           "from opv o join seq_1_to_%1 k")
                .arg(kFaultsPerOrder));
    run(db, QStringLiteral("analyze table opv, opv_fallas, fallas"));
    std::printf("listo en %.1f s\n", t.elapsed() / 1000.0);
}

void time(const char *name, const Ranking::Bounds &bounds, int runs)
{
    QVector<double> ms;
    int rows = 0;
    qint64 entries = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const QVector<Ranking::Row> ranking = Ranking::Rank(StatsStore::FaultCounts(bounds));
        ms << t.nsecsElapsed() / 1e6;
        rows = int(ranking.size());
        entries = 0;
        for (const Ranking::Row &r : ranking)
            entries += r.cantidad;
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms.at(ms.size() / 2);
    std::printf("%-28s faults %3d  entries %8lld  median %8.1f ms  max %8.1f ms  %s\n", name, rows,
                static_cast<long long>(entries), median, ms.last(), median <= 500 ? "ok" : "OVER 0.5 s");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--runs"));
    const int runs = at > 0 && at + 1 < args.size() ? qMax(1, args.at(at + 1).toInt()) : 15;

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("bench"));
    db.setHostName(TestDb::host());
    db.setUserName(TestDb::user());
    db.setPassword(TestDb::password());
    db.setDatabaseName(kDb);
    if (args.contains(QStringLiteral("--regenerate")) || !db.open() || count(db, QStringLiteral("opv")) != kOrders) {
        db.close();
        db = TestDb::create(kDb, QStringLiteral("bench"));
        generate(db);
    }
    dm1().configure(Conn::PostVenta, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QString()});

    const QDate from(2025, 1, 1), to(2025, 12, 31);
    // GEN0001 serves FIAT "MODELO 0" only.
    time("todas las órdenes", Ranking::EveryOrder(), runs);
    time("un concesionario, un año", Ranking::ForDealer(7, from, to), runs);
    time("un modelo, un año", Ranking::ForModel("FIAT", "MODELO 0", from, to, true, {}), runs);
    time("un modelo, un taller", Ranking::ForModel("FIAT", "MODELO 0", from, to, false, "GEN0001"), runs);
    return 0;
}
