// Every registered document layout renders from a full sample of its
// document's values and rows: a layout that does not load, a name that no
// value or field supplies, an item off its page, printed texts on top of each
// other or of a line, or a wrapped text longer than its box fails here,
// whoever adds the layout. Every profile's sheet choices name registered layouts.
#include "core/installationprofile.h"
#include "documents/letter.h"
#include "documents/rankingdocument.h"
#include "documents/registry.h"
#include "documents/sheet.h"
#include "documents/workorderdocuments.h"
#include "documents/workshopdocuments.h"
#include "sampleletter.h"
#include "samplelists.h"
#include "sampleorder.h"
#include "samplesheet.h"
#include "sampleworkorder.h"

#include <QFontMetricsF>
#include <QImage>
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
        Sample::setCylinders(d, {Sample::cylinder(QStringLiteral("S-1")), Sample::withReplacedValve("S-2", "SI")});
        out.append(
            {kinds[i], std::make_shared<Report::Values>(Documents::SheetValues(d)), Documents::SheetRows(d, l.rows)});
    }
    return out;
}

// Each purpose of the letter, every item row filled.
QVector<Rendered> letterSamples()
{
    QVector<Rendered> out;
    for (int p = 0; p < 3; ++p) {
        const Letter::PrintData d = Sample::letterPrintData(Letter::PurposeFromIndex(p));
        out.append({Letter::PurposeTexts()[p], std::make_shared<Report::Values>(Documents::LetterValues(d)),
                    std::make_shared<Report::VectorRowSource>(QVector<QVariantMap>{})});
    }
    return out;
}

// The text a display item prints covers, in mm: one line of the glyphs'
// advance placed by the item's alignment, or the wrapped block.
struct Ink {
    QRectF rect;
    bool fits = true; // a wrapped text within its box's height
};

Ink inkOf(const Report::Item &it, const Report::DisplayItem &d)
{
    static QImage device = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        img.setDotsPerMeterX(qRound(600 / 0.0254));
        img.setDotsPerMeterY(qRound(600 / 0.0254));
        return img;
    }();
    const double pxPerMm = device.logicalDpiX() / 25.4;
    const QFontMetricsF fm(it.font(), &device);
    if (it.wordWrap) {
        const QRectF box = fm.boundingRect(QRectF(0, 0, d.rect.width() * pxPerMm, 1e6),
                                           int(it.align) | Qt::AlignTop | Qt::TextWordWrap, d.text);
        const double h = box.height() / pxPerMm;
        return {QRectF(d.rect.left(), d.rect.top(), d.rect.width(), h), h <= d.rect.height() + 0.05};
    }
    const double w = fm.horizontalAdvance(d.text) / pxPerMm;
    const double h = (fm.ascent() + fm.descent()) / pxPerMm;
    double left = d.rect.left();
    if (it.align & Qt::AlignRight)
        left = d.rect.right() - w;
    else if (it.align & Qt::AlignHCenter)
        left = d.rect.left() + (d.rect.width() - w) / 2;
    return {QRectF(left, d.rect.top(), w, h)};
}

struct Printed {
    QString name;
    Ink ink;
    bool marker = false;  // an "X" placed by a value
    bool caption = false; // fixed text of a blank sheet
};

// Printed texts that cover each other by more than a hair, and wrapped
// texts cut at the bottom of their box. The blank sheets' new-regulator "X"
// keeps the full-grain place, on the regulator box titles.
QStringList crowding(const Report::Layout &l, const Report::DisplayList &list)
{
    QStringList out;
    for (int p = 1; p <= list.pageCount; ++p) {
        QVector<Printed> printed;
        for (const Report::DisplayItem &d : list.onPage(p)) {
            if (d.itemIndex < 0 || d.text.trimmed().isEmpty() || d.kind == Report::ItemKind::Picture)
                continue;
            const Report::Item &it = l.items[d.itemIndex];
            if (d.rect.width() <= 0 || d.rect.height() <= 0) {
                out << QStringLiteral("%1 has no place").arg(d.name); // a binding without its component
                continue;
            }
            const Ink ink = inkOf(it, d);
            if (!ink.fits)
                out << QStringLiteral("%1 does not fit its box").arg(d.name);
            printed.append({d.name, ink, bool(it.move), it.kind == Report::ItemKind::Label && !it.move});
        }
        // A text a line runs through, or one sitting on it, prints badly.
        for (const Report::DisplayItem &d : list.onPage(p)) {
            if (d.kind != Report::ItemKind::Line)
                continue;
            for (const Printed &t : printed) {
                const QRectF &r = t.ink.rect;
                const bool across = d.rect.height() < 0.01 && d.rect.top() > r.top() + 0.1 &&
                                    d.rect.top() < r.bottom() - 0.1 &&
                                    std::min(d.rect.right(), r.right()) - std::max(d.rect.left(), r.left()) > 0.3;
                const bool down = d.rect.width() < 0.01 && d.rect.left() > r.left() + 0.1 &&
                                  d.rect.left() < r.right() - 0.1 &&
                                  std::min(d.rect.bottom(), r.bottom()) - std::max(d.rect.top(), r.top()) > 0.3;
                if (across || down)
                    out << QStringLiteral("%1 on the line %2").arg(t.name, d.name);
            }
        }
        for (int i = 0; i < printed.size(); ++i)
            for (int j = i + 1; j < printed.size(); ++j) {
                const Printed &a = printed[i], &b = printed[j];
                if ((a.marker && b.caption) || (a.caption && b.marker))
                    continue;
                const QRectF both = a.ink.rect.intersected(b.ink.rect);
                if (both.width() > 0.3 && both.height() > 0.3)
                    out << QStringLiteral("%1 over %2").arg(a.name, b.name);
            }
    }
    return out;
}

// The layouts a choice can print.
QStringList layoutsOf(const FichaChoice &c)
{
    switch (c.kind) {
    case FichaChoice::Nothing:
        return {};
    case FichaChoice::Fixed:
        return {c.layout};
    case FichaChoice::BySheetFormat:
        return {Ficha::SheetFormatLayout(0), Ficha::SheetFormatLayout(1)};
    case FichaChoice::FormatDialog:
        return {c.blankLayout, c.preprintedLayout};
    }
    return {};
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

// A ranking long enough for a second page, with and without its chart.
QVector<Rendered> rankingSamples()
{
    QVector<Ranking::Count> counts;
    for (int id = 1; id <= 70; ++id)
        counts.push_back({id, QStringLiteral("FALLA NUMERO %1 CON UNA DESCRIPCION LARGA").arg(id), 100 - id});
    QVector<Rendered> out;
    for (const bool chart : {false, true}) {
        Documents::RankingHeader h{
            QStringLiteral("PEC DEMO"), QStringLiteral("TODOS"), QStringLiteral("Periodo: 01/03/2026 al 31/03/2026"),
            QStringLiteral("Vehículo: FIAT UNO"), chart ? QStringLiteral(":/documents/layouts/logo.png") : QString()};
        out.append({chart ? QStringLiteral("chart") : QStringLiteral("no chart"),
                    std::make_shared<Report::Values>(Documents::RankingValues(h)),
                    Documents::RankingRows(Ranking::Rank(counts))});
    }
    return out;
}

} // namespace

class TstLayouts : public QObject
{
    Q_OBJECT

private slots:
    // Dates print as the program prints them.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina)); }

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
            else if (e.document == QLatin1String("ranking"))
                samples = rankingSamples();
            else if (e.document == QLatin1String("workorder"))
                samples = workOrderSamples();
            else if (e.name.startsWith(QLatin1String("TQListado")) &&
                     e.name.contains(QLatin1String("OPV"), Qt::CaseInsensitive))
                samples = workOrderListSamples();
            else if (e.name == QLatin1String("TExportToExcelPropietariosForm"))
                samples = ownerListSamples();
            else if (e.document == QLatin1String("letter"))
                samples = letterSamples();
            else if (const std::optional<Sample::ListSample> list = Sample::list(e.name))
                samples = {{QStringLiteral("lista"), list->values, list->rows}};
            else if (e.document == QLatin1String("leaflet"))
                samples = {{e.name, std::make_shared<Report::Values>(),
                            std::make_shared<Report::VectorRowSource>(QVector<QVariantMap>{})}};
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
                const QStringList crowded = crowding(l, render.all());
                QVERIFY2(
                    crowded.isEmpty(),
                    qPrintable(QStringLiteral("%1 (%2): %3").arg(e.name, s.label, crowded.join(QStringLiteral(", ")))));
            }
        }
    }

    // Both triggers of every profile, every answer of the format dialog and
    // both sheet formats, and the empty sheet: nothing a profile may print is
    // missing.
    void everyProfileChoiceIsRegistered()
    {
        for (const InstallationProfile &p : installationProfiles()) {
            QStringList names = layoutsOf(p.fichaAfterSave) + layoutsOf(p.fichaOnButton);
            names << p.emptyFichaLayout << Ficha::AlignmentLayout(p, 0) << Ficha::AlignmentLayout(p, 1);
            names.removeAll(QString());
            for (const QString &name : names) {
                const Documents::Entry *e = Documents::Find(name);
                QVERIFY2(e && e->document == QLatin1String("sheet"), qPrintable(p.name + QStringLiteral(": ") + name));
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
