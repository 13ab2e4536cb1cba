#pragma once

#include "core/installationprofile.h"
#include "core/operationrecord.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QVector>
#include <array>
#include <optional>

// One printable cylinder row of a technical sheet. A valve-only row carries
// the replacement valve of the cylinder above it and nothing else.
struct PreparedCylinderRow {
    QString codigo, nroSerie;
    std::optional<int> capacidad; // empty on valve-only rows
    QString fabricac, uphTaller, uphFecha, cilVenc, cNuevo, uphResult, gestion;
    QString valCod, valNro, valGest, nroCertif;
    bool valveOnly = false;

    // Field names of the printable table ("CODIGO", "CILVENC", ...).
    QVariantMap toMap() const;
    static QStringList fieldNames();
};

// A workshop identity as a sheet prints it.
struct WorkshopRecord {
    QString code, name, address, cuit, repName, repMatricula, phone;
    bool operator==(const WorkshopRecord &) const = default;
};

// A workshop's `tal` row as the sheets read it at print time.
struct WorkshopRow {
    QString code, name, street, number, cuit;
    QString repName; // the representative's surname, a blank and first name
    QString repMatricula, phone;
    int enabled = 0;        // thabilitad
    QString associatedCode; // codtalaso
    QStringList stamps;     // sello1 to sello4
    QString locality;       // tlocalidad
};

struct AccessoryPair {
    QString code, serial;
};

// The twelve installation parts, in the order of the sheet's boxes.
enum class Accessory {
    Sujeccion,
    ElectroNafta,
    ElectroGnc,
    Dosificador,
    Venteo,
    Llave,
    ValvulaCargaInt,
    ValvulaCargaExt,
    Manguera,
    Manometro,
    AccesorioTuberia,
    Tubo
};
inline constexpr int kAccessoryCount = 12;

// Everything a technical sheet prints, read from the operation form, the
// global state and the workshop rows at the moment of printing.
struct FichaData {
    // An empty sheet, to be filled in by hand: the workshop's and the PEC's
    // identity and nothing of an operation.
    bool blank = false;

    // Operation
    QString operationKind; // "C", "M", "R", "B", "X", "H" (or "D")
    QString previousSticker, newSticker;
    QDate installationDate, enablingDate, expiryDate;
    QString pecCode;

    // Vehicle
    QString brand, model;
    int modelYear = 0;
    QString domain, injection, useType;

    // Owner
    QString ownerName, docType, docNumber, street, neighbourhood, postalCode, locality, province, phone;
    QString observations;

    // Regulator
    QString regulatorNew;        // "SI" / "NO"
    QString regulatorManagement; // "SIN CAMBIOS", "MONTAJE", "DESMONTAJE", "BAJA"
    QString regulatorCode, regulatorSerial;
    QString newRegulatorCode, newRegulatorSerial;

    std::array<AccessoryPair, kAccessoryCount> accessories;

    // Workshop: the own identity (the login's) and, for a workshop that is
    // not enabled, the associated one (`tal.codtalaso`); nullopt when that
    // row is missing. `ownRow` is the own `tal` row as read at print time
    // (nullopt: no row, or not read).
    bool workshopEnabled = true;
    WorkshopRecord ownWorkshop;
    std::optional<WorkshopRecord> associatedWorkshop;
    std::optional<WorkshopRow> ownRow;
    QStringList stamps;         // stamp lines 1 to 4
    QString viewedWorkshopCode; // the workshop of an operation shown read-only

    // The PEC's row: name, address, technical representative
    QString pecName, pecAddress;
    QString pecRepName, pecRepMatricula, pecRepDocNumber;

    // Copies: the workshop's `tal.copias` and the profile's count for the
    // Buckeye sheet.
    int workshopCopies = 1;
    int buckeyeCopies = 1;

    // Profile choices that touch the sheet
    bool printsLetterheadLines = false;
    QStringList letterhead; // the profile's letterhead lines as this PEC fills them
    bool keepsLayoutRepresentative = false;
    FixedWorkshopIdentity fixedWorkshop;
    QString logo;          // the PEC's logo, a picture of the documents ("cedar.png")
    QString workingFolder; // where the empty sheet looks for the workshop's own logo

    // The cylinders: the working table's rows and the prepared list made
    // from them.
    QVector<CylinderRow> workCylinders;
    QVector<PreparedCylinderRow> cylinders;

    QString accessoryCode(Accessory a) const { return accessories[int(a)].code; }
    QString accessorySerial(Accessory a) const { return accessories[int(a)].serial; }
};
