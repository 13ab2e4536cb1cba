#pragma once

// The commitment letter ("Carta Compromiso"): before a cylinder due for its
// hydraulic test goes to a revision centre (CRPC), the owner accepts the
// destruction of a condemned cylinder or valve. The operation form collects
// the cylinders, the letter form completes and stores the letter, and the
// profile's layout prints it.

#include "core/fichadata.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "core/operationrecord.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace Letter
{

// One cylinder with its valve: a record of "AuxCarta.adt", a row of
// `carta_compromiso_det`.
struct Item {
    QString cylinderCode;                       // codigo_cil, printed under "Marca"
    QString cylinderSerial;                     // numero_cil
    std::optional<double> capacity;             // capacidad_cil
    std::optional<double> mass;                 // masa_cil
    QString manufactured;                       // fab_cil, "MM/YYYY"
    std::optional<double> diameter;             // diametro_cil
    QString valveCode, valveModel, valveSerial; // codigo_val, modelo_val, numero_val
    QString observations;                       // observaciones_val, upper case
    bool operator==(const Item &) const = default;
};

// The owner block of the form. Floor and apartment are printed, not stored.
struct Owner {
    QString name;
    QString docType = QStringLiteral("DNI");
    QString docNumber;
    QString street, number, floor, apartment;
    QString postalCode, locality, phone;
    QString previousSticker;
    QString domain;
    bool operator==(const Owner &) const = default;
};

// What the cylinder is sent for; the index is what `cilindro_para` stores.
enum class Purpose { PeriodicReview = 0, Reinstallation = 1, OtherCases = 2 };
// "Revisión Periodica", "Reinstalación", "Otros Casos", in index order.
QStringList PurposeTexts();
Purpose PurposeFromIndex(int index); // out of range: PeriodicReview

// A letter as `carta_compromiso_cab` and `carta_compromiso_det` keep it.
struct Stored {
    Owner owner;
    Purpose purpose = Purpose::PeriodicReview;
    QDate date;           // the day it was saved
    QString workshopCode; // taller
    QVector<Item> items;
};

// The item a cylinder of the operation gives: code, serial, capacity,
// manufacture and valve; mass, diameter, valve model and observations are
// left for the operator.
Item FromCylinder(const CylinderRow &cylinder);

// Collecting a cylinder by hand: one whose hydraulic test is required at the
// enabling date goes on the letter without a question; any other (due
// within the year, valid, or without a readable test date) only after the
// operator confirms kNotDueQuestion.
bool CollectsSilently(const CylinderRow &cylinder, const QDate &enabling);
inline const QString kNotDueQuestion =
    QStringLiteral("Según los datos, este cilindro no requiere PH. Continua de todos modos?");

// Measures print and show as their text form, with a decimal comma ("48,5");
// an empty measure is empty text. Reading takes a comma or a point; empty
// text is no measure, anything else not a number sets *ok false.
QString MeasureText(const std::optional<double> &value);
std::optional<double> ParseMeasure(const QString &text, bool *ok);

// The letter prints only its first four items.
constexpr int kPrintedItems = 4;

// The layout the profile prints the letter on; with a revision-centre list,
// the one of the centre picked (trimmed, any case). Empty: nothing prints.
QString LayoutFor(const InstallationProfile &profile, const QString &centre);

// "<locality>, dd/MM/yyyy"; without a locality the letter is dated in Córdoba.
QString PlaceAndDate(const QString &locality, const QDate &today);

// The workshop as the letter names it.
struct WorkshopBlock {
    QString title;   // QRLabelTdm: name and code in brackets
    QString address; // QRLabelDireccionTdM
    QString code;    // QRLabelTaller
    bool operator==(const WorkshopBlock &) const = default;
};

// The logged-in workshop's own identity.
WorkshopBlock OwnWorkshop(const GlobalState &global);
// By enablement (`tal.thabilitad`): an enabled workshop (or one without a
// row to tell) prints its own identity; one that is not prints its name with the
// associated workshop's code, and that workshop's street, number and
// locality.
WorkshopBlock WorkshopByEnablement(const GlobalState &global, const std::optional<WorkshopRow> &own,
                                   const std::optional<WorkshopRow> &associated);

// Everything a letter layout prints.
struct PrintData {
    Owner owner;
    Purpose purpose = Purpose::PeriodicReview;
    QVector<Item> items; // all of them; the layout shows kPrintedItems
    QString placeAndDate;
    WorkshopBlock workshop;             // own identity
    WorkshopBlock workshopByEnablement; // the Buckeye letter's
    QString pecName, pecCode, pecAddress;
    // Letterhead from the PEC's row: the lines naming the centre, the Alder
    // letter's company title and salutation, the footer's contact line
    // (name and address). Empty: nothing printed.
    QStringList centreTitle;
    QString companyTitle, salutation, contactLine;
};

// The letter's data from the form's contents, the login and the profile; the
// workshop by enablement starts as the own identity until the workshop rows
// are read.
PrintData MakePrintData(const Owner &owner, Purpose purpose, const QVector<Item> &items, const GlobalState &global,
                        const InstallationProfile &profile, const QDate &today);

} // namespace Letter
