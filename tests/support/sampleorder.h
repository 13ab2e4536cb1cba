#pragma once

#include "core/conversionorder.h"
#include "core/owner.h"

// A complete conversion order of workshop `taller` (not numbered), with its
// regulator and `cylinders` cylinders; the second cylinder is retired
// ("BAJA") and fabricated in 2005, the first in 1987.
inline Orders::ConversionOrder sampleOrder(const QString &taller = QStringLiteral("TDM0001"), int cylinders = 2)
{
    Orders::ConversionOrder o;
    o.taller = taller;
    o.fecha = QDate(2026, 12, 9);
    o.dominio = QStringLiteral("AB123CD");
    o.vin = QStringLiteral("8AGKB69T0KR123456");
    o.km = 48200;
    o.marca = QStringLiteral("CHEVROLET");
    o.modelo = QStringLiteral("PRISMA");
    o.anio = 2019;
    o.cilindro = QStringLiteral("CILINDRO 50 LTS");
    o.electronica = QStringLiteral("KIT 5TA GENERACION");
    o.flexxus = 1234;
    o.dealer = 3;
    o.owner = {7,
               QStringLiteral("LUNA ESTEBAN"),
               QStringLiteral("eluna@gmail.com"),
               QString(),
               QStringLiteral("54327788"),
               QStringLiteral("11"),
               QStringLiteral("RIVADAVIA 13800"),
               QStringLiteral("CENTRO"),
               QStringLiteral("RAMOS MEJIA"),
               QStringLiteral("1704"),
               QStringLiteral("BUENOS AIRES"),
               QStringLiteral("DNI"),
               QStringLiteral("31456789")};
    o.technicians = {1, 2, 3, 4, 5};
    o.obs = {QStringLiteral("PRIMERA LINEA"), QStringLiteral("SEGUNDA"), QString()};
    o.regulator = {QStringLiteral("T009"), QStringLiteral("TOMASETTO"), QStringLiteral("RG901122"),
                   QStringLiteral("SI")};
    for (int i = 0; i < cylinders; ++i) {
        CylinderRow c;
        c.codigo = QStringLiteral("T050");
        c.nroSerie = QStringLiteral("SER%1").arg(i + 1);
        c.gestion = i == 1 ? QStringLiteral("BAJA") : QStringLiteral("MONTAJE");
        c.capacidad = 50 + i;
        c.fabricac = i == 1 ? QStringLiteral("05/2005") : QStringLiteral("11/1987");
        c.uphTaller = QStringLiteral("FAB");
        c.uphFecha = QStringLiteral("0%1/2024").arg(i + 1);
        c.uphResult = QStringLiteral("APROBADO");
        c.fecVencCrpc = QDate(2029, 1, 31);
        c.cNuevo = QStringLiteral("SI");
        c.valCod = QStringLiteral("V101");
        c.valNro = QStringLiteral("VAL%1").arg(i + 1);
        c.valGest = QStringLiteral("MONTAJE");
        c.rvalGest = QStringLiteral("SIN CAMBIOS");
        c.nroCertif = QStringLiteral("ABCD000123");
        o.cylinders << c;
    }
    return o;
}

// An owner that passes every check of the owner dialog.
inline Owners::Owner sampleOwner(const QString &apellido = QStringLiteral("GOMEZ"),
                                 const QString &nroDoc = QStringLiteral("30111222"))
{
    Owners::Owner o;
    o.apellido = apellido;
    o.nombres = QStringLiteral("ANA MARIA");
    o.tipoDoc = QStringLiteral("DNI");
    o.nroDoc = nroDoc;
    o.email = QStringLiteral("ana.gomez@correo.com");
    o.caracteristica = QStringLiteral("11");
    o.celular = QStringLiteral("44556677");
    o.calle = QStringLiteral("BELGRANO 55");
    o.barrio = QStringLiteral("CENTRO");
    o.codigoPostal = QStringLiteral("1704");
    o.localidad = QStringLiteral("RAMOS MEJIA");
    o.provincia = QStringLiteral("BUENOS AIRES");
    return o;
}
