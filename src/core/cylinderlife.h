#pragma once

#include "core/cylinderrules.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

// A cylinder's whole life by its serial: every stored and pending operation
// that names it, the vehicles it was mounted in, its hydraulic-test status
// today and what does not add up (two vehicles at once, use after a BAJA).
namespace CylinderLife
{

// One operation row that names the cylinder (`cil` with `usr`, or `temp_cil`
// with `temp_usr` for a pending one).
struct Event {
    QDate habilitation, installation, revision; // ufechab, ufecmont, ufecrev
    QString kind;                               // ucodgest
    QString kindText;                           // udescgest
    QString workshop;                           // codtal
    QString plate;                              // udominio
    QString management;                         // ccodgest: "S", "M", "D", "B" (or the whole text)
    QString code;                               // cilcodh
    QString testMonth, testYear;                // cuphmes, cuphano (two digits)
    QString testCentre;                         // cuphcrpc ("FAB": the factory's)
    QString certificate;                        // nrocertif
    QString valveCode, valveSerial;             // valcod, valnro
    QString sticker;                            // uobleanew
    bool pending = false;                       // not yet verified by the PEC
    int pendingState = 0;                       // temp_usr.estado

    // The day the operation took place: habilitation, else installation, else revision.
    QDate date() const;
    // "MM/YYYY" of the test; empty when unreadable.
    QString testDate() const;
    // "SIN CAMBIOS", "MONTAJE", "DESMONTAJE", "BAJA".
    QString managementText() const;
    QChar managementLetter() const;
};

struct Mount {
    QString plate;
    QDate from;  // invalid: the records begin with it already mounted
    QDate until; // invalid: still mounted as far as the records go
};

enum class WarningKind { TwoVehicles, AfterBaja };

struct Warning {
    WarningKind kind;
    QDate date;
    QString text;
};

struct Life {
    QVector<Event> events; // oldest first; pending ones after stored ones of the same day
    QVector<Mount> vehicles;
    QVector<Warning> warnings;
    // The latest test among the events and its status today; none when no
    // event carries a readable test date.
    std::optional<Cylinders::PhStatus> status;
    int monthsSinceTest = 0;
    QString lastTest, lastTestCentre;
};

Life Build(QVector<Event> events, const QDate &today);

// What the window and the report say of a status.
QString StatusText(Cylinders::PhStatus status);
// "VIGENTE (última prueba 05/2022, CRPC CR01, hace 49 meses)"; "SIN DATOS DE PRUEBA HIDRÁULICA".
QString StatusLine(const Life &life);
// "AB123CD (01/2015 a 03/2018), AC456EF (desde 04/2018)".
QString VehiclesText(const Life &life);
// "A VERIFICAR", "VERIFICADA CON OBS", "VERIFICADA".
QString PendingStateText(int state);

} // namespace CylinderLife
