#include "data/statsstore.h"

#include "data/postsalesstatements.h"

#include <QHash>
#include <memory>

namespace StatsStore
{

namespace
{

using Ranking::Kind;

// The work-order conditions of each kind of bounds, over `opv o`.
QString orderConditions(Kind kind)
{
    switch (kind) {
    case Kind::Workshop:
        return {};
    case Kind::Dealer:
        return QStringLiteral(" and o.concesionario = :c and o.fecha >= :d1 and o.fecha < :d2");
    case Kind::Model:
        return QStringLiteral(" and o.marca = :ma and o.modelo = :mo and o.fecha >= :d1 and o.fecha < :d2"
                              " and o.taller between :t1 and :t2");
    }
    return {};
}

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Workshop:
        return QStringLiteral("workshop");
    case Kind::Dealer:
        return QStringLiteral("dealer");
    case Kind::Model:
        return QStringLiteral("model");
    }
    return {};
}

void bindBounds(NamedQuery &q, const Ranking::Bounds &b)
{
    if (b.kind == Kind::Workshop)
        return;
    q.setParam(QStringLiteral("d1"), b.from);
    q.setParam(QStringLiteral("d2"), b.until);
    if (b.kind == Kind::Dealer) {
        q.setParam(QStringLiteral("c"), b.dealer);
        return;
    }
    q.setParam(QStringLiteral("ma"), b.brand);
    q.setParam(QStringLiteral("mo"), b.model);
    q.setParam(QStringLiteral("t1"), b.firstWorkshop);
    q.setParam(QStringLiteral("t2"), b.lastWorkshop);
}

// Ready for the plate; read at once unless `open` is false (a batch's).
NamedQuery &plateStatement(const QString &name, Conn conn, const QString &sql, const QString &plate, bool open = true)
{
    NamedQuery *q = &dm1().statement(name, conn, [&] { return sql; });
    q->close();
    q->setParam(QStringLiteral("d"), plate.trimmed());
    if (open)
        q->open();
    return *q;
}

} // namespace

QVector<Ranking::Count> FaultCounts(const Ranking::Bounds &bounds)
{
    // Counted per fault before the descriptions join, so a fault that left
    // the master file still counts (without description) and the shares add
    // up to the whole selection. Every entry belongs to a work order (they
    // are written with it and nothing deletes an order), so the ranking of
    // every order counts the entries alone, from their fault index; the
    // others take the orders of their bounds first.
    const QString counts =
        bounds.kind == Kind::Workshop
            ? QStringLiteral(
                  "select falla, count(*) as cantidad from opv_fallas where falla is not null group by falla")
            : QStringLiteral("select f.falla, count(*) as cantidad from opv o join opv_fallas f on f.taller_id = "
                             "o.taller and f.opv_nro = o.opv_nro where f.falla is not null%1 group by f.falla")
                  .arg(orderConditions(bounds.kind));
    NamedQuery &q = postSalesStatement(QStringLiteral("StatsStore.ranking.") + kindName(bounds.kind),
                                       QStringLiteral("select r.falla, fallas.falla as falla_1, r.cantidad from (%1) r "
                                                      "left join fallas on fallas.id = r.falla")
                                           .arg(counts));
    q.close();
    bindBounds(q, bounds);
    q.open();
    QVector<Ranking::Count> out;
    out.reserve(q.rowCount());
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.integer(QStringLiteral("falla")), q.text(QStringLiteral("falla_1")),
                       q.field(QStringLiteral("cantidad")).toLongLong()});
    return out;
}

QVector<OrderRow> OrdersOfModel(const Ranking::Bounds &bounds)
{
    NamedQuery &q = postSalesStatement(
        QStringLiteral("StatsStore.ordersOfModel"),
        QStringLiteral("select o.opv_nro, p.propietario, o.vin, o.dominio, o.marca, o.modelo, o.taller, o.fecha "
                       "from opv o join propietarios p on p.propietario_id = o.cliente where 1 = 1%1 "
                       "order by o.fecha desc, o.opv_nro desc")
            .arg(orderConditions(Kind::Model)));
    q.close();
    Ranking::Bounds b = bounds;
    b.kind = Kind::Model;
    bindBounds(q, b);
    q.open();
    QVector<OrderRow> out;
    out.reserve(q.rowCount());
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.integer(QStringLiteral("opv_nro")), q.text(QStringLiteral("propietario")),
                       q.text(QStringLiteral("vin")), q.text(QStringLiteral("dominio")),
                       q.text(QStringLiteral("marca")), q.text(QStringLiteral("modelo")),
                       q.text(QStringLiteral("taller")), q.field(QStringLiteral("fecha")).toDateTime()});
    return out;
}

namespace
{

NamedQuery &workOrdersOfPlate(const QString &plate)
{
    return plateStatement(QStringLiteral("StatsStore.history.workOrders"), Conn::PostVenta,
                          QStringLiteral("select o.taller, o.opv_nro, o.fecha, o.km, o.garantia, p.propietario, "
                                         "o.celular, r.nombre as recepcionista, o.marca, o.modelo, o.vin from opv o "
                                         "join propietarios p on p.propietario_id = o.cliente "
                                         "join operarios r on r.id = o.recepcionista "
                                         "where o.dominio = :d order by o.fecha desc, o.opv_nro desc"),
                          plate, false);
}

NamedQuery &conversionOrdersOfPlate(const QString &plate)
{
    return plateStatement(QStringLiteral("StatsStore.history.conversionOrders"), Conn::PostVenta,
                          QStringLiteral("select dominio, propietario, celular, taller, fecha, ott_nro, km, marca, "
                                         "modelo, vin from ott where dominio = :d order by fecha desc, ott_nro desc"),
                          plate, false);
}

QVector<History::WorkOrder> workOrders(NamedQuery &q)
{
    QVector<History::WorkOrder> out;
    out.reserve(q.rowCount());
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.text(QStringLiteral("taller")), q.integer(QStringLiteral("opv_nro")),
                       q.field(QStringLiteral("fecha")).toDateTime(), q.integer(QStringLiteral("km")),
                       q.text(QStringLiteral("garantia")), q.text(QStringLiteral("propietario")),
                       q.text(QStringLiteral("celular")), q.text(QStringLiteral("recepcionista")),
                       q.text(QStringLiteral("marca")), q.text(QStringLiteral("modelo")),
                       q.text(QStringLiteral("vin"))});
    return out;
}

QVector<History::ConversionOrder> conversionOrders(NamedQuery &q)
{
    QVector<History::ConversionOrder> out;
    out.reserve(q.rowCount());
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.text(QStringLiteral("dominio")), q.text(QStringLiteral("propietario")),
                       q.text(QStringLiteral("celular")), q.text(QStringLiteral("taller")),
                       q.date(QStringLiteral("fecha")), q.integer(QStringLiteral("ott_nro")),
                       q.integer(QStringLiteral("km")), q.text(QStringLiteral("marca")),
                       q.text(QStringLiteral("modelo")), q.text(QStringLiteral("vin"))});
    return out;
}

} // namespace

PlateOrders OrdersOfPlate(const QString &plate)
{
    NamedQuery &work = workOrdersOfPlate(plate);
    NamedQuery &conversions = conversionOrdersOfPlate(plate);
    Batch b(Conn::PostVenta);
    b.add(work, true);
    b.add(conversions, true);
    b.run();
    return {workOrders(work), conversionOrders(conversions)};
}

QVector<History::Operation> OperationsOfPlate(const QString &plate)
{
    NamedQuery &q = plateStatement(QStringLiteral("StatsStore.history.operations"), Conn::Operations,
                                   QStringLiteral("select codtal, ufecrev, udescgest, uobleanew, ufecvenhab from usr "
                                                  "where udominio = :d order by ufecrev"),
                                   plate);
    QVector<History::Operation> out;
    out.reserve(q.rowCount());
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.text(QStringLiteral("codtal")), q.date(QStringLiteral("ufecrev")),
                       q.text(QStringLiteral("udescgest")), q.text(QStringLiteral("uobleanew")),
                       q.date(QStringLiteral("ufecvenhab"))});
    return out;
}

} // namespace StatsStore
