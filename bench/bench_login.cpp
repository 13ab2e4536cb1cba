// Login cost: exchanges of one successful login, its time against a local
// server, and the time from process start to the login dialog on screen.
// bench_wan gives the same over a slow link.
//
// Needs a MariaDB reachable as "localhost" (MYSQL_UNIX_PORT) with the account
// tarvil/tarvil, e.g. the private test server:
//   scripts/db-server start --dir /tmp/benchdb --port 3399
//   export MYSQL_UNIX_PORT=$(scripts/db-server socket --dir /tmp/benchdb)
//   QT_QPA_PLATFORM=offscreen build/bench/bench_login

#include "app/startup.h"
#include "app/tinicioform.h"
#include "core/global.h"
#include "data/dm1.h"
#include "widgets/messages.h"
#ifdef TARVIL_BENCH_HAS_TESTDB
#include "testdb.h"
#endif

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace
{

const QString kDb = QStringLiteral("t_bench_login");
QString g_self;
QTemporaryDir *g_dir = nullptr;

void run(QSqlDatabase db, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(db);
    q.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec())
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

ConnectionSettings benchSettings()
{
    return {QStringLiteral("localhost"), kDb, QStringLiteral("tarvil"), QStringLiteral("tarvil"),
            QStringLiteral("Local DB")};
}

bool prepareDatabase()
{
#ifdef TARVIL_BENCH_HAS_TESTDB
    QSqlDatabase db = TestDb::create(kDb, QStringLiteral("bench"));
    run(db, "insert into pec (PECCOD, PECRSOC, PMATRESHAB, PRESHABAYN, DIRECCION, Clave) values (?,?,?,?,?,?)",
        {"P001", "PEC de prueba", "R100", "Representante", "Domicilio", "llave"});
    run(db, "insert into res (RMATRESHAB, RAPELLIDO, RNOMBRE, RNRODOC) values (?,?,?,?)",
        {"R100", "Gomez", "Ana", "20111222"});
    run(db, "insert into tal (tcodigoint, Password, Estado, TRAZSOC, RMATRESHAB) values (?,?,?,?,?)",
        {"TAL0001", "secreto", 1, "Taller Uno", "R100"});
    run(db, "insert into sistema (version) values (?)", {314});
    return true;
#else
    return false;
#endif
}

// One login from dialog creation to the closed dialog.
bool loginOnce()
{
    Global = GlobalState{};
    dm1().closeAll();
    dm1().configure(Conn::Operations, benchSettings());
    TInicioForm f;
    f.show();
    f.findChild<QLineEdit *>("EditId")->setText("TAL0001");
    f.findChild<QLineEdit *>("EditPassword")->setText("secreto");
    f.findChild<QPushButton *>("BitBtn1")->click();
    return f.loginAccepted();
}

void BM_LoginRoundTrips(benchmark::State &state)
{
    quint64 counted = 0;
    for (auto _ : state) {
        dm1().resetExchangeCount();
        if (!loginOnce()) {
            state.SkipWithError("login refused");
            return;
        }
        counted = dm1().exchangeCount();
    }
    // The connection's set-up and the PEC read, then the login's one batch.
    state.counters["exchanges"] = double(counted);
}
BENCHMARK(BM_LoginRoundTrips)->Unit(benchmark::kMillisecond);

// Process start to the login dialog exposed, measured from the parent.
void BM_StartToLoginShown(benchmark::State &state)
{
    for (auto _ : state) {
        QProcess child;
        child.setWorkingDirectory(g_dir->path());
        QElapsedTimer t;
        t.start();
        child.start(g_self, {QStringLiteral("--show-login")});
        if (!child.waitForReadyRead(30000)) {
            state.SkipWithError("child did not show the dialog");
            return;
        }
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        child.waitForFinished(30000);
    }
}
BENCHMARK(BM_StartToLoginShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

int showLoginAndExit(int argc, char **argv)
{
    QApplication app(argc, argv);
    Startup::prepareApplication(app);
    Msg::setHook([](Msg::Kind, const QString &text) { // never wait on a box here
        std::fprintf(stderr, "mensaje: %s\n", qPrintable(text));
        return false;
    });
    dm1().configure(Conn::Operations, benchSettings());
    TInicioForm f;
    f.show();
    if (!QTest::qWaitForWindowExposed(&f, 10000))
        return 1;
    // --show-login FILE also keeps a picture of the dialog for look checks.
    if (argc > 2)
        f.grab().save(QString::fromLocal8Bit(argv[2]));
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && !std::strcmp(argv[1], "--show-login"))
        return showLoginAndExit(argc, argv);

    QApplication app(argc, argv);
    Startup::prepareApplication(app);
    Msg::setHook([](Msg::Kind, const QString &text) {
        std::fprintf(stderr, "mensaje: %s\n", qPrintable(text));
        return false;
    });
    if (!prepareDatabase()) {
        std::fputs("bench_login: needs the test support library (TARVIL_BUILD_TESTS=ON)\n", stderr);
        return 1;
    }
    QTemporaryDir dir;
    g_dir = &dir;
    g_self = QCoreApplication::applicationFilePath();
    {
        // Yew with "A" leaves the operations settings at their defaults,
        // which point at the benchmark database.
        QSettings ini(dir.filePath("tarvil.ini"), QSettings::IniFormat);
        ini.setValue("DATA/ID", "YEW001");
        ini.setValue("DATA/SERVER", "A");
    }
    QDir::setCurrent(dir.path());

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dm1().closeAll();
#ifdef TARVIL_BENCH_HAS_TESTDB
    TestDb::drop(kDb);
#endif
    return 0;
}
