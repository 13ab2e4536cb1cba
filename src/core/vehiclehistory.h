#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>
#include <optional>

// A vehicle's clinical history: its work orders, conversion orders and
// regulated operations, which of them names the vehicle on screen, and
// everything on one chronological line.
namespace History
{

struct WorkOrder {
    QString taller;
    int numero = 0;
    QDateTime fecha;
    int km = 0;
    QString garantia, propietario, celular, recepcionista;
    QString marca, modelo, vin;
};

struct ConversionOrder {
    QString dominio, propietario, celular, taller;
    QDate fecha;
    int numero = 0;
    int km = 0;
    QString marca, modelo, vin;
};

// A row of the central operations (`usr`).
struct Operation {
    QString taller;    // codtal
    QDate fecha;       // ufecrev
    QString operacion; // udescgest
    QString oblea;     // uobleanew
    QDate vencimiento; // ufecvenhab
};

struct Vehicle {
    QString marca, modelo, vin;
    bool operator==(const Vehicle &) const = default;
};

// What "Buscar" shows: the vehicle from the newest work order, otherwise
// from the first conversion order (and then that tab comes to the front);
// nothing when there is neither, and the previous search's labels stay.
struct Labels {
    std::optional<Vehicle> vehicle;
    bool showConversionTab = false;
};
Labels LabelsFor(const QVector<WorkOrder> &workOrders, const QVector<ConversionOrder> &conversionOrders);

enum class EventKind { Conversion, Operation, WorkOrder, Expiry };

struct Event {
    QDate fecha; // invalid: the record has no date
    EventKind kind = EventKind::WorkOrder;
    QString taller;
    QString text;
    bool pending = false;    // an expiry still to come
    bool superseded = false; // the expiry of a sticker a later operation replaced
};

// "Conversión", "Orden de Trabajo", "Operación", "Vencimiento".
QString KindText(EventKind kind);

// Oldest first; undated records first of all; on one day the conversion,
// then operations, work orders and expiries. Only the newest operation's
// sticker can still expire; the others were replaced.
QVector<Event> Timeline(const QVector<WorkOrder> &workOrders, const QVector<ConversionOrder> &conversionOrders,
                        const QVector<Operation> &operations, const QDate &today);

} // namespace History
