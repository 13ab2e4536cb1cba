// Ranking order and shares, the chart's bars, the report lines, and the
// vehicle history's labels and timeline.
#include "core/faultranking.h"
#include "core/vehiclehistory.h"

#include <QtTest>

class TstStatsRules : public QObject
{
    Q_OBJECT

private slots:
    void rankingOrderSharesAndBars()
    {
        QVector<Ranking::Count> counts;
        for (int id = 1; id <= 13; ++id)
            counts.push_back({id, QStringLiteral("F%1").arg(id), id == 13 ? 5 : 1});
        const QVector<Ranking::Row> rows = Ranking::Rank(counts);
        QCOMPARE(rows[0].falla, 13); // highest count first
        QCOMPARE(rows[1].falla, 1);  // then equal counts by id
        QCOMPARE(rows[0].porc, 5 * 100.0 / 17);

        const QVector<Ranking::Bar> bars = Ranking::ChartBars(rows, 10);
        QCOMPARE(bars.size(), 11);
        QCOMPARE(bars.last().label, QStringLiteral("Otras"));
        QCOMPARE(bars.last().cantidad, 3);
        QVERIFY(Ranking::ChartBars({}, 10).isEmpty());
        QVERIFY(Ranking::Rank({}).isEmpty());
    }

    void boundsAndLines()
    {
        const Ranking::Bounds b = Ranking::ForModel(" FIAT", "UNO ", QDate(2026, 3, 1), QDate(2026, 3, 31), true, {});
        QCOMPARE(b.until, QDateTime(QDate(2026, 4, 1), QTime(0, 0))); // the whole last day
        QCOMPARE(b.firstWorkshop + b.lastWorkshop, QStringLiteral("AAA0000ZZZ9999"));
        QCOMPARE(Ranking::ForModel("FIAT", "UNO", {}, {}, false, " TAL0005").lastWorkshop, QStringLiteral("TAL0005"));
        QCOMPARE(Ranking::PeriodLine(QDate(2026, 3, 1), QDate(2026, 3, 31)),
                 QStringLiteral("Periodo: 01/03/2026 al 31/03/2026"));
        QCOMPARE(Ranking::VehicleLine("FIAT", "UNO"), QStringLiteral("Vehículo: FIAT UNO"));
        QCOMPARE(Ranking::WorkshopLine(true, "TDM0001"), QStringLiteral("TODOS"));
        QCOMPARE(Ranking::DealerLine("OESTE MOTORS"), QStringLiteral("Concesionario: OESTE MOTORS"));
    }

    // Labels come from the newest work order, else from the conversion order
    // (whose tab then comes forward), else nothing changes them.
    void historyLabels()
    {
        const History::WorkOrder work{"TDM0001", 5, {}, 0, {}, {}, {}, {}, "FIAT", "UNO", "VIN1"};
        const History::ConversionOrder conversion{"AB123CD", {}, {}, "TDM0001", {}, 3, 0, "FORD", "KA", "VIN2"};
        QCOMPARE(History::LabelsFor({work}, {conversion}).vehicle->marca, QStringLiteral("FIAT"));
        const History::Labels fromConversion = History::LabelsFor({}, {conversion});
        QCOMPARE(*fromConversion.vehicle, (History::Vehicle{"FORD", "KA", "VIN2"}));
        QVERIFY(fromConversion.showConversionTab);
        QVERIFY(!History::LabelsFor({}, {}).vehicle);
    }

    void timelineIsChronological()
    {
        const QDate today(2026, 12, 9);
        History::WorkOrder work{"TDM0001", 5, QDateTime(QDate(2026, 3, 10), QTime(9, 0)), 32000, "SI", {}, {}, {}, {},
                                {},        {}};
        History::ConversionOrder conversion{"AB123CD", {}, {}, "TDM0001", QDate(2025, 11, 4), 3, 800, {}, {}, {}};
        const QVector<History::Operation> ops = {
            {"TDM0001", QDate(2025, 11, 4), "CONVERSION", "0000001111", QDate(2026, 11, 4)},
            {"TDM0001", QDate(2026, 11, 4), "RENOVACION", "0000002222", QDate(2027, 11, 4)}};
        const QVector<History::Event> events = History::Timeline({work}, {conversion}, ops, today);
        QStringList texts;
        for (const History::Event &e : events)
            texts << e.fecha.toString(Qt::ISODate) + QLatin1Char(' ') + e.text;
        QCOMPARE(texts, (QStringList{"2025-11-04 Nro 3 en TDM0001, 800 km",
                                     "2025-11-04 CONVERSION, oblea 0000001111 en TDM0001",
                                     "2026-03-10 Nro 5 en TDM0001, 32.000 km, en garantía",
                                     "2026-11-04 RENOVACION, oblea 0000002222 en TDM0001",
                                     "2026-11-04 Vencía la oblea 0000001111 (reemplazada)",
                                     "2027-11-04 Vence la oblea 0000002222"}));
        QVERIFY(events.last().pending);
        QVERIFY(events[4].superseded && !events[4].pending);
        // Without the renewal the first sticker simply expired.
        QCOMPARE(History::Timeline({}, {}, {ops[0]}, today).last().text, QStringLiteral("Venció la oblea 0000001111"));
    }
};

QTEST_APPLESS_MAIN(TstStatsRules)
#include "tst_statsrules.moc"
