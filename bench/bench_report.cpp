// Report engine timings: every registered sheet (and the leaflet) to PDF,
// filled with the test print's sample values, and a long list to PDF. Peak
// memory comes from the kernel's high-water mark; the row source's own share
// is printed apart, since the rows are the caller's.
//   QT_QPA_PLATFORM=offscreen bench_report [rows]
// TARVIL_BENCH_KEEP=<folder> keeps the PDF files there (one per layout, named
// after it); TARVIL_BENCH_SHEET=<layout> times that sheet alone.
#include "core/global.h"
#include "core/installationprofile.h"
#include "documents/registry.h"
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

    // Every sheet: build, fill, paginate, write; the slowest of three runs
    // after a first one that loads the fonts.
    GlobalState g;
    g.WorkshopCode = QStringLiteral("TDM0001");
    g.WorkshopName = QStringLiteral("TALLER DE MONTAJE DEMO S.R.L.");
    g.WorkshopAddress2 = QStringLiteral("AV. SAN MARTIN 1234");
    g.WorkshopCuit = QStringLiteral("30-71111111-2");
    g.RepName = QStringLiteral("PEREZ JUAN CARLOS");
    g.RepMatricula = QStringLiteral("M-4411");
    g.Stamp1 = QStringLiteral("TALLER DEMO");
    g.Stamp2 = QStringLiteral("ING. JUAN C. PEREZ");
    g.Stamp3 = QStringLiteral("MAT. M-4411");
    g.PecCode = QStringLiteral("0031");
    g.PecRepName = QStringLiteral("ING. LUIS PAZ");
    g.PecRepMatricula = QStringLiteral("9911");
    g.PecRepDocNumber = QStringLiteral("20111222");
    g.Copies = 2;
    g.WorkshopLocality = QStringLiteral("CORDOBA");
    g.WorkshopProvince = QStringLiteral("CORDOBA");
    const InstallationProfile &profile = installationProfiles().first();
    FichaData d = Ficha::AlignmentSampleData(g, profile, QDate(2026, 12, 9));
    d.printsLetterheadLines = true;
    d.letterhead = {QStringLiteral("PEC DEMO GNC S.A."), QStringLiteral("Productor de Equipos Completos"),
                    QStringLiteral("Av. Circunvalación 2150 - Córdoba"), QStringLiteral("Tel. (0351) 475-2210")};
    const QString only = qEnvironmentVariable("TARVIL_BENCH_SHEET");
    QString error;
    double slowest = 0;
    QString slowestName;
    for (const Documents::Entry &e : Documents::Registry()) {
        if (!only.isEmpty() && e.name != only)
            continue;
        double worst = 0;
        for (int run = 0; run < 4; ++run) {
            QElapsedTimer t;
            t.start();
            const Report::ReportForm form = e.document == QLatin1String("sheet") ? Documents::MakeSheet(e.name, d)
                                                                                 : Documents::MakeFixedDocument(e.name);
            if (!form.exportPdf(dir.filePath(e.name + QStringLiteral(".pdf")), &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
            if (run > 0)
                worst = qMax(worst, msSince(t));
        }
        std::printf("%-34s to PDF: %6.1f ms\n", qPrintable(e.name), worst);
        if (worst > slowest) {
            slowest = worst;
            slowestName = e.name;
        }
    }
    std::printf("slowest sheet: %s, %.1f ms\n", qPrintable(slowestName), slowest);
    // The empty sheets as "Impresión de Ficha en Blanco" prints them, for looking at.
    if (qEnvironmentVariableIsSet("TARVIL_BENCH_KEEP")) {
        QStringList empties;
        for (const InstallationProfile &p : installationProfiles())
            if (!empties.contains(p.emptyFichaLayout))
                empties << p.emptyFichaLayout;
        FichaData blank = Ficha::EmptySheetData(g, profile);
        blank.printsLetterheadLines = true;
        blank.letterhead = d.letterhead;
        for (const QString &name : empties)
            Documents::MakeSheet(name, blank).exportPdf(dir.filePath(name + QStringLiteral("-vacia.pdf")), &error);
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
