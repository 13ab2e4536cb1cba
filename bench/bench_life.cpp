// Cost of a cylinder's life (its stored and pending operations by serial) and
// of the day summary's counts (the busiest workshop) on a large operations
// table. Each is one exchange; the times are the server's work plus one local
// round trip.
//
// Needs a database holding db/schema.sql filled by scripts/gen-data, on a
// server reachable as "localhost" (MYSQL_UNIX_PORT), account tarvil/tarvil:
//   scripts/db-server start --dir /tmp/benchdb --port 3399
//   export MYSQL_UNIX_PORT=$(scripts/db-server socket --dir /tmp/benchdb)
//   mariadb -utarvil -ptarvil -e 'create database tarvil_bench'
//   mariadb -utarvil -ptarvil tarvil_bench < db/schema.sql
//   scripts/gen-data --operations 1000000 --database tarvil_bench --socket $MYSQL_UNIX_PORT
//   build/bench/bench_life [--database tarvil_bench] [benchmark options]
//
// A cylinder that went through many vehicles is made once in the database
// (serial "BENCH-VIAJERO", on 40 operations and 2 pending ones).

#include "benchdb.h"
#include "core/clock.h"
#include "data/cylinderliferepository.h"
#include "data/daysummaryrepository.h"
#include "data/dm1.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace
{

QStringList g_serials;
const QString kTraveller = QStringLiteral("BENCH-VIAJERO");

void run(QSqlDatabase db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

// Serials spread over the whole table, and the travelling cylinder.
void prepare(QSqlDatabase db)
{
    // gen-data names each operation's first cylinder "GC<number>-1".
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select max(tnrointopr) from cil where cnroserie like 'GC%'")) || !q.next() ||
        q.value(0).toLongLong() < 1)
        qFatal("the database holds no generated cylinders: run scripts/gen-data first");
    const qint64 last = q.value(0).toLongLong();
    for (int i = 0; i < 200; ++i)
        g_serials << QStringLiteral("GC%1-1").arg(1 + (last - 1) * i / 199);
    run(db, QStringLiteral("delete from cil where cnroserie = '%1'").arg(kTraveller));
    run(db, QStringLiteral("insert into cil (peccod, talcuit, tnrointopr, udominio, cilcodh, cnroserie, ccodgest, "
                           "cuphmes, cuphano, cuphcrpc) select peccod, talcuit, tnrointopr, udominio, cilcodh, '%1', "
                           "ccodgest, cuphmes, cuphano, cuphcrpc from cil where cnroserie like 'GC%-1' limit 40")
                .arg(kTraveller));
    run(db, QStringLiteral("delete from temp_cil where cnroserie = '%1'").arg(kTraveller));
    run(db, QStringLiteral("insert into temp_usr (estado, codtal, talcuit, udominio, ucodgest) values "
                           "(0, 'GEN0001', '30-80000001-1', 'AB123CD', 'R'), (1, 'GEN0001', '30-80000001-1', "
                           "'AB123CD', 'R')"));
    run(db, QStringLiteral("insert into temp_cil (id, talcuit, udominio, cilcodh, cnroserie, ccodgest) select id, "
                           "talcuit, udominio, 'F040', '%1', 'S' from temp_usr order by id desc limit 2")
                .arg(kTraveller));
}

void LifeOfOneCylinder(benchmark::State &state)
{
    int i = 0;
    qint64 rows = 0;
    for (auto _ : state)
        rows += CylinderLifeRepository::Read(g_serials.at(i++ % g_serials.size()), QString()).size();
    state.counters["rows/read"] = double(rows) / double(state.iterations());
}

void LifeOfATravellingCylinder(benchmark::State &state)
{
    qint64 rows = 0;
    for (auto _ : state)
        rows += CylinderLifeRepository::Read(kTraveller, QString()).size();
    state.counters["rows/read"] = double(rows) / double(state.iterations());
}

void DaySummaryOfTheBusiestWorkshop(benchmark::State &state)
{
    qint64 expiries = 0;
    quint64 exchanges = 0;
    for (auto _ : state) {
        dm1().resetExchangeCount();
        expiries += DaySummaryRepository::Read(QStringLiteral("GEN0001"), Clock::today()).expiries.size();
        exchanges += dm1().exchangeCount();
    }
    state.counters["expiries"] = double(expiries) / double(state.iterations());
    state.counters["exchanges"] = double(exchanges) / double(state.iterations());
}

} // namespace

BENCHMARK(LifeOfOneCylinder)->Unit(benchmark::kMillisecond);
BENCHMARK(LifeOfATravellingCylinder)->Unit(benchmark::kMillisecond);
BENCHMARK(DaySummaryOfTheBusiestWorkshop)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString database = QStringLiteral("tarvil_bench");
    std::vector<char *> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (QLatin1String(argv[i]) == QLatin1String("--database") && i + 1 < argc)
            database = QString::fromLocal8Bit(argv[++i]);
        else
            rest.push_back(argv[i]);
    }
    dm1().configure(Conn::Operations,
                    {QStringLiteral("localhost"), database, QStringLiteral("tarvil"), QStringLiteral("tarvil"), {}});
    // The samples are read on a connection of the benchmark's own.
    QSqlDatabase db = openBenchDatabase(database);
    if (!db.isOpen())
        return 1;
    QSqlQuery count(db);
    count.exec(QStringLiteral("select count(*) from usr"));
    count.next();
    std::printf("database %s: %lld operations\n", qPrintable(database), count.value(0).toLongLong());
    prepare(db);

    int n = int(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dm1().closeAll();
    return 0;
}
