// Query cost on a large operations table: recall by sticker (usr, then reg
// and cil of the found operation), the queries by plate, sticker, cylinder
// and regulator serial, and the owner-name scan ("like '%...%'").
//
// Needs a database holding db/schema.sql filled by scripts/gen-data, on a
// server reachable as "localhost" (MYSQL_UNIX_PORT), account tarvil/tarvil:
//   scripts/db-server start --dir /tmp/benchdb --port 3399
//   export MYSQL_UNIX_PORT=$(scripts/db-server socket --dir /tmp/benchdb)
//   mariadb -utarvil -ptarvil -e 'create database tarvil_bench'
//   mariadb -utarvil -ptarvil tarvil_bench < db/schema.sql
//   scripts/gen-data --operations 1000000 --database tarvil_bench --socket $MYSQL_UNIX_PORT
//   build/bench/bench_queries --database tarvil_bench [--samples 200]

#include "benchdb.h"
#include "core/connectionsettings.h"
#include "data/dm1.h"
#include "data/recallrepository.h"
#include "widgets/resultgrid.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace
{

struct Figures {
    double median = 0, p90 = 0, max = 0;
    qint64 rows = 0;
};

Figures measure(const QStringList &keys, const std::function<int(const QString &)> &run)
{
    QVector<double> ms;
    qint64 rows = 0;
    for (const QString &k : keys) {
        QElapsedTimer t;
        t.start();
        rows += run(k);
        ms.append(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    Figures f;
    if (ms.isEmpty())
        return f;
    f.median = ms.at(ms.size() / 2);
    f.p90 = ms.at(qMin(ms.size() - 1, ms.size() * 9 / 10));
    f.max = ms.last();
    f.rows = rows;
    return f;
}

void print(const char *name, const QStringList &keys, const Figures &f, double target)
{
    std::printf("%-34s n=%4lld  median %8.2f ms  p90 %8.2f ms  max %8.2f ms  rows/run %7.1f  %s\n", name,
                static_cast<long long>(keys.size()), f.median, f.p90, f.max,
                keys.isEmpty() ? 0.0 : double(f.rows) / keys.size(),
                target <= 0 ? "" : (f.median <= target ? "ok" : "OVER TARGET"));
    std::fflush(stdout);
}

// Sample keys straight from the tables, spread over the whole key range.
QStringList sample(QSqlDatabase db, const QString &table, const QString &column, int n, const QString &where = {})
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    const QString sql = QStringLiteral("select %1 from %2 %3 order by rand() limit %4")
                            .arg(column, table, where.isEmpty() ? QString() : QStringLiteral("where ") + where)
                            .arg(n);
    if (!q.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    QStringList keys;
    while (q.next())
        keys << q.value(0).toString().trimmed();
    return keys;
}

int openQuery(const QString &name, const QString &param, const QVariant &value)
{
    NamedQuery &q = dm1().query(name);
    q.close();
    q.setParam(param, value);
    q.open();
    return q.rowCount();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString database = QStringLiteral("tarvil_bench");
    int samples = 200;
    int ownerSamples = 10;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--database"))
            database = args.at(++i);
        else if (args.at(i) == QLatin1String("--samples"))
            samples = args.at(++i).toInt();
        else if (args.at(i) == QLatin1String("--owner-samples"))
            ownerSamples = args.at(++i).toInt();
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

    const QStringList stickers =
        sample(db, QStringLiteral("usr"), QStringLiteral("uobleanew"), samples, "uobleanew not in ('0000000000', '')");
    const QStringList plates = sample(db, QStringLiteral("usr"), QStringLiteral("udominio"), samples);
    const QStringList cylinders = sample(db, QStringLiteral("cil"), QStringLiteral("cnroserie"), samples);
    const QStringList regulators = sample(db, QStringLiteral("reg"), QStringLiteral("rnroserie"), samples);
    // Owner fragments: a surname as typed in the search box.
    QStringList owners;
    for (const QString &name : sample(db, QStringLiteral("usr"), QStringLiteral("uapeynom"), ownerSamples))
        owners << name.section(QLatin1Char(' '), 0, 0);

    // Warm the statements and the server's caches once.
    for (const QString &s : stickers.mid(0, 5))
        openQuery(QStringLiteral("SQLQueryObleaAnterior"), QStringLiteral("ob"), s);

    print("recall by sticker (usr+reg+cil)", stickers,
          measure(stickers,
                  [](const QString &s) {
                      int rows = openQuery(QStringLiteral("SQLQueryObleaAnterior"), QStringLiteral("ob"), s);
                      NamedQuery &usr = dm1().query(QStringLiteral("SQLQueryObleaAnterior"));
                      if (!usr.first())
                          return rows;
                      const QString cuit = usr.text(QStringLiteral("talcuit"));
                      const QVariant nro = usr.field(QStringLiteral("tnrointopr"));
                      for (const char *name : {"SQLQueryReg", "SQLQueryCil"}) {
                          NamedQuery &q = dm1().query(QLatin1String(name));
                          q.close();
                          q.setParam(QStringLiteral("cu"), cuit);
                          q.setParam(QStringLiteral("nro"), nro);
                          q.open();
                          rows += q.rowCount();
                      }
                      return rows;
                  }),
          20);
    print("query by plate", plates,
          measure(plates,
                  [](const QString &k) {
                      return openQuery(QStringLiteral("SDBusquedaPorDominio"), QStringLiteral("do"), k);
                  }),
          20);
    print("query by sticker", stickers,
          measure(stickers,
                  [](const QString &k) {
                      // The sticker form's own statement.
                      static NamedQuery q(QStringLiteral("SQLQueryConsultaOblea"), Conn::Operations,
                                          QStringLiteral("select * from usr where uobleanew = :ob"));
                      q.close();
                      q.setParam(QStringLiteral("ob"), k);
                      q.open();
                      return q.rowCount();
                  }),
          20);
    print("query by cylinder serial", cylinders,
          measure(cylinders,
                  [](const QString &k) {
                      return openQuery(QStringLiteral("SDBusquedaPorCilindro"), QStringLiteral("re"), k);
                  }),
          20);
    print("query by regulator serial", regulators,
          measure(regulators,
                  [](const QString &k) {
                      return openQuery(QStringLiteral("SDBusquedaPorRegulador"), QStringLiteral("re"), k);
                  }),
          20);
    print("owner-name scan (like '%x%')", owners,
          measure(owners,
                  [](const QString &k) {
                      return openQuery(QStringLiteral("SDBusquedaPorApellido"), QStringLiteral("ayn"),
                                       QLatin1Char('%') + k + QLatin1Char('%'));
                  }),
          400);
    print("owner search, first screenful", owners,
          measure(owners,
                  [](const QString &k) {
                      return int(
                          RecallRepository::ByOwner(QLatin1Char('%') + k + QLatin1Char('%'), std::nullopt).size());
                  }),
          400);

    // What the owner grid adds on top of the scan: filling its model from the
    // fetched rows, then reading every cell once as painting would.
    NamedQuery &owners_ = dm1().query(QStringLiteral("SDBusquedaPorApellido"));
    using K = Widgets::GridColumn::Kind;
    Widgets::ResultGridModel model({{"Propietario", "uapeynom", 34, true},
                                    {"Dominio", "udominio", 9, true},
                                    {"Marca", "umarca", 10},
                                    {"Modelo", "umodelo", 20},
                                    {"A\u00f1o", "uano", 4},
                                    {"Oblea", "uobleanew", 10, true},
                                    {"Operaci\u00f3n", "udescgest", 12, true},
                                    {"Fecha", "ufecrev", 10, false, K::Date},
                                    {"Taller", "codtal", 7, true}},
                                   Widgets::GridPalette::Green);
    QElapsedTimer t;
    t.start();
    model.setRows(owners_.rows());
    const double fill = t.nsecsElapsed() / 1e6;
    t.restart();
    qint64 chars = 0;
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            chars += model.data(model.index(r, c)).toString().size();
    std::printf("owner grid model: %d rows filled in %.1f ms, every cell read in %.1f ms (%lld chars)\n",
                model.rowCount(), fill, t.nsecsElapsed() / 1e6, static_cast<long long>(chars));
    return 0;
}
