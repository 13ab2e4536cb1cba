#pragma once

// Shared builders of technical-sheet data: one cylinder and a renewal with
// every value a sheet prints filled in.
#include "core/fichadata.h"
#include "core/fichavalues.h"

namespace Sample
{

inline CylinderRow cylinder(const QString &serie, const QString &nuevo = QStringLiteral("NO"))
{
    CylinderRow r;
    r.codigo = QStringLiteral("C060");
    r.nroSerie = serie;
    r.gestion = QStringLiteral("SIN CAMBIOS");
    r.capacidad = 60;
    r.fabricac = QStringLiteral("04/2015");
    r.uphTaller = QStringLiteral("CR01");
    r.uphFecha = QStringLiteral("03/2021");
    r.uphResult = QStringLiteral("A");
    r.cNuevo = nuevo;
    r.valCod = QStringLiteral("V10");
    r.valNro = QStringLiteral("VN-100");
    r.valGest = QStringLiteral("SIN CAMBIOS");
    r.nroCertif = QStringLiteral("CR01000123");
    return r;
}

// A cylinder whose valve was replaced by "V20" / "VN-200", mounted.
inline CylinderRow withReplacedValve(const QString &serie, const QString &nuevo = QStringLiteral("NO"))
{
    CylinderRow r = cylinder(serie, nuevo);
    r.rvalCod = QStringLiteral("V20");
    r.rvalNro = QStringLiteral("VN-200");
    r.rvalGest = QStringLiteral("MONTAJE");
    return r;
}

inline void setCylinders(FichaData &d, const QVector<CylinderRow> &rows)
{
    d.workCylinders = rows;
    d.cylinders = Ficha::PrepareCylinders(rows, [](const QString &) { return std::optional<int>(5); });
}

// An enabled workshop's annual renewal with one cylinder.
inline FichaData renewal()
{
    FichaData d;
    d.operationKind = QStringLiteral("R");
    d.previousSticker = QStringLiteral("0001234567");
    d.newSticker = QStringLiteral("0001299999");
    d.enablingDate = QDate(2021, 3, 5);
    d.expiryDate = QDate(2022, 3, 5);
    d.installationDate = QDate(2021, 3, 4);
    d.pecCode = QStringLiteral("PEC07");
    d.brand = QStringLiteral("FIAT");
    d.model = QStringLiteral("SIENA ELX 1.4");
    d.modelYear = 2012;
    d.domain = QStringLiteral("KLM321");
    d.injection = QStringLiteral("NO");
    d.useType = QStringLiteral("AUTOELEVADORES");
    d.ownerName = QStringLiteral("GÓMEZ, MARÍA");
    d.docType = QStringLiteral("DNI");
    d.docNumber = QStringLiteral("23456789");
    d.street = QStringLiteral("BELGRANO 1450");
    d.neighbourhood = QStringLiteral("ALTA CÓRDOBA");
    d.postalCode = QStringLiteral("5000");
    d.locality = QStringLiteral("CÓRDOBA");
    d.province = QStringLiteral("CORDOBA");
    d.phone = QStringLiteral("351-4445566");
    d.observations = QStringLiteral("SIN OBSERVACIONES");
    d.regulatorNew = QStringLiteral("NO");
    d.regulatorManagement = QStringLiteral("SIN CAMBIOS");
    d.regulatorCode = QStringLiteral("R22");
    d.regulatorSerial = QStringLiteral("RS-2201");
    d.newRegulatorCode = QStringLiteral("R23");
    d.newRegulatorSerial = QStringLiteral("RS-2301");
    d.workshopEnabled = true;
    d.ownWorkshop = {"TAL0001",    "TALLER NORTE SRL", "RUTA 9 KM 3", "30-11111111-5",
                     "PEREZ JUAN", "M-4411",           "351-5550000"};
    d.ownRow = WorkshopRow{"TAL0001",
                           "TALLER NORTE SRL",
                           "RUTA 9",
                           "KM 3",
                           "30-11111111-5",
                           "PEREZ JUAN",
                           "M-4411",
                           "351-5550000",
                           1,
                           "TAL0003",
                           {"SELLO 1", "SELLO 2", "SELLO 3", "SELLO 4"},
                           "CORDOBA"};
    d.associatedWorkshop = WorkshopRecord{"TAL0003", "TALLER ASOCIADO SA", "AV. COLON 742", "30-33333333-7", "SOSA ANA",
                                          "M-7788",  "351-7770000"};
    d.stamps = {"TALLER NORTE", "RUTA 9 KM 3", "CORDOBA", "TEL 5550000"};
    d.viewedWorkshopCode = QStringLiteral("TAL0009");
    d.pecRepName = QStringLiteral("ING. LUIS PAZ");
    d.pecRepMatricula = QStringLiteral("9911");
    d.pecRepDocNumber = QStringLiteral("20111222");
    d.workshopCopies = 3;
    d.letterhead = {"PEC GAS SA", "AV. 1 100", "TEL 1", "WWW"};
    d.fixedWorkshop = {"FIX0001", "TALLER FIJO", "CALLE FIJA 1", "30-99999999-1", "REP FIJO", "M-0001", "Tel.: 1"};
    d.accessories[int(Accessory::Sujeccion)] = {"SJ1", "SJ-0001"};
    d.accessories[int(Accessory::Tubo)] = {"TB9", "TB-0009"};
    setCylinders(d, {cylinder(QStringLiteral("S-100"))});
    return d;
}

} // namespace Sample
