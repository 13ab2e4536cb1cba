#pragma once

// Operations to store as pending, shared by the suites that save them.
#include "core/global.h"
#include "core/operationrecord.h"

#include <QDate>

namespace Builders
{

inline GlobalState workshop()
{
    GlobalState g;
    g.PecCode = QStringLiteral("P001");
    g.WorkshopCode = QStringLiteral("T000123");
    g.WorkshopCuit = QStringLiteral("30-71234567-9");
    g.PecRepMatricula = QStringLiteral("PM-100");
    g.RepMatricula = QStringLiteral("RM-200");
    return g;
}

// A cylinder of model `code` (C060 is catalogued by the suites with VENC 3).
inline CylinderRow cylinder(const QString &serial, const QString &code = QStringLiteral("C060"))
{
    CylinderRow c;
    c.codigo = code;
    c.nroSerie = serial;
    c.gestion = QStringLiteral("SIN CAMBIOS");
    c.capacidad = 60;
    c.fabricac = QStringLiteral("03/2012");
    c.uphTaller = QStringLiteral("CR01");
    c.uphFecha = QStringLiteral("05/2019");
    c.uphResult = QStringLiteral("APROBADO");
    c.cNuevo = QStringLiteral("NO");
    c.valCod = QStringLiteral("V10");
    c.valNro = QStringLiteral("VN") + serial;
    c.valGest = QStringLiteral("SIN CAMBIOS");
    c.nroCertif = QStringLiteral("CR01000777");
    return c;
}

// An annual renewal of `plate` with one cylinder, every field filled.
inline OperationRecord renewal(const QString &plate = QStringLiteral("AB123CD"))
{
    OperationRecord r;
    r.kind = QStringLiteral("R");
    r.description = QStringLiteral("REVISION");
    r.obleaAnt = QStringLiteral("0001234567");
    r.anioObleaAnt = QStringLiteral("25");
    r.marca = QStringLiteral("FIAT");
    r.modelo = QStringLiteral("SIENA 1.4");
    r.anio = 2012;
    r.inyeccion = QStringLiteral("SI");
    r.tipoUso = QStringLiteral("PARTICULAR");
    r.dominio = plate;
    r.vin = QStringLiteral("9BD17164G52345678");
    r.nombre = QStringLiteral("PEREZ JUAN CARLOS");
    r.tipoDoc = QStringLiteral("CUIT");
    r.nroDoc = QStringLiteral("20-12345678-3");
    r.calle = QStringLiteral("SAN MARTIN 1234");
    r.barrio = QStringLiteral("CENTRO");
    r.codigoPostal = QStringLiteral("5000");
    r.localidad = QStringLiteral("CORDOBA");
    r.provincia = QStringLiteral("CORDOBA");
    r.tipoTelefono = QStringLiteral("CELULAR");
    r.caracteristica = QStringLiteral("351");
    r.telefono = QStringLiteral("5551234");
    r.email = QStringLiteral("juan@example.com");
    r.regulador = {QStringLiteral("R01"), QStringLiteral("TOMASETTO"), QStringLiteral("RS-1"),
                   QStringLiteral("SIN CAMBIOS"), QStringLiteral("NO")};
    r.fechaMontaje = QDate(2026, 12, 9);
    r.fechaHabilitacion = QDate(2026, 12, 9);
    r.fechaVencimiento = QDate(2027, 12, 9);
    r.observaciones = QStringLiteral("SIN OBSERVACIONES");
    r.cylinders = {cylinder(QStringLiteral("S1"))};
    return r;
}

// The same renewal with `count` cylinders of a catalogued model.
inline OperationRecord renewalWithCylinders(int count)
{
    OperationRecord r = renewal();
    r.cylinders.clear();
    for (int i = 0; i < count; ++i)
        r.cylinders << cylinder(QStringLiteral("S%1").arg(i));
    return r;
}

} // namespace Builders
