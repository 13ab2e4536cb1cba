// The expiry list of a workshop with 20,000 vehicles expiring in the period,
// as "Ver" runs it: the reading, the rows kept for the report and the
// printed layout written to PDF (the bar: 3 s in all).
//   MYSQL_UNIX_PORT=<socket> QT_QPA_PLATFORM=offscreen bench_expirylist [vehicles]
// TARVIL_BENCH_KEEP=<folder> keeps the PDF there.
#include "data/dm1.h"
#include "data/reminderrepository.h"
#include "documents/lists.h"
#include "testdb.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    const int vehicles = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    const QString dbName = QStringLiteral("bench_expirylist");
    QTemporaryDir tmp;
    const QString pdf =
        QDir(qEnvironmentVariable("TARVIL_BENCH_KEEP", tmp.path())).filePath(QStringLiteral("vencimientos.pdf"));

    QSqlDatabase db = TestDb::create(dbName);
    QSqlQuery fill(db);
    // Owners' texts as long as their columns, expiries spread over June 2024.
    if (!fill.exec(
            QStringLiteral(
                "insert into usr (peccod, codtal, talcuit, tnrointopr, udominio, ucodgest, umarca, umodelo, uano, "
                "uapeynom, ucalle, unro, ubarrio, ucodpostal, ulocalidad, uprovincia, UCARACT, utelefono, te_tipo, "
                "email, "
                "ufecvenhab) select '0031', 'TDM0001', '30-71234567-9', s.seq, concat('AB', lpad(s.seq % 1000, 3, "
                "'0'), "
                "'CD'), 'R', 'VOLKSWAGEN', 'GOL TREND 1.6 PACK II', '2012', concat('GONZALEZ MARIA LAURA ', s.seq), "
                "'AV. JUAN MANUEL DE ROSAS', '12345', 'VILLA SARMIENTO', '1704', 'VILLA CARLOS PAZ', 'BUENOS AIRES', "
                "'11', "
                "lpad(s.seq, 8, '4'), 'CELULAR', concat('maria.laura.gonzalez', s.seq, '@gmail.com'), '2024-06-01' + "
                "interval (s.seq % 30) day from seq_1_to_%1 s")
                .arg(vehicles))) {
        std::fprintf(stderr, "%s\n", qPrintable(fill.lastError().text()));
        return 1;
    }
    dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), {}});

    // Processor time beside the wall clock: a shared machine's wall clock says little.
    const auto cpuMs = [] { return std::clock() * 1000.0 / CLOCKS_PER_SEC; };
    QString error;
    for (const char *layout : {"TQVencimientoObleasPapelForm", "TQVencimientoObleasExcelForm"}) {
        QElapsedTimer t;
        t.start();
        const double cpu0 = cpuMs();
        const QVector<QSqlRecord> rows =
            ReminderRepository::ExpiryList(QStringLiteral("TDM0001"), QDate(2024, 6, 1), QDate(2024, 6, 30));
        const double readMs = t.nsecsElapsed() / 1e6;
        const Report::ReportForm form =
            Documents::MakeList(QLatin1String(layout), std::make_shared<Documents::RecordRowSource>(rows));
        const double rowsMs = t.nsecsElapsed() / 1e6;
        if (!form.exportPdf(pdf, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        const double totalMs = t.nsecsElapsed() / 1e6;
        std::printf("%s, %lld vehicles: read %.0f ms, report rows %.0f ms, PDF %.0f ms; %.2f s in all "
                    "(%.2f s of processor here, the server's apart), %lld KB\n",
                    layout, qlonglong(rows.size()), readMs, rowsMs - readMs, totalMs - rowsMs, totalMs / 1000,
                    (cpuMs() - cpu0) / 1000, QFileInfo(pdf).size() / 1024);
    }
    dm1().closeAll();
    db.close();
    TestDb::drop(dbName);
    return 0;
}
