#include "core/vehiclehistory.h"

#include <QLocale>
#include <algorithm>

namespace History
{

namespace
{

QString kmText(int km)
{
    return km > 0 ? QStringLiteral(", %1 km").arg(QLocale(QLocale::Spanish, QLocale::Argentina).toString(km))
                  : QString();
}

QString inWorkshop(const QString &taller)
{
    return taller.trimmed().isEmpty() ? QString() : QStringLiteral(" en ") + taller.trimmed();
}

} // namespace

Labels LabelsFor(const QVector<WorkOrder> &workOrders, const QVector<ConversionOrder> &conversionOrders)
{
    Labels out;
    if (!workOrders.isEmpty()) {
        const WorkOrder &w = workOrders.first();
        out.vehicle = Vehicle{w.marca.trimmed(), w.modelo.trimmed(), w.vin.trimmed()};
    } else if (!conversionOrders.isEmpty()) {
        const ConversionOrder &c = conversionOrders.first();
        out.vehicle = Vehicle{c.marca.trimmed(), c.modelo.trimmed(), c.vin.trimmed()};
        out.showConversionTab = true;
    }
    return out;
}

QString KindText(EventKind kind)
{
    switch (kind) {
    case EventKind::Conversion:
        return QStringLiteral("Conversión");
    case EventKind::WorkOrder:
        return QStringLiteral("Orden de Trabajo");
    case EventKind::Operation:
        return QStringLiteral("Operación");
    case EventKind::Expiry:
        return QStringLiteral("Vencimiento");
    }
    return {};
}

QVector<Event> Timeline(const QVector<WorkOrder> &workOrders, const QVector<ConversionOrder> &conversionOrders,
                        const QVector<Operation> &operations, const QDate &today)
{
    QVector<Event> out;
    for (const ConversionOrder &c : conversionOrders)
        out.push_back({c.fecha, EventKind::Conversion, c.taller.trimmed(),
                       QStringLiteral("Nro %1%2%3").arg(c.numero).arg(inWorkshop(c.taller), kmText(c.km))});
    QDate newest;
    for (const Operation &o : operations)
        newest = qMax(newest, o.fecha);
    for (const Operation &o : operations) {
        const QString oblea = o.oblea.trimmed();
        QString text = o.operacion.trimmed().isEmpty() ? KindText(EventKind::Operation) : o.operacion.trimmed();
        if (!oblea.isEmpty())
            text += QStringLiteral(", oblea ") + oblea;
        out.push_back({o.fecha, EventKind::Operation, o.taller.trimmed(), text + inWorkshop(o.taller)});
        if (o.vencimiento.isValid()) {
            const QString what =
                oblea.isEmpty() ? QStringLiteral("la habilitación") : QStringLiteral("la oblea ") + oblea;
            Event e{o.vencimiento, EventKind::Expiry, o.taller.trimmed(), {}};
            e.superseded = o.fecha < newest;
            e.pending = !e.superseded && o.vencimiento >= today;
            e.text = e.superseded ? QStringLiteral("Vencía ") + what + QStringLiteral(" (reemplazada)")
                                  : (e.pending ? QStringLiteral("Vence ") : QStringLiteral("Venció ")) + what;
            out.push_back(e);
        }
    }
    for (const WorkOrder &w : workOrders) {
        QString text = QStringLiteral("Nro %1%2%3").arg(w.numero).arg(inWorkshop(w.taller), kmText(w.km));
        if (w.garantia.trimmed().compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0)
            text += QStringLiteral(", en garantía");
        out.push_back({w.fecha.date(), EventKind::WorkOrder, w.taller.trimmed(), text});
    }
    std::stable_sort(out.begin(), out.end(), [](const Event &a, const Event &b) {
        if (a.fecha.isValid() != b.fecha.isValid())
            return !a.fecha.isValid();
        if (a.fecha != b.fecha)
            return a.fecha < b.fecha;
        return int(a.kind) < int(b.kind);
    });
    return out;
}

} // namespace History
