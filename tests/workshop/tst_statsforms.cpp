// The statistics windows as the operator uses them: each ranking's report
// and chart, the dealer ranking's notice, the orders of a model and the
// vehicle history with its labels, tabs and hand-over to the work order.
#include "app/navigator.h"
#include "controls.h"
#include "core/clock.h"
#include "core/global.h"
#include "data/dm1.h"
#include "displaylist.h"
#include "documents/rankingdocument.h"
#include "reads.h"
#include "report/preview.h"
#include "report/reportform.h"
#include "scriptedprompter.h"
#include "statsdb.h"
#include "workshop/stats/faultchart.h"
#include "workshop/stats/modelselector.h"
#include "workshop/stats/thistoriaform.h"
#include "workshop/stats/topvxmodeloform.h"
#include "workshop/stats/trankingfallasform.h"
#include "workshop/stats/trankingfallasxmodeloform.h"
#include "workshop/stats/trankingxconcesionarioversion2form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

namespace
{

const QString kOps = QStringLiteral("t_statsforms_ops");
const QString kPv = QStringLiteral("t_statsforms_pv");

// A detail component's text on every printed row.
QStringList column(const Shown::Preview &p, const QString &name)
{
    QStringList out;
    for (const Report::DisplayItem &i : p.list.named(name))
        out << i.text;
    return out;
}

// Puts the grid's cursor on the row whose column `col` reads `text`.
void selectByText(QTableView *grid, int col, const QString &text)
{
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (grid->model()->index(r, col).data().toString() == text)
            return Widgets::selectGridRow(grid, r);
    QFAIL(qPrintable(text));
}

void choose(QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(combo->findText(text));
    QVERIFY(combo->currentIndex() >= 0);
}

} // namespace

class TstStatsForms : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    ScriptedPrompter prompter;
    ScopedNavigator nav;
    QVector<Shown::Preview> printed;
    QVector<bool> chartReadable; // each preview's chart picture, while it was open
    QStringList opened;          // "taller/numero" of each work order asked for

private slots:
    void initTestCase()
    {
        db = StatsDb::create(kOps, kPv);
        dm1().configure(Conn::Operations, {TestDb::host(), kOps, TestDb::user(), TestDb::password(), QString()});
        dm1().configure(Conn::PostVenta, {TestDb::host(), kPv, TestDb::user(), TestDb::password(), QString()});
        Global.PecName = QStringLiteral("PEC DEMO");
        Clock::setToday(QDate(2026, 12, 9));
        Report::ReportForm::setPreviewHook(Shown::recordInto(printed, [this] {
            const Report::DisplayItem *chart = printed.last().list.find(QStringLiteral("QRImageGrafico"));
            chartReadable << (chart && !QImage(chart->text).isNull());
        }));
        nav->add<Nav::ViewWorkOrder>([this](const Nav::ViewWorkOrder &r, QWidget *) {
            opened << r.taller + QLatin1Char('/') + QString::number(r.numero);
        });
    }
    void init()
    {
        printed.clear();
        chartReadable.clear();
        opened.clear();
        prompter.log.clear();
    }
    void cleanupTestCase()
    {
        Report::ReportForm::setPreviewHook({});
        dm1().closeAll();
        PostSalesDb::drop(kOps, kPv);
    }

    void workshopRankingPrintsEveryOrder()
    {
        TRankingFallasForm form(nullptr, prompter);
        form.show();
        QTest::mouseClick(control<QPushButton>(form, "BitBtnVer"), Qt::LeftButton);
        waitForReads(form);
        QCOMPARE(printed.size(), 1);
        const Shown::Preview &p = printed[0];
        QCOMPARE(p.layout, QStringLiteral("TQRankingFallasForm"));
        QCOMPARE(p.text("QRLabelTitulo"), QStringLiteral("RANKING FALLAS"));
        QCOMPARE(p.text("QRLabelPEC"), QStringLiteral("PEC DEMO"));
        QCOMPARE(p.text("QRLabelTallerLinea"), QStringLiteral("TODOS"));
        QVERIFY(!p.list.find(QStringLiteral("QRLabelPeriodo"))); // every date: no today-to-today period
        QCOMPARE(column(p, "QRDBTextFalla"), (QStringList{"1", "2", "3", "9"}));
        QCOMPARE(column(p, "QRDBTextCantidad"), (QStringList{"2", "2", "1", "1"}));
        QCOMPARE(column(p, "QRDBTextPorc"), (QStringList{"33.3333", "33.3333", "16.6667", "16.6667"}));
        QCOMPARE(chartReadable, QVector<bool>{true});
        QCOMPARE(form.chartView()->bars().size(), 4);
    }

    void dealerRankingOrItsNotice()
    {
        TRankingXConcesionarioVersion2Form form(nullptr, prompter);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Rankinkg de Fallas por Concesionario"));
        QCOMPARE(control<QTableView>(form, "DBGrid1")->model()->rowCount(), 2);
        control<QDateEdit>(form, "DateTimePicker1")->setDate(QDate(2026, 3, 1));
        control<QDateEdit>(form, "DateTimePicker2")->setDate(QDate(2026, 3, 31));
        selectByText(control<QTableView>(form, "DBGrid1"), 1, "PARTICULAR"); // nothing in March
        QTest::mouseClick(control<QPushButton>(form, "BitBtnVer"), Qt::LeftButton);
        waitForReads(form);
        QCOMPARE(prompter.log, (QStringList{"info: Sin operaciones en el periodo indicado"}));
        QVERIFY(printed.isEmpty());

        selectByText(control<QTableView>(form, "DBGrid1"), 1, "OESTE MOTORS");
        QTest::mouseClick(control<QPushButton>(form, "BitBtnVer"), Qt::LeftButton);
        waitForReads(form);
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed[0].layout, QStringLiteral("TQRankingFallasXConcesionarioForm"));
        QCOMPARE(printed[0].text("QRLabelTallerLinea"), QStringLiteral("Concesionario: OESTE MOTORS"));
        QVERIFY(!printed[0].list.find(QStringLiteral("QRLabelTaller")));
        QCOMPARE(column(printed[0], "QRDBTextPorc"), (QStringList{"50.0000", "50.0000"}));
    }

    void modelRankingSelectorsAndHeaderOnlyReport()
    {
        TRankingFallasXModeloForm form(nullptr, prompter);
        form.show();
        ModelSelector *s = form.selector();
        QCOMPARE(control<QDateEdit>(s, "DateTimePicker1")->date(), QDate(2026, 12, 9));
        QVERIFY(control<QCheckBox>(s, "CheckBoxTodos")->isChecked() &&
                !control<QComboBox>(s, "ComboBoxTalleres")->isEnabled());
        QTest::mouseClick(control<QCheckBox>(s, "CheckBoxTodos"), Qt::LeftButton);
        QVERIFY(control<QComboBox>(s, "ComboBoxTalleres")->isEnabled());
        QCOMPARE(control<QComboBox>(s, "ComboBoxTalleres")->currentText(), QStringLiteral("TAL0005"));

        QTest::mouseClick(control<QPushButton>(form, "BitBtnVer"), Qt::LeftButton); // no brand yet
        waitForReads(form);
        QCOMPARE(prompter.log.size(), 1);
        QVERIFY(printed.isEmpty());

        choose(control<QComboBox>(s, "ComboBoxMarca"), "FIAT");
        QCOMPARE(control<QComboBox>(s, "ComboBoxModelo")->count(), 2);
        QCOMPARE(control<QComboBox>(s, "ComboBoxModelo")->itemText(0), QStringLiteral("SIENA"));
        choose(control<QComboBox>(s, "ComboBoxModelo"), "UNO");
        control<QDateEdit>(s, "DateTimePicker1")->setDate(QDate(2026, 3, 1));
        QTest::mouseClick(control<QPushButton>(form, "BitBtnVer"), Qt::LeftButton);
        waitForReads(form);
        QCOMPARE(printed.last().text("QRLabelTallerLinea"), QStringLiteral("TAL0005"));
        QCOMPARE(printed.last().layout, QStringLiteral("TQRankingFallasXModeloForm"));
        QCOMPARE(printed.last().text("QRLabelVehiculo"), QStringLiteral("Vehículo: FIAT UNO"));
        QCOMPARE(column(printed.last(), "QRDBTextFalla"), (QStringList{"9"}));

        choose(control<QComboBox>(s, "ComboBoxModelo"), "SIENA");
        QTest::mouseClick(control<QPushButton>(form, "BitBtnVer"), Qt::LeftButton);
        waitForReads(form);
        QCOMPARE(printed.size(), 2);
        QVERIFY(column(printed.last(), "QRDBTextFalla").isEmpty());
        QCOMPARE(printed.last().text("QRLabelFallaId"), QStringLiteral("Falla ID"));
        QVERIFY(!printed.last().list.find(QStringLiteral("QRImageGrafico")));
    }

    // A ranking over several pages repeats its whole header; the chart keeps
    // its bars inside the picture, each as long as its count.
    void rankingHeaderOnEveryPageAndChartInItsBox()
    {
        QVector<Ranking::Count> counts;
        for (int id = 1; id <= 80; ++id)
            counts.push_back({id, QStringLiteral("FALLA %1").arg(id), id == 1 ? 40 : 20});
        const QVector<Ranking::Row> rows = Ranking::Rank(counts);
        const Documents::RankingHeader h{"PEC DEMO",
                                         "TAL0005",
                                         Ranking::PeriodLine({2026, 3, 1}, {2026, 3, 31}),
                                         Ranking::VehicleLine("FIAT", "UNO"),
                                         {}};
        const Report::ReportForm form = Documents::MakeRanking("TQRankingFallasXModeloForm", h, rows);
        const Report::Render render = form.render();
        QVERIFY(render.pageCount() >= 2);
        for (int page = 1; page <= render.pageCount(); ++page) {
            QStringList shown;
            for (const Report::DisplayItem &d : render.page(page))
                shown << d.name + QLatin1Char('=') + d.text;
            for (const QString &line :
                 {QStringLiteral("QRLabelTitulo=RANKING FALLAS"), QStringLiteral("QRLabelPEC=PEC DEMO"),
                  QStringLiteral("QRLabelTaller=Taller:"), QStringLiteral("QRLabelTallerLinea=TAL0005"),
                  QStringLiteral("QRLabelPeriodo=Periodo: 01/03/2026 al 31/03/2026"),
                  QStringLiteral("QRLabelVehiculo=Vehículo: FIAT UNO"), QStringLiteral("QRLabelFallaId=Falla ID")})
                QVERIFY2(shown.contains(line), qPrintable(QStringLiteral("page %1: %2").arg(page).arg(line)));
        }

        // Bars of 40 and 20, and the rest (10) as "Otras".
        const QVector<Ranking::Bar> bars =
            Ranking::ChartBars(Ranking::Rank({{1, "A", 40}, {2, "B", 20}, {3, "C", 10}}), 2);
        const QImage chart = FaultChartView::picture(bars, QSize(1900, 820));
        QCOMPARE(chart.size(), QSize(1900, 820));
        // Each bar's length along the middle of its row, in the bar colour.
        QVector<int> lengths;
        int lastRow = -1;
        for (int y = 0; y < chart.height(); ++y) {
            int blue = 0;
            for (int x = 0; x < chart.width(); ++x)
                blue += chart.pixel(x, y) == QColor(0, 90, 170).rgb();
            if (blue > 0 && (lastRow < 0 || y > lastRow + 1))
                lengths << 0;
            if (blue > 0) {
                lengths.last() = qMax(lengths.last(), blue);
                lastRow = y;
            }
        }
        QCOMPARE(lengths.size(), 3);
        QVERIFY(qAbs(lengths[0] - 2 * lengths[1]) <= 2 && qAbs(lengths[1] - 2 * lengths[2]) <= 2);
        for (int y = 0; y < chart.height(); ++y) // room for the count after the longest bar
            QCOMPARE(chart.pixel(chart.width() - 2, y), qRgb(255, 255, 255));

        const QString look = qEnvironmentVariable("TARVIL_LOOK_DIR");
        if (!look.isEmpty()) {
            Documents::RankingHeader withChart = h;
            withChart.chartFile = look + QStringLiteral("/ranking-chart.png");
            FaultChartView::picture(Ranking::ChartBars(rows), QSize(1900, 820)).save(withChart.chartFile);
            Documents::MakeRanking("TQRankingFallasXModeloForm", withChart, rows)
                .exportPdf(look + QStringLiteral("/ranking.pdf"));
        }
    }

    void ordersOfModelOpenTheSelectedOrder()
    {
        TOPVxModeloForm form(nullptr, prompter);
        form.show();
        ModelSelector *s = form.selector();
        choose(control<QComboBox>(s, "ComboBoxMarca"), "FIAT");
        choose(control<QComboBox>(s, "ComboBoxModelo"), "UNO");
        control<QDateEdit>(s, "DateTimePicker1")->setDate(QDate(2026, 1, 1));
        QTest::mouseClick(control<QPushButton>(form, "BitBtnConsultar"), Qt::LeftButton);
        waitForReads(form);
        QCOMPARE(control<QTableView>(form, "DBGrid1")->model()->rowCount(), 3);
        QCOMPARE(control<QTableView>(form, "DBGrid1")->model()->index(0, 7).data().toString(),
                 QStringLiteral("01/04/2026"));
        Widgets::selectGridRow(control<QTableView>(form, "DBGrid1"), 1);
        QTest::mouseClick(control<QPushButton>(form, "BitBtnVer"), Qt::LeftButton);
        waitForReads(form);
        QCOMPARE(opened, QStringList{"TDM0001/6"});
    }

    void historyLabelsTabsAndTimeline()
    {
        THistoriaForm form(nullptr, prompter);
        form.show();
        QTest::keyClicks(control<QLineEdit>(form, "DominioEdit"), "cc111aa");
        QCOMPARE(control<QLineEdit>(form, "DominioEdit")->text(), QStringLiteral("CC111AA"));
        QTest::mouseClick(control<QPushButton>(form, "BitBtnBuscar"), Qt::LeftButton);
        // Only a conversion order: its tab comes forward with its vehicle.
        QCOMPARE(control<QTabWidget>(form, "PageControl1")->currentWidget(),
                 control<QTableView>(form, "DBGridConversion"));
        QCOMPARE(control<QLineEdit>(form, "EditMarca")->text() + control<QLineEdit>(form, "EditModelo")->text(),
                 QStringLiteral("FORDKA"));
        QCOMPARE(control<QTableView>(form, "DBGridOrdenes")->model()->rowCount(), 0);

        // A plate with nothing keeps the labels of the last one.
        control<QLineEdit>(form, "DominioEdit")->setText(QStringLiteral("ZZ999ZZ"));
        QTest::mouseClick(control<QPushButton>(form, "BitBtnBuscar"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(form, "EditModelo")->text(), QStringLiteral("KA"));
        QCOMPARE(control<QTreeWidget>(form, "ListCronologia")->topLevelItemCount(), 0);
        // ... and its empty timeline says so.
        const auto *nothing =
            control<QTreeWidget>(form, "ListCronologia")->viewport()->findChild<QLabel *>("LabelNadaEncontrado");
        QVERIFY(nothing && nothing->isVisible());
        QCOMPARE(nothing->text(), QStringLiteral("No se encontraron sucesos del dominio \"ZZ999ZZ\"."));

        control<QLineEdit>(form, "DominioEdit")->setText(QStringLiteral("AB123CD"));
        QTest::mouseClick(control<QPushButton>(form, "BitBtnBuscar"), Qt::LeftButton);
        QVERIFY(!nothing->isVisible());
        QCOMPARE(control<QLineEdit>(form, "EditVIN")->text(), QStringLiteral("VINFORD")); // the newest order: TAL0005 5
        QCOMPARE(control<QTableView>(form, "DBGridOrdenes")->model()->rowCount(), 4);
        QCOMPARE(control<QTableView>(form, "DBGridConversion")->model()->rowCount(), 1);
        QCOMPARE(control<QTreeWidget>(form, "ListCronologia")->topLevelItem(0)->text(1), QStringLiteral("Conversión"));
        QCOMPARE(control<QTreeWidget>(form, "ListCronologia")->topLevelItemCount(), 5);

        Widgets::selectGridRow(control<QTableView>(form, "DBGridOrdenes"), 2);
        QTest::mouseClick(control<QPushButton>(form, "BitBtnVerOrden"), Qt::LeftButton);
        QCOMPARE(opened, QStringList{"TDM0001/6"});
    }
};

QTEST_MAIN(TstStatsForms)
#include "tst_statsforms.moc"
