// Cost of storing a pending operation: exchanges with the server (each one
// round trip) and time per save with 1, 4 and 8 cylinders, on a warm
// connection (the models' validity known) and on a fresh one.
//
//   scripts/db-server start --dir /tmp/benchdb --port 3399
//   export MYSQL_UNIX_PORT=$(scripts/db-server socket --dir /tmp/benchdb)
//   build/bench/bench_pendingsave
#include "core/global.h"
#include "data/dm1.h"
#include "data/pendingstore.h"
#include "pendingbuilders.h"
#include "testdb.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace
{

const QString kDb = QStringLiteral("t_bench_pendingsave");

void SaveWarm(benchmark::State &state)
{
    const OperationRecord r = Builders::renewalWithCylinders(int(state.range(0)));
    PendingStore::Save(r, Global, QDate(2026, 12, 9)); // reads the models' validity
    quint64 exchanges = 0, saves = 0;
    for (auto _ : state) {
        dm1().resetExchangeCount();
        PendingStore::Save(r, Global, QDate(2026, 12, 9));
        exchanges += dm1().exchangeCount();
        ++saves;
    }
    state.counters["exchanges/save"] = double(exchanges) / double(saves);
}

void SaveFreshConnection(benchmark::State &state)
{
    const OperationRecord r = Builders::renewalWithCylinders(int(state.range(0)));
    quint64 exchanges = 0, saves = 0;
    for (auto _ : state) {
        dm1().closeConnection(Conn::Operations);
        dm1().resetExchangeCount();
        PendingStore::Save(r, Global, QDate(2026, 12, 9));
        exchanges += dm1().exchangeCount();
        ++saves;
    }
    state.counters["exchanges/save"] = double(exchanges) / double(saves);
}

} // namespace

BENCHMARK(SaveWarm)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveFreshConnection)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QSqlDatabase db = TestDb::create(kDb, QStringLiteral("bench"));
    TestDb::exec(db, QStringLiteral("insert into codcil (CODIGO, VENC) values ('C060', 5)"));
    dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QString()});
    Global.PecCode = QStringLiteral("P001");
    Global.WorkshopCode = QStringLiteral("T000001");
    Global.WorkshopCuit = QStringLiteral("30-70000001-1");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    dm1().closeAll();
    TestDb::drop(kDb);
    return 0;
}
