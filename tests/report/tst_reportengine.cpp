// The report engine: layout inheritance, expressions, row sources,
// pagination of long detail lists, PDF and spreadsheet output, the preview.
#include "report/expression.h"
#include "report/preview.h"
#include "report/reportform.h"

#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
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

        // null in a descendant takes an inherited property away
        const auto resolve = [](const QString &) {
            return QByteArray("{\"name\": \"P\", \"items\": {\"pageHeader\": [{\"name\": \"x\", \"text\": \"t\", "
                              "\"value\": \"V\"}]}}");
        };
        const Layout child = loadLayoutFromJson(
            "{\"name\": \"C\", \"extends\": \"P\", \"items\": {\"pageHeader\": [{\"name\": \"x\", \"value\": null}]}}",
            resolve);
        QCOMPARE(child.item("x").kind, ItemKind::Label);
        QCOMPARE(child.item("x").text, QStringLiteral("t"));
    }

    void namedValuesConditionsAndMarkers()
    {
        const Layout l = testLayout(QStringLiteral("Markers"));
        QCOMPARE(l.paperSizeMm(), QSizeF(215.9, 355.6));
        Values v;
        v.set("Inyeccion", "NO");
        v.set("Nuevo", "");
        v.set("Tipo", "C");
        v.set("Membrete", "PEC GAS SA");
        v.set("ConMembrete", false);
        v.set("Fecha", "05/03/2021");
        v.set("Logo", QString::fromUtf8(TARVIL_SOURCE_DIR "/src/documents/layouts/logo.png"));
        v.set("Nombre", "DEL VALOR");
        v.set("Copias", 0);
        VectorRowSource rows({{{"Nombre", "uno"}, {"CNUEVO", "SI"}},
                              {{"Nombre", "oculto"}, {"CNUEVO", "NO"}},
                              {{"Nombre", "tres"}, {"CNUEVO", ""}}});
        const double left = 6, top = 10;
        DisplayList list = paginate(l, &rows, &v);
        QCOMPARE(list.find("Inyeccion")->rect.topLeft(), QPointF(left + 30, top + 5));
        QCOMPARE(list.find("Nuevo")->rect.left(), left + 40); // any other value: the "*" place
        QCOMPARE(list.find("Tipo")->rect.topLeft(), QPointF(left + 100, top + 20));
        QVERIFY(!list.find("Membrete"));
        QCOMPARE(list.find("Habilitacion")->text, QStringLiteral("05      03      2021"));
        QCOMPARE(list.find("Logo")->text, v.value("Logo").toString());
        // the row's field wins over a named value of the same name
        QCOMPARE(list.named("Nombre").size(), 3);
        QCOMPARE(list.named("Nombre").at(1).text, QStringLiteral("oculto"));
        const QVector<DisplayItem> used = list.named("Usado");
        QCOMPARE(used.size(), 2);
        QCOMPARE(used[0].text, QString());
        QCOMPARE(used[1].row, 2);
        QCOMPARE(used[1].text, QStringLiteral("X"));

        v.set("Tipo", "D");
        v.set("Inyeccion", "SI");
        v.set("ConMembrete", true);
        v.set("Logo", "no-existe.jpg");
        list = paginate(l, &rows, &v);
        QCOMPARE(list.find("Tipo")->rect.topLeft(), QPointF(left + 120, top + 30));
        QCOMPARE(list.find("Inyeccion")->rect.left(), left + 20);
        QCOMPARE(list.find("Membrete")->text, QStringLiteral("PEC GAS SA"));
        QCOMPARE(list.find("Logo")->text, QStringLiteral(":/no/such.png"));
        v.set("Tipo", "H"); // only the top moves
        QCOMPARE(paginate(l, &rows, &v).find("Tipo")->rect.topLeft(), QPointF(left + 100, top + 35));
        v.set("Tipo", "R"); // a value the map lacks leaves the marker where the layout puts it
        QCOMPARE(paginate(l, &rows, &v).find("Tipo")->rect.topLeft(), QPointF(left + 100, top + 5));

        // copies from a value, never fewer than one
        ReportForm form(l);
        form.bindValues(std::make_shared<Values>(v));
        QCOMPARE(form.layout().copies, 1);
        v.set("Copias", 3);
        form.bindValues(std::make_shared<Values>(v));
        QCOMPARE(form.layout().copies, 3);

        // names neither the values nor, in the detail band, the rows supply
        QCOMPARE(l.unboundNames(v.names(), rows.fields()), QStringList());
        Values few;
        few.set("inyeccion", "SI");
        const QStringList unbound = l.unboundNames(few.names(), {"Nombre"});
        QVERIFY2(unbound.contains("Markers, Tipo: Tipo"), qPrintable(unbound.join('\n')));
        QVERIFY(unbound.contains("Markers, Usado: CNUEVO"));
        QVERIFY(!unbound.join(' ').contains("Inyeccion")); // names compare without regard to case
        QVERIFY(!unbound.contains("Markers, Nombre: Nombre"));
    }

    void groupsTotalsAndPageItems()
    {
        const Layout l = testLayout(QStringLiteral("Grouped"));
        QCOMPARE(l.paperSizeMm(), QSizeF(250, 150));
        QVector<QVariantMap> data;
        const QList<std::pair<const char *, double>> sales = {{"FIAT", 10.5}, {"FIAT", 20}, {"FIAT", 30},
                                                              {"FORD", 5},    {"FORD", 5},  {"RENAULT", 7.25}};
        for (int i = 0; i < sales.size(); ++i)
            data.append(
                {{"MARCA", sales[i].first}, {"DOMINIO", QStringLiteral("AA%1").arg(i)}, {"IMPORTE", sales[i].second}});
        VectorRowSource rows(data);
        Values v;
        v.set("Taller.Nombre", "TALLER NORTE");
        const QDateTime at(QDate(2024, 5, 6), QTime(14, 30));
        const DisplayList list = Render(l, &rows, &v, at).all();
        QCOMPARE(list.pageCount, 1);
        QCOMPARE(list.find("Taller")->text, QStringLiteral("TALLER NORTE"));
        QCOMPARE(list.find("Cantidad")->text, QStringLiteral("Operaciones: 6"));
        QCOMPARE(list.find("Impreso")->text, at.date().toString(QStringLiteral("dd/MM/yyyy")) + " 14:30");
        QCOMPARE(list.find("Hoja")->text, QStringLiteral("Hoja 1 de 1"));
        QStringList order;
        for (const DisplayItem &d : list.items)
            if (d.name == "Marca" || d.name == "MarcaCantidad" || d.name == "Dominio" || d.name == "Subtotal" ||
                d.name == "Total" || d.name == "Parte")
                order << d.text;
        QCOMPARE(order, (QStringList{"FIAT",
                                     "3 vehículos",
                                     "AA0",
                                     "3",
                                     "AA1",
                                     "3",
                                     "AA2",
                                     "3",
                                     "Subtotal 60.50",
                                     "FORD",
                                     "2 vehículos",
                                     "AA3",
                                     "2",
                                     "AA4",
                                     "2",
                                     "Subtotal 10.00",
                                     "RENAULT",
                                     "1 vehículos",
                                     "AA5",
                                     "1",
                                     "Subtotal 7.25",
                                     "TOTAL 77.75 en 6"}));
        // bands follow one another down the page
        QCOMPARE(list.find("Marca")->rect.top(), 10 + 10.0);
        QCOMPARE(list.find("Dominio")->rect.top(), 10 + 10 + 6.0);
        QCOMPARE(list.find("Subtotal")->rect.top(), 10 + 10 + 6 + 3 * 5.0);

        // a long list: a group header never ends a page, every page asks for its items alone
        data.clear();
        for (int i = 0; i < 90; ++i)
            data.append({{"MARCA", QStringLiteral("M%1").arg(i / 7, 2, 10, QLatin1Char('0'))},
                         {"DOMINIO", QStringLiteral("D%1").arg(i)},
                         {"IMPORTE", 1}});
        VectorRowSource many(data);
        const Render render(l, &many, &v, at);
        const DisplayList all = render.all();
        QVERIFY(render.pageCount() > 3);
        int headers = 0;
        for (const DisplayItem &d : all.items) {
            if (d.name != "Marca")
                continue;
            ++headers;
            bool rowFollows = false;
            for (const DisplayItem &r : all.onPage(d.page))
                rowFollows = rowFollows || (r.name == "Dominio" && r.row == d.row);
            QVERIFY2(rowFollows, qPrintable(d.text));
        }
        QCOMPARE(headers, 13);
        QCOMPARE(all.named("Dominio").size(), 90);
        QCOMPARE(all.named("Subtotal").last().text, QStringLiteral("Subtotal 6.00"));
        for (int p = 1; p <= render.pageCount(); ++p) {
            const QVector<DisplayItem> page = render.page(p), expected = all.onPage(p);
            QCOMPARE(page.size(), expected.size());
            for (int i = 0; i < page.size(); ++i) {
                QCOMPARE(page[i].name, expected[i].name);
                QCOMPARE(page[i].text, expected[i].text);
                QCOMPARE(page[i].rect, expected[i].rect);
            }
        }
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
        // a misspelt key, an unknown page size, a move without positions
        QVERIFY(fails("{\"name\": \"L\", \"items\": {\"detail\": [{\"name\": \"e\", \"tetx\": \"x\"}]}}"));
        QVERIFY(fails("{\"name\": \"L\", \"page\": {\"size\": \"A3\"}}"));
        QVERIFY(fails("{\"name\": \"L\", \"items\": {\"pageHeader\": [{\"name\": \"m\", \"move\": {\"by\": "
                      "\"K\"}}]}}"));
        QVERIFY(fails("{\"name\": \"L\", \"items\": {\"groupFooter.nada\": [{\"name\": \"g\"}]}}"));
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

        // the compact store gives every kind of value back as it went in
        TableRowSource t({"texto", "entero", "real", "fecha", "momento", "si", "nulo"});
        const QDateTime moment(QDate(2024, 2, 29), QTime(23, 59, 58));
        t.append({QStringLiteral("Ñandú \"ó\""), 42, 2.5, QDate(1999, 12, 31), moment, true, QVariant()});
        t.append({QString(), qint64(1) << 40});
        QCOMPARE(t.rowCount(), 2);
        QCOMPARE(t.value(0, "TEXTO").toString(), QStringLiteral("Ñandú \"ó\""));
        QCOMPARE(t.value(0, "entero").toInt(), 42);
        QCOMPARE(t.value(0, "real").toDouble(), 2.5);
        QCOMPARE(t.value(0, "fecha").toDate(), QDate(1999, 12, 31));
        QCOMPARE(t.value(0, "momento").toDateTime(), moment);
        QCOMPARE(t.value(0, "si").typeId(), int(QMetaType::Bool));
        QVERIFY(!t.value(0, "nulo").isValid());
        QCOMPARE(t.value(1, "texto").toString(), QString());
        QCOMPARE(t.value(1, "entero").toLongLong(), qint64(1) << 40);
        QVERIFY(!t.value(1, "fecha").isValid()); // a short row is padded with nulls
        QVERIFY(!t.value(2, "texto").isValid());
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
        const QString strings = sheet; // written inline, row by row
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

    // The layout says which exports its preview offers; a file printed from
    // it holds every copy, since a PDF cannot repeat itself.
    void exportButtonsFollowTheLayoutAndFilesGetEveryCopy()
    {
        const auto offered = [](const char *json) {
            ReportForm form(loadLayoutFromJson(json, layoutText));
            PreviewDialog dlg(form);
            return QStringLiteral("pdf:%1 xlsx:%2")
                .arg(!dlg.findChild<QPushButton *>("BtnPdf")->isHidden())
                .arg(!dlg.findChild<QPushButton *>("BtnExcel")->isHidden());
        };
        QCOMPARE(offered(R"({"name": "A", "extends": "TestList"})"), QStringLiteral("pdf:1 xlsx:1"));
        QCOMPARE(offered(R"({"name": "A", "extends": "TestList", "exports": ["xlsx"]})"),
                 QStringLiteral("pdf:0 xlsx:1"));
        QCOMPARE(offered(R"({"name": "A", "extends": "TestList", "exports": []})"), QStringLiteral("pdf:0 xlsx:0"));
        QVERIFY_THROWS_EXCEPTION(
            std::runtime_error,
            loadLayoutFromJson(R"({"name": "A", "extends": "TestList", "exports": ["csv"]})", layoutText));

        ReportForm form(listLayout()); // two copies preset
        form.bindRows(std::make_shared<VectorRowSource>(plates(100)));
        const int pages = form.render().pageCount();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = tmp.filePath("copies.pdf");
        printer.setOutputFileName(path);
        form.setUpPrinter(printer);
        QVERIFY(form.print(printer));
        const QString info = run("pdfinfo", {path});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(2 * pages))), qPrintable(info));
        QVERIFY(run("pdftotext", {"-f", QString::number(pages + 1), "-l", QString::number(pages + 1), path, "-"})
                    .contains("AB0000")); // the second copy starts again at the first page
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
