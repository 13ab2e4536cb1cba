#pragma once

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

// The detailed list of assigned stickers: each operation becomes a header
// line followed by the serial numbers of its regulators, cylinders and
// valves, ready to be appended to the print buffer (`AuxObleas`).
namespace StickerDetail
{

struct Part {
    QString codigo, numero, gestion;
    bool operator==(const Part &) const = default;
};

// One `cil` row: the cylinder, its fitted valve and, for a valve
// replacement, the valve taken off.
struct Cylinder {
    Part cylinder, valve, replacedValve;
};

struct Operation {
    QString operacion;   // udescgest
    QString propietario; // uapeynom
    QString marca, modelo;
    QString uano;
    QString dominio;
    QString oblea; // uobleanew
    QDate fecha;   // xfecasig
    QString kind;  // ucodgest
};

// A line of the buffer. The header line carries the operation's texts;
// the others only parts; the separator carries nothing.
struct Line {
    QString dominio, operacion, propietario, marca, modelo, oblea;
    std::optional<int> anio;
    QDate fecha;
    Part regulator, cylinder, valve;
    bool operator==(const Line &) const = default;
};

// The vehicle year as a number; nothing for a blank or non-numeric `uano`.
std::optional<int> YearOf(const QString &uano);

// The lines of one operation: the header, then pass k = 1, 2, ... over the
// regulators and cylinders in step (regulator k and cylinder k share a line,
// the first pair the header line; a cylinder without its regulator starts a
// line of its own), a line with the replaced valve after each cylinder of a
// valve replacement ("H"), and an empty separator line at the end.
QVector<Line> Lines(const Operation &op, const QVector<Part> &regulators, const QVector<Cylinder> &cylinders);

} // namespace StickerDetail
