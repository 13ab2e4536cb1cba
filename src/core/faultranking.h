#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

// The fault rankings of the work orders: which work orders a ranking takes,
// how its rows are ordered and what share of all fault entries each has,
// and the lines its report and chart show.
namespace Ranking
{

enum class Kind { Workshop, Dealer, Model };

// What the statements bind. The ranked rows and the total behind `porc` are
// one reading, so both always see the same bounds.
struct Bounds {
    Kind kind = Kind::Workshop;
    int dealer = 0;       // Dealer
    QString brand, model; // Model
    // `fecha` >= from and < until: whole days, the last one included
    // (`fecha` holds a time of day).
    QDateTime from, until;
    QString firstWorkshop, lastWorkshop; // Model
};

// Every work order of every workshop, whatever its date.
Bounds EveryOrder();
Bounds ForDealer(int dealer, const QDate &from, const QDate &to);
// One workshop, or every code "Todos los Talleres" covers.
Bounds ForModel(const QString &brand, const QString &model, const QDate &from, const QDate &to, bool allWorkshops,
                const QString &workshop);

// Fault entries of one fault in a selection, as the store reads them.
struct Count {
    int falla = 0;
    QString descripcion; // empty when the fault left the master file
    qint64 cantidad = 0;
};

struct Row {
    int falla = 0;
    QString descripcion;
    qint64 cantidad = 0;
    double porc = 0; // cantidad x 100 / every fault entry of the selection
    bool operator==(const Row &) const = default;
};

// Highest count first (equal counts by fault id); `porc` over the counts'
// sum, so a ranking adds up to 100.
QVector<Row> Rank(QVector<Count> counts);

// The chart's bars: the first `top` rows, and the rest as one "Otras" bar.
struct Bar {
    QString label;
    qint64 cantidad = 0;
    double porc = 0;
};
inline const QString kOtherFaults = QStringLiteral("Otras");
QVector<Bar> ChartBars(const QVector<Row> &rows, int top = 10);

// The dealer ranking's notice when it finds nothing.
inline const QString kNoOperations = QStringLiteral("Sin operaciones en el periodo indicado");

// Report header lines.
inline const QString kEveryWorkshop = QStringLiteral("TODOS");
QString WorkshopLine(bool allWorkshops, const QString &workshop);
QString DealerLine(const QString &dealerName);                   // "Concesionario: " + name
QString PeriodLine(const QDate &from, const QDate &to);          // "Periodo: d1 al d2"
QString VehicleLine(const QString &brand, const QString &model); // "Vehículo: " + brand + " " + model

} // namespace Ranking
