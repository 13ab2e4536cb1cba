// Report engine timings: one technical sheet to PDF, and a long list to PDF.
// Peak memory comes from the kernel's high-water mark; the row source's own
// share is printed apart, since the rows are the caller's.
//   QT_QPA_PLATFORM=offscreen bench_report [rows]
// TARVIL_BENCH_KEEP=<folder> keeps the PDF files there; TARVIL_BENCH_SHEET=<layout>
// times another registered sheet.
#include "documents/sheet.h"
#include "report/renderer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

static const char *kListLayout = R"J({
 "name": "BenchList", "title": "Listado de vencimientos",
 "page": {"size": "A4", "margins": [10, 10, 10, 10]},
 "bands": {"title": {"height": 12}, "pageHeader": {"height": 8, "frame": "b"}, "detail": {"height": 4.2},
           "pageFooter": {"height": 8, "frame": "t"}, "summary": {"height": 6}},
 "items": {
  "title": [{"name": "Titulo", "at": [0, 0, 190, 8], "text": "LISTADO DE VENCIMIENTOS", "size": 14, "bold": true}],
  "pageHeader": [{"name": "H1", "at": [0, 2, 25, 4], "text": "Dominio", "bold": true},
                 {"name": "H2", "at": [27, 2, 70, 4], "text": "Propietario", "bold": true},
                 {"name": "H3", "at": [100, 2, 40, 4], "text": "Marca / Modelo", "bold": true},
                 {"name": "H4", "at": [145, 2, 20, 4], "text": "Oblea", "bold": true},
                 {"name": "H5", "at": [170, 2, 20, 4], "text": "Vence", "bold": true}],
  "detail": [{"name": "D1", "kind": "field", "field": "dominio", "at": [0, 0.3, 25, 3.7]},
             {"name": "D2", "kind": "field", "field": "propietario", "at": [27, 0.3, 70, 3.7]},
             {"name": "D3", "kind": "expr", "expr": "marca + ' ' + modelo", "at": [100, 0.3, 43, 3.7]},
             {"name": "D4", "kind": "field", "field": "oblea", "at": [145, 0.3, 22, 3.7]},
             {"name": "D5", "kind": "field", "field": "vence", "at": [170, 0.3, 20, 3.7]}],
  "pageFooter": [{"name": "Pag", "kind": "expr", "expr": "'Página ' + PAGE + ' de ' + PAGES", "at": [150, 2, 40, 4], "align": "right"}],
  "summary": [{"name": "Total", "kind": "expr", "expr": "'Fin del listado: ' + count() + ' vehículos'", "at": [0, 1, 80, 4]}]
 }
})J";

static double msSince(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}
// Processor time: the wall clock of a shared machine says little.
static double cpuMs()
{
    return std::clock() * 1000.0 / CLOCKS_PER_SEC;
}
// Resident set now and at its peak, in MB (Linux).
static double statusMb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QString text = QString::fromLatin1(f.readAll());
    const auto m = QRegularExpression(QStringLiteral("%1:\\s+(\\d+) kB").arg(QLatin1String(key))).match(text);
    return m.hasMatch() ? m.captured(1).toDouble() / 1024 : 0;
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    QTemporaryDir tmp;
    const QDir dir(qEnvironmentVariable("TARVIL_BENCH_KEEP", tmp.path()));

    // One sheet: build, fill, paginate, write.
    FichaData d;
    d.operationKind = QStringLiteral("R");
    d.enablingDate = QDate(2026, 12, 9);
    d.ownerName = QStringLiteral("PROPIETARIO DE PRUEBA");
    d.injection = QStringLiteral("SI");
    d.useType = QStringLiteral("TAXI");
    d.regulatorNew = QStringLiteral("NO");
    QVector<CylinderRow> cyl(3);
    for (int i = 0; i < cyl.size(); ++i) {
        cyl[i].codigo = QStringLiteral("C060");
        cyl[i].nroSerie = QStringLiteral("S-%1").arg(i);
        cyl[i].uphFecha = QStringLiteral("03/2024");
    }
    d.workCylinders = cyl;
    d.cylinders = Ficha::PrepareCylinders(cyl, {});
    QString error;
    for (const char *when : {"first, includes font and layout loading", "again", "again"}) {
        QElapsedTimer t;
        t.start();
        const Report::ReportForm sheet =
            Documents::MakeSheet(qEnvironmentVariable("TARVIL_BENCH_SHEET", QStringLiteral("TQFichaBuckeyeForm")), d);
        if (!sheet.exportPdf(dir.filePath(QStringLiteral("ficha.pdf")), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("sheet to PDF: %.1f ms (%s)\n", msSince(t), when);
    }

    // A long list.
    const double before = statusMb("VmRSS");
    QElapsedTimer t;
    t.start();
    // Stored as a query's result is (Documents::SqlRowSource).
    const Report::Layout list = Report::loadLayoutFromJson(kListLayout, [](const QString &) { return QByteArray(); });
    Report::TableRowSource source({QStringLiteral("dominio"), QStringLiteral("propietario"), QStringLiteral("marca"),
                                   QStringLiteral("modelo"), QStringLiteral("oblea"), QStringLiteral("vence")});
    source.reserve(rows);
    for (int i = 0; i < rows; ++i)
        source.append({QStringLiteral("AB%1CD").arg(i % 1000, 3, 10, QLatin1Char('0')),
                       QStringLiteral("PROPIETARIO NUMERO %1").arg(i), QStringLiteral("FIAT"),
                       QStringLiteral("SIENA %1").arg(i % 7), QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0')),
                       QStringLiteral("12/2027")});
    const double sourceMb = statusMb("VmRSS") - before;
    std::printf("list rows built: %.1f ms, %.1f MB resident for the rows\n", msSince(t), sourceMb);

    t.restart();
    const double cpu0 = cpuMs();
    const Report::Render render(list, &source);
    const double paginateMs = msSince(t);
    t.restart();
    if (!Report::writePdf(dir.filePath(QStringLiteral("list.pdf")), render, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const double pdfMs = msSince(t);
    const double cpu = cpuMs() - cpu0;
    std::printf("list of %d rows: %d pages, paginate %.1f ms, PDF %.1f ms, total %.1f ms wall, %.1f ms processor, "
                "file %lld KB\n",
                rows, render.pageCount(), paginateMs, pdfMs, paginateMs + pdfMs, cpu,
                QFileInfo(dir.filePath(QStringLiteral("list.pdf"))).size() / 1024);
    std::printf("peak resident %.1f MB, of which the rows %.1f MB\n", statusMb("VmHWM"), sourceMb);
    return 0;
}
