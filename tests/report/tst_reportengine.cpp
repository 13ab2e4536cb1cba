// The report engine: layout inheritance, expressions, row sources,
// pagination of long detail lists, PDF and spreadsheet output, the preview.
#include "documents/rowsources.h"
#include "report/expression.h"
#include "report/preview.h"
#include "report/reportform.h"

#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <stdexcept>

using namespace Report;

namespace
{

QVector<QVariantMap> plates(int n)
{
    QVector<QVariantMap> rows;
    for (int i = 0; i < n; ++i)
        rows.append({{QStringLiteral("dominio"), QStringLiteral("AB%1").arg(i, 4, 10, QLatin1Char('0'))},
                     {QStringLiteral("nombre"), QStringLiteral("N%1").arg(i)},
                     {QStringLiteral("anio"), 2000 + i % 20}});
    return rows;
}

// Test layouts live beside this file; ancestors resolve in the same folder.
QByteArray layoutText(const QString &name)
{
    QFile f(QStringLiteral(TARVIL_SOURCE_DIR "/tests/report/layouts/%1.json").arg(name));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing test layout");
    return f.readAll();
}

Layout testLayout(const QString &name)
{
    return loadLayoutFromJson(layoutText(name), layoutText);
}

// The list layout: title, header and footer on every page, a summary at the end.
Layout listLayout()
{
    return testLayout(QStringLiteral("TestList"));
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<failed: %1>").arg(QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TstReportEngine : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    void descendantOverridesAddsAndHides()
    {
        const Layout l = testLayout(QStringLiteral("Leaf"));
        QCOMPARE(l.name, QStringLiteral("Leaf"));
        QCOMPARE(l.ancestor, QStringLiteral("Middle"));
        QCOMPARE(l.copies, 1);
        QCOMPARE(l.orientation, QPageLayout::Landscape);
        QCOMPARE(l.margins, QMarginsF(6, 10, 6, 10));
        QCOMPARE(l.paperSizeMm().toSize(), QSize(356, 216));
        // override keeps what it does not repeat
        QCOMPARE(l.item("A").rect, QRectF(5, 6, 30, 4));
        QCOMPARE(l.item("A").text, QStringLiteral("uno"));
        QCOMPARE(l.item("A").fontSize, 9.0);
        QVERIFY(l.item("A").bold);
        QVERIFY(!l.item("B").visible);
        QCOMPARE(l.item("D").text, QStringLiteral("cuatro"));
        QCOMPARE(l.item("E").band, BandKind::Detail);
        QCOMPARE(l.item("E").kind, ItemKind::DataField);
        QVERIFY(l.band(BandKind::PageHeader).frameTop && !l.band(BandKind::PageHeader).frameBottom);
        // paint order: ancestors' components first
        QStringList order;
        for (const Item &i : l.items)
            order << i.name;
        QCOMPARE(order, (QStringList{"A", "B", "C", "D", "E"}));
        // a hidden component is not drawn
        VectorRowSource rows({{{"X", "x1"}}});
        const DisplayList list = paginate(l, &rows);
        QVERIFY(!list.find("B"));
        QVERIFY(list.find("C"));
        QCOMPARE(list.find("E")->text, QStringLiteral("x1"));
    }

    void badLayoutsFailLoudly()
    {
        auto fails = [](const QByteArray &json) {
            try {
                loadLayoutFromJson(json, layoutText);
            } catch (const std::runtime_error &) {
                return true;
            }
            return false;
        };
        QVERIFY(fails("{\"name\": \"L\", \"extends\": \"Leaf2\"}"));
        QVERIFY(fails("{\"name\": \"L\", \"items\": {\"detail\": [{\"at\": [0, 0, 1, 1]}]}}"));
        QVERIFY(fails("{\"name\": \"L\", \"items\": {\"middle\": []}}"));
        QVERIFY(fails("{\"name\": \"L\", \"items\": {\"detail\": [{\"name\": \"e\", \"kind\": \"expr\", \"expr\": "
                      "\"copy(A, 1\"}]}}"));
        QVERIFY(fails("{\"name\": \"L\", \"items\": {\"detail\": [{\"name\": \"e\", \"kind\": \"expr\", \"expr\": "
                      "\"nada(A)\"}]}}"));
        QVERIFY(fails("{\"name\": \"L\", \"items\": {\"detail\": [{\"name\": \"e\", \"kind\": \"rombo\"}]}}"));
        QVERIFY(fails("{ not json"));
        // an ancestor naming its descendant
        QVERIFY(fails("{\"name\": \"Base\", \"extends\": \"Leaf\"}"));
        QVERIFY(!fails(layoutText(QStringLiteral("TestList"))));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, loadLayoutFromDir(TARVIL_SOURCE_DIR "/tests/report/layouts",
                                                                       QStringLiteral("NoExiste")));
        Layout l = listLayout();
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, l.setText(QStringLiteral("QRNoExiste"), QStringLiteral("x")));
    }

    void expressionsComputeCells_data()
    {
        QTest::addColumn<QString>("expr");
        QTest::addColumn<QString>("expected");
        QTest::newRow("month") << "copy(FABRICAC, 1, 2)"
                               << "04";
        QTest::newRow("two-digit year") << "copy(FABRICAC, 6, 2)"
                                        << "20";
        QTest::newRow("first letter") << "copy(GESTION, 1, 1)"
                                      << "S";
        QTest::newRow("copy past the end") << "copy(GESTION, 40, 3)"
                                           << "";
        QTest::newRow("new") << "iif(CNUEVO = 'SI', 'X', '')"
                             << "";
        QTest::newRow("used") << "iif(CNUEVO <> '' and CNUEVO <> 'SI', 'X', '')"
                              << "X";
        QTest::newRow("empty field") << "iif(VACIO <> '' and VACIO <> 'SI', 'X', '')"
                                     << "";
        QTest::newRow("unknown field is empty") << "NOHAY + '-'"
                                                << "-";
        QTest::newRow("numbers add") << "CAPACIDAD + 5"
                                     << "65";
        QTest::newRow("join") << "\"Mat. \" + upper(trim(' ab '))"
                              << "Mat. AB";
        QTest::newRow("pages") << "'Página ' + PAGE + ' de ' + PAGES"
                               << "Página 2 de 7";
        QTest::newRow("not/or") << "not (CNUEVO = 'NO') or len(GESTION) > 5"
                                << "true";
        QTest::newRow("case of field name") << "gestion"
                                            << "SIN CAMBIOS";
    }
    void expressionsComputeCells()
    {
        QFETCH(QString, expr);
        QFETCH(QString, expected);
        const QVariantMap row{
            {"FABRICAC", "04/2020"}, {"GESTION", "SIN CAMBIOS"}, {"CNUEVO", "NO"}, {"VACIO", ""}, {"CAPACIDAD", 60}};
        ExprContext ctx;
        ctx.page = 2;
        ctx.pageCount = 7;
        ctx.field = [&](const QString &f) {
            for (auto it = row.begin(); it != row.end(); ++it)
                if (it.key().compare(f, Qt::CaseInsensitive) == 0)
                    return it.value();
            return QVariant();
        };
        QString error;
        auto e = Expression::parse(expr, &error);
        QVERIFY2(e, qPrintable(error));
        QCOMPARE(toText(e->eval(ctx)), expected);
    }

    void rowSourcesReadFieldsWithoutRegardToCase()
    {
        VectorRowSource v({{{"Dominio", "AAA111"}, {"anio", 2010}}, {{"Dominio", "BBB222"}}}, {"Dominio", "anio"});
        QCOMPARE(v.rowCount(), 2);
        QCOMPARE(v.value(0, "DOMINIO").toString(), QStringLiteral("AAA111"));
        QVERIFY(!v.value(1, "anio").isValid());
        QVERIFY(!v.value(2, "Dominio").isValid());
        QCOMPARE(v.fields(), (QStringList{"Dominio", "anio"}));

        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "rowsource");
        db.setDatabaseName(":memory:");
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("create table t (Dominio text, Anio integer)"));
        QVERIFY(q.exec("insert into t values ('AAA111', 2010), ('BBB222', 2011), ('CCC333', 2012)"));
        q.setForwardOnly(true);
        QVERIFY(q.exec("select * from t order by Dominio"));
        Documents::SqlRowSource s(q);
        QCOMPARE(s.rowCount(), 3);
        QCOMPARE(s.value(2, "dominio").toString(), QStringLiteral("CCC333"));
        QCOMPARE(s.value(1, "ANIO").toInt(), 2011);
        QCOMPARE(s.fields(), (QStringList{"Dominio", "Anio"}));
    }

    void longDetailFlowsOverPagesWithoutLosingRows()
    {
        const Layout l = listLayout();
        VectorRowSource rows(plates(100));
        const DisplayList list = paginate(l, &rows);
        // A4 277 mm usable: first page title 20 + header 15 + footer 12 -> 23 rows,
        // then header 15 + footer 12 -> 25 rows per page.
        QCOMPARE(list.pageCount, 5);
        QVector<int> seen;
        for (int p = 1; p <= list.pageCount; ++p) {
            const auto items = list.onPage(p);
            int headers = 0, footers = 0;
            double footerTop = 0;
            for (const DisplayItem &d : items) {
                headers += d.name == QLatin1String("Cabecera");
                if (d.name == QLatin1String("Pagina")) {
                    ++footers;
                    footerTop = d.rect.top();
                    QCOMPARE(d.text, QStringLiteral("Página %1 de 5").arg(p));
                }
            }
            QCOMPARE(headers, 1);
            QCOMPARE(footers, 1);
            QCOMPARE(bool(list.find("Titulo", p)), p == 1);
            for (const DisplayItem &d : items) {
                if (d.name != QLatin1String("Dominio"))
                    continue;
                seen.append(d.row);
                QCOMPARE(d.text, rows.value(d.row, "dominio").toString());
                QVERIFY2(d.rect.bottom() <= footerTop - 2 + 1e-6, "a detail row runs into the footer");
                QVERIFY(d.rect.top() >= 10 + 15 - 1e-6);
            }
        }
        QCOMPARE(seen.size(), 100);
        for (int i = 0; i < seen.size(); ++i)
            QCOMPARE(seen[i], i);
        QCOMPARE(list.named("Dominio").first().page, 1);
        QCOMPARE(list.named("Dominio").at(22).page, 1);
        QCOMPARE(list.named("Dominio").at(23).page, 2);
        QCOMPARE(list.find("Dominio", 2)->rect.top(), 10 + 15 + 1.0);
        QCOMPARE(list.named("Nro").at(41).text, QStringLiteral("42 de N41"));
        const DisplayItem *total = list.find("Total");
        QVERIFY(total);
        QCOMPARE(total->page, 5);
        QVERIFY(total->rect.top() > list.named("Dominio").last().rect.top());
    }

    void summaryThatDoesNotFitOpensAPage()
    {
        const Layout l = listLayout();
        VectorRowSource rows(plates(23)); // fills page one exactly
        const DisplayList list = paginate(l, &rows);
        QCOMPARE(list.pageCount, 2);
        QCOMPARE(list.find("Total")->page, 2);
        QVERIFY(list.find("Cabecera", 2));
        QVERIFY(!list.find("Dominio", 2));
    }

    void emptyListStillPrintsItsBands()
    {
        const Layout l = listLayout();
        VectorRowSource none({});
        const DisplayList list = paginate(l, &none);
        QCOMPARE(list.pageCount, 1);
        QVERIFY(list.find("Cabecera") && list.find("Pagina") && list.find("Total"));
        QVERIFY(list.named("Dominio").isEmpty());
        QCOMPARE(paginate(l, nullptr).pageCount, 1);
    }

    void firstAndLastPageBandsAndFrames()
    {
        const Layout l = testLayout(QStringLiteral("Sheet"));
        QVector<QVariantMap> two{{{"n", 1}}, {{"n", 2}}};
        VectorRowSource small(two);
        DisplayList list = paginate(l, &small);
        QCOMPARE(list.pageCount, 1);
        // footer sits at the bottom; the detail column's frame runs down to it
        QCOMPARE(list.find("F")->rect.top(), 10 + 277 - 124.6);
        double frameBottom = 0;
        for (const DisplayItem &d : list.named("detail.frame"))
            frameBottom = qMax(frameBottom, d.rect.bottom());
        QCOMPARE(frameBottom, 10 + 277 - 124.6);
        QCOMPARE(list.named("pageFooter.frame").size(), 4);
        QCOMPARE(list.named("pageHeader.frame").size(), 3);

        QVector<QVariantMap> many;
        for (int i = 0; i < 40; ++i)
            many.append({{"n", i}});
        VectorRowSource big(many);
        list = paginate(l, &big);
        QCOMPARE(list.pageCount, 2);
        QVERIFY(list.find("H", 1) && !list.find("H", 2));
        QVERIFY(!list.find("F", 1) && list.find("F", 2));
        QCOMPARE(list.named("D").size(), 40);
        QCOMPARE(list.named("D").last().text, QStringLiteral("39"));
        QCOMPARE(list.find("D", 2)->rect.top(), 10.0);
    }

    void pdfHoldsTheTextOfEveryPage()
    {
        const Layout l = listLayout();
        VectorRowSource rows(plates(60));
        const QString path = tmp.filePath("list.pdf");
        QString error;
        QVERIFY2(writePdf(path, l, paginate(l, &rows), &error), qPrintable(error));
        const QString info = run("pdfinfo", {path});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+3")), qPrintable(info));
        QVERIFY(info.contains(QRegularExpression("Page size:\\s+595")));
        const QString text = run("pdftotext", {"-layout", path, "-"});
        QVERIFY(text.contains("LISTADO"));
        QVERIFY(text.contains("AB0000"));
        QVERIFY(text.contains("AB0059"));
        QVERIFY(text.contains("Página 3 de 3"));
        QVERIFY(!writePdf(tmp.filePath("no/such/dir/x.pdf"), l, paginate(l, &rows), &error));
        QVERIFY(error.contains("PDF"));
    }

    void spreadsheetHasTitlesAndRows()
    {
        ReportForm form(listLayout());
        form.bindRows(std::make_shared<VectorRowSource>(plates(3)));
        QVERIFY(form.hasSpreadsheet());
        const QString path = tmp.filePath("list.xlsx");
        QString error;
        QVERIFY2(form.exportXlsx(path, &error), qPrintable(error));
        const QString listing = run("unzip", {"-l", path});
        QVERIFY2(listing.contains("xl/worksheets/sheet1.xml"), qPrintable(listing));
        const QString sheet = run("unzip", {"-p", path, "xl/worksheets/sheet1.xml"});
        const QString strings = run("unzip", {"-p", path, "xl/sharedStrings.xml"});
        QVERIFY(strings.contains("<t>Dominio</t>"));
        QVERIFY(strings.contains("<t>Año</t>"));
        QVERIFY(strings.contains("<t>AB0002</t>"));
        QVERIFY(!strings.contains("N0")); // only the listed columns
        QVERIFY(sheet.contains("<c r=\"B4\""));
        QVERIFY(sheet.contains("<v>2002</v>")); // a number stays a number
        QVERIFY(!sheet.contains("r=\"A5\""));
        QVERIFY(!form.exportXlsx(tmp.filePath("no/such/dir/x.xlsx"), &error));
    }

    void previewNavigatesAndExportsWithoutBlocking()
    {
        ReportForm form(listLayout());
        form.bindRows(std::make_shared<VectorRowSource>(plates(100)));
        int shown = 0;
        ReportForm::setPreviewHook([&](PreviewDialog &dlg) {
            ++shown;
            QCOMPARE(dlg.pageCount(), 5);
            QCOMPARE(dlg.findChild<QLabel *>("LabelPagina")->text(), QStringLiteral("Página 1 de 5"));
            QVERIFY(!dlg.findChild<QPushButton *>("BtnAnterior")->isEnabled());
            QTest::mouseClick(dlg.findChild<QPushButton *>("BtnUltima"), Qt::LeftButton);
            QCOMPARE(dlg.currentPage(), 5);
            QVERIFY(!dlg.findChild<QPushButton *>("BtnSiguiente")->isEnabled());
            QTest::mouseClick(dlg.findChild<QPushButton *>("BtnAnterior"), Qt::LeftButton);
            QCOMPARE(dlg.findChild<QLabel *>("LabelPagina")->text(), QStringLiteral("Página 4 de 5"));
            dlg.setPage(99);
            QCOMPARE(dlg.currentPage(), 5);
            dlg.setZoom(200);
            const QPixmap pm = dlg.findChild<QLabel *>("PageView")->pixmap();
            QCOMPARE(pm.width(), qRound(210 * 192 / 25.4));
            QVERIFY(!dlg.findChild<QPushButton *>("BtnExcel")->isHidden());
            QCOMPARE(dlg.findChild<QPushButton *>("BtnImprimir")->text(), QStringLiteral("Imprimir"));
            QVERIFY(dlg.exportPdfTo(tmp.filePath("preview.pdf")));
            QVERIFY(QFileInfo(tmp.filePath("preview.pdf")).size() > 1000);
        });
        form.preview();
        ReportForm::setPreviewHook({});
        QCOMPARE(shown, 1);

        QPrinter printer;
        form.setUpPrinter(printer);
        QCOMPARE(printer.copyCount(), 2);
        QVERIFY(printer.fullPage());
    }

    void previewDrawsThePage()
    {
        ReportForm form(listLayout());
        form.bindRows(std::make_shared<VectorRowSource>(plates(2)));
        PreviewDialog dlg(form);
        const QImage img = dlg.pageImage(1, 80);
        QCOMPARE(img.size(), QSize(qRound(210 * 80 / 25.4), qRound(297 * 80 / 25.4)));
        // something dark where the title is, white far from any item
        int dark = 0;
        for (int x = qRound(10 * 80 / 25.4); x < qRound(60 * 80 / 25.4); ++x)
            for (int y = qRound(10 * 80 / 25.4); y < qRound(18 * 80 / 25.4); ++y)
                dark += qGray(img.pixel(x, y)) < 128;
        QVERIFY(dark > 20);
        QCOMPARE(img.pixel(img.width() - 5, img.height() / 2), qRgb(255, 255, 255));
        QVERIFY(dlg.findChild<QPushButton *>("BtnExcel"));
        const QString look = qEnvironmentVariable("TARVIL_LOOK_DIR");
        if (!look.isEmpty()) {
            dlg.resize(900, 700);
            dlg.setZoom(75);
            dlg.grab().save(look + QStringLiteral("/preview.png"));
        }
    }
};

QTEST_MAIN(TstReportEngine)
#include "tst_reportengine.moc"
