#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

// One cylinder (with its valve) of the operation on screen: a row of the
// cylinder work table. Dates are "MM/YYYY".
struct CylinderRow {
    QString nroSerie;                   // NROSERIE
    QString codigo;                     // CODIGO
    QString gestion;                    // GESTION (text of the list)
    int capacidad = 0;                  // CAPACIDAD
    QString fabricac;                   // FABRICAC
    QString uphTaller;                  // UPHTALLER ("FAB": factory test)
    QString uphFecha;                   // UPHFECHA
    QString uphResult;                  // UPHRESULT
    QDate fecVencCrpc;                  // FECVENCRPC
    QString cNuevo;                     // CNUEVO "SI" / "NO"
    QString valCod, valNro, valGest;    // VALCOD, VALNRO, VALGEST
    QString rvalCod, rvalNro, rvalGest; // RVALCOD, RVALNRO, RVALGEST
    QString nroCertif;                  // NROCERTIF

    bool operator==(const CylinderRow &) const = default;
};

// One regulator line of the form.
struct RegulatorLine {
    QString codigo;   // rcodregh
    QString marca;    // from the catalogue; not stored
    QString nroSerie; // rnroserie
    QString gestion;  // text of the list
    QString nuevo;    // "SI" / "NO"; not stored in the pending tables

    bool operator==(const RegulatorLine &) const = default;
};

// The operation as the form holds it, read from the controls. Texts are as
// the user sees them (list texts, not codes); the *Code() helpers give the
// stored forms.
struct OperationRecord {
    QString kind;          // ucodgest
    QString description;   // udescgest
    QString obleaAnt;      // uobleaant
    QString anioObleaAnt;  // uobanoant
    QString obleaNew;      // shown in view mode only
    QString marca, modelo; // umarca, umodelo
    int anio = 2000;       // uano
    QString inyeccion;     // "SI" / "NO"
    QString tipoUso;       // vehicle use text
    QString dominio;       // udominio, as its mask stores it
    QString vin;
    QString nombre;          // uapeynom
    QString tipoDoc, nroDoc; // utipdoc, unrodoc
    QString calle, barrio, codigoPostal, localidad, provincia;
    QString tipoTelefono;   // TE_TIPO
    QString caracteristica; // UCARACT
    QString telefono;       // utelefono
    QString email;
    RegulatorLine regulador;
    bool hasSecondRegulator = false;
    RegulatorLine reguladorNuevo;
    QDate fechaMontaje, fechaHabilitacion, fechaVencimiento;
    QString observaciones;                  // uobservac
    std::array<QString, 24> accesorios;     // 12 code/number pairs
    std::array<QString, 3> attachmentPaths; // front, back, certificate
    int estado = 0;
    QVector<CylinderRow> cylinders;

    QString inyeccionCode() const; // "S" / "N"
    QString tipoUsoCode() const;   // "1".."7"
    QString regulatorGestionCode() const;
};

// Sticker fields on leaving: digits zero-filled to ten. Anything but digits
// is refused with a message and the text stays as it was.
struct StickerFill {
    bool ok = true;
    QString text;    // the filled sticker, or the input untouched
    QString message; // why it was refused
};
StickerFill ZeroFillSticker(const QString &text);

// Telephone checks of the form (while its format check is on); empty when
// the value passes.
QString AreaCodeProblem(const QString &areaCode);
QString TelephoneProblem(const QString &number);
