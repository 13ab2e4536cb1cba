#pragma once

#include "core/operationrecord.h"
#include "core/owner.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariantMap>
#include <QVector>
#include <array>

// A conversion order ("Orden de Conversión"): the workshop's intake document
// for a vehicle to be converted, kept in the post-sales tables `ott`,
// `ott_reg` and `ott_cil`. The owner columns are a copy of the owner taken
// when the order was written.
namespace Orders
{

// The five technician roles, in the order of the form and of `ott`.
enum class Role { Electricista, Instalador, Cunero, ControlPerdidas, Programador };
inline constexpr int kRoleCount = 5;
QString RoleColumn(Role role);  // "electricista", ...
QString RoleCaption(Role role); // "Electricista", ..., "Control Pérdidas"

struct OrderOwner {
    int id = 0;     // propietario_id; 0 while none is chosen
    QString nombre; // propietario
    QString email, telefono, celular, caracteristica;
    QString calle, barrio, localidad, codigoPostal, provincia;
    QString tipoDoc, nroDoc;
    bool operator==(const OrderOwner &) const = default;
};

struct OrderRegulator {
    QString codigo, marca, nroSerie;
    QString nuevo = QStringLiteral("SI"); // "SI" / "NO"
    bool operator==(const OrderRegulator &) const = default;
};

struct ConversionOrder {
    QString taller;
    int numero = 0; // ott_nro; 0 until saved
    QDate fecha;
    QString dominio, vin;
    int km = 0;
    QString marca, modelo;
    int anio = 2000;
    QString cilindro, electronica;
    int flexxus = 0;
    int dealer = 0; // ott.cliente: clientes.id; 0 while none is chosen
    OrderOwner owner;
    std::array<int, kRoleCount> technicians{}; // operarios.id, 0 = nobody
    std::array<QString, 3> obs;
    OrderRegulator regulator; // an empty code: no regulator
    QVector<CylinderRow> cylinders;
    bool operator==(const ConversionOrder &) const = default;
};

// Years the order form accepts: above 1950 and at most next year.
bool IsAcceptedYear(int year, const QDate &today);
inline const QString kInvalidYear = QStringLiteral("Año Invalido.");

// Whether leaving the plate looks for earlier orders: not for "AAA000" (the
// plate of a vehicle without one) nor for an empty plate.
bool ChecksDuplicatePlate(const QString &plate);
inline const QString kDuplicatePlate = QStringLiteral("El dominio indicado ya tiene una Orden de Conversión.");

// The next number of a workshop given its highest stored one (none: 1).
int NextNumber(int highestStored);

// Fields a new order cannot be saved without, in the form's order.
enum class Required { Dominio, Marca, Modelo, Concesionario, Propietario };
QList<Required> MissingForNewOrder(const ConversionOrder &order);
inline const QString kMissingFields = QStringLiteral("Hay errores. Completar los campos marcados");

// Column -> value of the `ott` row (the insert's columns; an update leaves
// out `taller`, `fecha`, `ott_nro`, `barrio` and `celular_carac`).
QVariantMap OttColumns(const ConversionOrder &order);
QStringList OttColumnsKeptOnEdit();
// The `ott_reg` row; empty when the order has no regulator code.
QVariantMap OttRegColumns(const ConversionOrder &order);
// One `ott_cil` row per cylinder, in list order.
QList<QVariantMap> OttCilColumns(const ConversionOrder &order);

// The order as stored: `ott`, its `ott_reg` rows (with the catalogue's
// `MARCA`) and `ott_cil` rows, column names in any case. Cylinders read back
// as the operation form's consultation shows them.
ConversionOrder FromRows(const QVariantMap &ott, const QList<QVariantMap> &regs, const QList<QVariantMap> &cils);

// The owner of the owners list copied into the order.
OrderOwner OwnerFromRow(const QVariantMap &propietario);
// The order's copy of an owner of the owners file.
OrderOwner OwnerOf(const Owners::Owner &owner);

// What the printed order shows besides the order itself.
struct PrintContext {
    bool reprint = false;
    QString pecName;      // consent line of a new order
    QString workshopCode; // "Taller:" (the logged-in workshop, on a reprint too)
    QString dealerName;   // as the dealer pick list shows it
    std::array<QString, kRoleCount> technicianNames;
    QString letterhead; // the profile's picture on a reprint; empty: none
};

// Named values of the order layout: "OtNro", "Taller", "Dominio", "Vin",
// "FechaRecepcion", "Vehiculo", "Cliente", "TipoDoc", "NroDoc", "Km", "Tel",
// "Electronica", "Cilindro", "Conces", "RegCodigo", "RegSerie", "RegNuevo",
// "RegUsado", "Cil1Codigo" .. "Cil3ValSerie" (three lines), "Electricista"
// .. "Programador", "Obs1" .. "Obs3", "Autorizo"; "Reimpresion" and
// "Membrete" (the letterhead picture of a reprint).
QVariantMap PrintValues(const ConversionOrder &order, const PrintContext &context);
inline constexpr int kPrintedCylinders = 3;
inline const QString kConsentLead = QStringLiteral("Por la presente autorizo a personal de  ");

} // namespace Orders
