#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QVector>
#include <array>
#include <optional>

struct InstallationProfile;

// A work order ("Orden de Trabajo"): a vehicle back at the workshop for
// after-sales service, kept in the post-sales tables `opv`, `opv_fallas` and
// `opv_trabajo_realizado`.
namespace WorkOrders
{

struct Fault {
    int rowId = 0; // opv_fallas.id; 0 while only in the entry list
    int id = 0;    // fallas.id
    QString desc;
    bool operator==(const Fault &) const = default;
};

struct Job {
    int rowId = 0; // opv_trabajo_realizado.id; 0 while only in the entry list
    int id = 0;    // trabajos_realizados.id
    QString desc;
    int technicianId = 0;
    QString technicianName;
    bool operator==(const Job &) const = default;
};

struct WorkOrder {
    QString taller;
    int numero = 0; // opv_nro; 0 until saved
    QDate fecha;
    QString dominio, marca, modelo;
    int anio = 0;
    QString vin;
    int km = 0;
    int cliente = 0; // propietarios.propietario_id
    QString celular, celularCarac;
    int concesionario = 0; // clientes.id
    int recepcionista = 0; // operarios.id
    int tecnico = 0;       // no window sets these two
    int estado = 0;
    QString garantia = QStringLiteral("NO");
    QString tipoOperacion;
    std::array<QString, 2> otrasFallas, diagnostico;
    std::array<QString, 3> presupuestoDesc;
    double presupuesto = 0, horasHombre = 0, abonadoImporte = 0;
    QDate entregaFecha; // null: none
    QString entregaHora;
    QDate entregadoFecha; // no window fills it; null: none
    QString abonadoForma;

    // Read with the order, never written: the joined names.
    QString clienteNombre, tipoDoc, nroDoc, concesionarioNombre, recepcionistaNombre;

    QVector<Fault> faults;
    QVector<Job> jobs;
    bool operator==(const WorkOrder &) const = default;
};

// "NO", "SI", "RE"; only "SI" is a running warranty.
const QStringList &WarrantyValues();
inline const QString kUnderWarranty = QStringLiteral("SI");
// "08:00" … "20:30", every half hour.
const QStringList &DeliveryHours();
// "EFECTIVO", "CHEQUES", "TARJETA".
const QStringList &PaymentForms();

// The lines of a refused new order, in the order they are shown; empty when
// it may be saved.
QStringList CheckNewOrder(const WorkOrder &order);
inline const QString kNoPlate = QStringLiteral("No se ingreso el dominio.");
inline const QString kNoBrand = QStringLiteral("No se ingreso la marca del vehículo.");
inline const QString kNoModel = QStringLiteral("No se ingreso el modelo del vehículo.");
inline const QString kNoDelivery = QStringLiteral("No se ingreso la fecha estimada de entrega.");
inline const QString kEarlyDelivery =
    QStringLiteral("La fecha estimada de entrega no puede ser anterior a la fecha de la orden.");
inline const QString kNoDealer = QStringLiteral("No se ingreso el concesionario.");
inline const QString kNoOwner = QStringLiteral("No se ingreso el propietario del vehículo.");
inline const QString kNoMobile = QStringLiteral("No se ingreso el celular del cliente.");
inline const QString kNoReceptionist = QStringLiteral("Falta ingresar el recepcionista.");
inline const QString kNoFault = QStringLiteral("Debe cargarse al menos una falla.");
inline const QString kBadOrderDate = QStringLiteral("La fecha de la orden no es válida.");

// Column -> value of the `opv` row a new order inserts (all but
// `entregado_fecha`); an empty date is NULL.
QVariantMap OpvColumns(const WorkOrder &order);
// What "Guardar Cambios" rewrites: every column but the key and the area code.
QVariantMap OpvUpdateColumns(const WorkOrder &order);
// A stored row (with the joined `propietario`, `tipoDoc`, `nroDoc`,
// `concesionario_nombre`, `recepcionista_nombre` when present).
WorkOrder FromRow(const QVariantMap &row);

// The conversion the warranty rests on, from the central operations.
struct Conversion {
    QDate expiry;  // ufecvenhab
    QDate enabled; // ufechab
};
struct Warranty {
    bool running = false;
    QString expiryText; // "Vencimiento = dd/MM/yyyy"; empty without warranty
    QDate conversionDate;
};
// A conversion gives warranty until the day before its expiry.
Warranty WarrantyOf(const std::optional<Conversion> &conversion, const QDate &today);

// What the entry form copies on leaving "Dominio": from a conversion order,
// or else from an earlier work order (whose owner name is not shown).
struct Prefill {
    bool fromConversionOrder = false;
    int cliente = 0;
    QString ownerName; // conversion order only
    QString marca, modelo, vin, celular, celularCarac;
    int concesionario = 0;
};

// The listing of a period ("Listado de Ordenes de Taller").
struct ListInput {
    QDate from, to;
    bool allWorkshops = true;
    QString workshop;
    bool withWarranty = true, withoutWarranty = true;
};
struct ListFilter {
    QDate from, untilBefore; // fecha >= from and fecha < untilBefore (the day after `to`)
    QString firstWorkshop, lastWorkshop;
    QString warranty1, warranty2; // garantia in (warranty1, warranty2)
    QString periodLine;           // "Periodo: 01/12/2026 al 09/12/2026"
    QString workshopLine;         // "Taller: Todos" / "Taller: TDM0001"
};
ListFilter BuildList(const ListInput &input);

// What the printed order shows besides the order itself.
struct PrintContext {
    bool reprint = false;
    QString consentCompany; // empty: no consent lines
    bool showsConversionDate = false;
    QDate conversionDate; // the warranty's conversion, new orders only
};
// The consent line's company of a new order or a reprint: the profile's own,
// or the layout's (layouts without consent lines ignore it).
QString ConsentCompany(const InstallationProfile &profile, bool reprint);
// The layout's own company, for profiles without one of their own.
inline const QString kLayoutConsentCompany = QStringLiteral("TALLERES TARVIL GNC");
inline constexpr int kPrintedJobs = 4;
inline constexpr int kFaultBoxes = 6;

// Named values of the order layouts: "Taller", "Nro", "Fecha", "Dominio",
// "Marca", "Modelo", "Anio", "Km", "Vin", "Concesionario", "Cliente",
// "ClienteDoc", "Celular", "CelularCarac", "Recepcionista", "Garantia",
// "EnGarantia", "FechaConversion", "MuestraFechaConversion", "Consentimiento",
// "ConConsentimiento", "Diagnostico1/2", "OtrasFallas1/2", "Presupuesto1..3",
// "Importe", "EntregaFecha", "EntregaHora", "MontoAbonado", "FormaPago",
// "HorasHombre", "Trabajo1..4", "Tecnico1..4", "Reimpresion" and
// "CantidadFallas" (the faults listed, at most the six boxes: where the
// empty boxes start).
QVariantMap PrintValues(const WorkOrder &order, const PrintContext &context);
// The detail rows of the order layouts: one per fault, field "falla_desc".
QVector<QVariantMap> FaultRows(const WorkOrder &order);

// Why a stored order cannot be shown.
QString NotFound(const QString &taller, int numero);

QString DateText(const QDate &date); // dd/MM/yyyy, empty for none
QString Amount(double value);        // "##########0.00"

} // namespace WorkOrders
