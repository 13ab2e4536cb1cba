#include "core/faultranking.h"

#include "core/ordersearch.h"

#include <algorithm>

namespace Ranking
{

namespace
{

void setPeriod(Bounds &b, const QDate &from, const QDate &to)
{
    b.from = QDateTime(from, QTime(0, 0));
    b.until = QDateTime(to.addDays(1), QTime(0, 0));
}

} // namespace

Bounds EveryOrder()
{
    return {};
}

Bounds ForDealer(int dealer, const QDate &from, const QDate &to)
{
    Bounds b;
    b.kind = Kind::Dealer;
    b.dealer = dealer;
    setPeriod(b, from, to);
    return b;
}

Bounds ForModel(const QString &brand, const QString &model, const QDate &from, const QDate &to, bool allWorkshops,
                const QString &workshop)
{
    Bounds b;
    b.kind = Kind::Model;
    b.brand = brand.trimmed();
    b.model = model.trimmed();
    setPeriod(b, from, to);
    if (allWorkshops) {
        b.firstWorkshop = OrderSearch::kFirstWorkshop;
        b.lastWorkshop = OrderSearch::kLastWorkshop;
    } else {
        b.firstWorkshop = b.lastWorkshop = workshop.trimmed();
    }
    return b;
}

QVector<Row> Rank(QVector<Count> counts)
{
    std::sort(counts.begin(), counts.end(), [](const Count &a, const Count &b) {
        return a.cantidad != b.cantidad ? a.cantidad > b.cantidad : a.falla < b.falla;
    });
    qint64 total = 0;
    for (const Count &c : counts)
        total += c.cantidad;
    QVector<Row> rows;
    rows.reserve(counts.size());
    for (const Count &c : counts)
        rows.push_back({c.falla, c.descripcion, c.cantidad, total > 0 ? double(c.cantidad) * 100.0 / total : 0.0});
    return rows;
}

QVector<Bar> ChartBars(const QVector<Row> &rows, int top)
{
    QVector<Bar> bars;
    Bar rest{kOtherFaults, 0, 0};
    for (int i = 0; i < rows.size(); ++i) {
        const Row &r = rows[i];
        if (i < top) {
            const QString label = r.descripcion.isEmpty() ? QString::number(r.falla) : r.descripcion;
            bars.push_back({label, r.cantidad, r.porc});
        } else {
            rest.cantidad += r.cantidad;
            rest.porc += r.porc;
        }
    }
    if (rest.cantidad > 0)
        bars.push_back(rest);
    return bars;
}

QString WorkshopLine(bool allWorkshops, const QString &workshop)
{
    return allWorkshops ? kEveryWorkshop : workshop.trimmed();
}

QString DealerLine(const QString &dealerName)
{
    return QStringLiteral("Concesionario: ") + dealerName.trimmed();
}

QString PeriodLine(const QDate &from, const QDate &to)
{
    const QString format = QStringLiteral("dd/MM/yyyy");
    return QStringLiteral("Periodo: ") + from.toString(format) + QStringLiteral(" al ") + to.toString(format);
}

QString VehicleLine(const QString &brand, const QString &model)
{
    return QStringLiteral("Vehículo: ") + brand.trimmed() + QLatin1Char(' ') + model.trimmed();
}

} // namespace Ranking
