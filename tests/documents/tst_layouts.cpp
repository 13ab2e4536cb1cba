// Every registered document layout renders from a full sample of its
// document's values and rows: a layout that does not load, a name that no
// value or field supplies, or an item off its page fails here, whoever adds
// the layout.
#include "documents/registry.h"
#include "documents/sheet.h"
#include "documents/workorderdocuments.h"
#include "documents/workshopdocuments.h"
#include "sampleorder.h"
#include "samplesheet.h"
#include "sampleworkorder.h"

#include <QtTest>

namespace
{

struct Rendered {
    QString label;
    std::shared_ptr<const Report::Values> values;
    std::shared_ptr<const Report::RowSource> rows;
};

// Every operation kind, with the choices the markers move by turned over.
QVector<Rendered> sheetSamples(const Report::Layout &l)
{
    const QStringList kinds{"C", "M", "R", "B", "X", "H", "D"};
    const QStringList uses{"TAXI", "PICK-UP", "PARTICULAR", "OFICIAL", "OTROS", "MOTO", "AUTOELEVADORES"};
    QVector<Rendered> out;
    for (int i = 0; i < kinds.size(); ++i) {
        FichaData d = Sample::renewal();
        d.operationKind = kinds[i];
        d.useType = uses[i];
        d.injection = i % 2 ? QStringLiteral("SI") : QStringLiteral("NO");
        d.regulatorNew = i % 2 ? QStringLiteral("NO") : QStringLiteral("SI");
        d.workshopEnabled = i % 3 != 0;
        d.printsLetterheadLines = d.keepsLayoutRepresentative = i % 2;
        CylinderRow replaced = Sample::cylinder(QStringLiteral("S-2"), QStringLiteral("SI"));
        replaced.rvalCod = QStringLiteral("V20");
        Sample::setCylinders(d, {Sample::cylinder(QStringLiteral("S-1")), replaced});
        out.append(
            {kinds[i], std::make_shared<Report::Values>(Documents::SheetValues(d)), Documents::SheetRows(d, l.rows)});
    }
    return out;
}

// A new order and a reprint of one with four cylinders and no regulator.
QVector<Rendered> orderSamples()
{
    QVector<Rendered> out;
    for (const bool reprint : {false, true}) {
        Orders::ConversionOrder o = sampleOrder(QStringLiteral("TDM0001"), reprint ? 4 : 1);
        if (reprint)
            o.regulator = {};
        Orders::PrintContext ctx;
        ctx.reprint = reprint;
        ctx.pecName = QStringLiteral("PEC DEMO");
        out.append({reprint ? QStringLiteral("reprint") : QStringLiteral("new"),
                    std::make_shared<Report::Values>(Documents::OrderValues(o, ctx)),
                    std::make_shared<Report::VectorRowSource>(QVector<QVariantMap>())});
    }
    return out;
}

// A new order under warranty with no fault, and a reprint with eight
// faults (more than the boxes) and six jobs.
QVector<Rendered> workOrderSamples()
{
    QVector<Rendered> out;
    for (const bool reprint : {false, true}) {
        WorkOrders::WorkOrder o = sampleWorkOrder(QStringLiteral("TDM0001"), reprint ? 6 : 0);
        o.faults.clear();
        for (int i = 0; reprint && i < 8; ++i)
            o.faults.push_back({0, i, QStringLiteral("FALLA %1").arg(i + 1)});
        const WorkOrders::PrintContext ctx{reprint, QStringLiteral("LINDEN GNC"), true, QDate(2025, 3, 4)};
        out.append({reprint ? QStringLiteral("reprint") : QStringLiteral("new"),
                    std::make_shared<Report::Values>(Documents::WorkOrderValues(o, ctx)),
                    Documents::WorkOrderFaultRows(o)});
    }
    return out;
}

QVector<Rendered> workOrderListSamples()
{
    WorkOrderStore::PeriodRow r{
        QDate(2026, 12, 9), 12,     "LUNA ESTEBAN", "8AP17206NK2012345", "AB123CD", "FIAT", "SIENA", "TDM0001", "SI",
        "OESTE MOTORS",     42500.5};
    auto values = std::make_shared<Report::Values>();
    values->set(QStringLiteral("Periodo"), QStringLiteral("Periodo: 01/12/2026 al 09/12/2026"));
    values->set(QStringLiteral("TallerLinea"), QStringLiteral("Taller: Todos"));
    return {
        {QStringLiteral("orders"), values, Documents::WorkOrderListRows(QVector<WorkOrderStore::PeriodRow>(70, r))}};
}

QVector<Rendered> ownerListSamples()
{
    return {{QStringLiteral("owners"), std::make_shared<Report::Values>(),
             Documents::OwnerListRows(QVector<Owners::Owner>(90, sampleOwner()))}};
}

} // namespace

class TstLayouts : public QObject
{
    Q_OBJECT

private slots:
    void everyRegisteredLayoutRenders()
    {
        QVERIFY(!Documents::Registry().isEmpty());
        for (const Documents::Entry &e : Documents::Registry()) {
            Report::Layout l;
            try {
                l = Documents::LoadLayout(e.name);
            } catch (const std::exception &ex) {
                QFAIL(ex.what());
            }
            QCOMPARE(l.name, e.name); // the file's name is the layout's
            QVector<Rendered> samples;
            if (e.document == QLatin1String("sheet"))
                samples = sheetSamples(l);
            else if (e.document == QLatin1String("order"))
                samples = orderSamples();
            else if (e.document == QLatin1String("workorder"))
                samples = workOrderSamples();
            else if (e.name.startsWith(QLatin1String("TQListado")) &&
                     e.name.contains(QLatin1String("OPV"), Qt::CaseInsensitive))
                samples = workOrderListSamples();
            else if (e.name == QLatin1String("TExportToExcelPropietariosForm"))
                samples = ownerListSamples();
            else
                QFAIL(qPrintable(QStringLiteral("%1: no sample for documents of kind \"%2\"").arg(e.name, e.document)));

            for (const Rendered &s : samples) {
                Report::Values values = *s.values;
                if (e.hook)
                    e.hook(values);
                const QStringList unbound = l.unboundNames(values.names(), s.rows->fields());
                QVERIFY2(unbound.isEmpty(), qPrintable(unbound.join(QLatin1Char('\n'))));
                const Report::Render render(l, s.rows.get(), &values);
                const QSizeF paper = l.paperSizeMm();
                const auto onPaper = [&paper](const QRectF &r) {
                    return r.left() >= -0.01 && r.top() >= -0.01 && r.right() <= paper.width() + 0.01 &&
                           r.bottom() <= paper.height() + 0.01;
                };
                for (int p = 1; p <= render.pageCount(); ++p)
                    for (const Report::DisplayItem &d : render.page(p))
                        QVERIFY2(onPaper(d.rect),
                                 qPrintable(QStringLiteral("%1 (%2): %3 off the page").arg(e.name, s.label, d.name)));
            }
        }
    }

    // Ancestors too: a file that does not load would otherwise go unseen,
    // neither registered nor printed.
    void everyLayoutFileLoads()
    {
        const QDir dir(QStringLiteral(":/documents/layouts"));
        const QStringList files = dir.entryList({QStringLiteral("*.json")}, QDir::Files);
        QVERIFY(files.size() >= Documents::Registry().size());
        for (const QString &file : files) {
            try {
                QCOMPARE(Documents::LoadLayout(file.chopped(5)).name, file.chopped(5));
            } catch (const std::exception &ex) {
                QFAIL(ex.what());
            }
        }
    }

    void unknownLayoutsAreNotAvailable()
    {
        QVERIFY(Documents::IsAvailable(QStringLiteral("TQFichaBuckeyeForm")));
        // an ancestor is never printed by itself
        QVERIFY(!Documents::IsAvailable(QStringLiteral("TQFichaGenericaForm")));
        QVERIFY(!Documents::IsAvailable(QStringLiteral("TQFichaNoExisteForm")));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 Documents::MakeSheet(QStringLiteral("TQFichaNoExisteForm"), Sample::renewal()));
    }
};

QTEST_MAIN(TstLayouts)
#include "tst_layouts.moc"
