#pragma once

// Shared builders of commitment letters: an owner with every field filled
// and numbered items.
#include "core/commitmentletter.h"

namespace Sample
{

inline Letter::Item letterItem(int n)
{
    Letter::Item i;
    // The first as a brand, as the back office stores them; the others as codes.
    i.cylinderCode = n == 1 ? QStringLiteral("WORTHINGTON") : QStringLiteral("C%1").arg(n, 3, 10, QLatin1Char('0'));
    i.cylinderSerial = QStringLiteral("WT3322110%1").arg(n);
    i.capacity = 60 + n;
    i.mass = 48.5 + n;
    i.manufactured = QStringLiteral("0%1/2015").arg(n % 10);
    i.diameter = 320 + n;
    i.valveCode = n == 1 ? QStringLiteral("LOVATO") : QStringLiteral("V%1").arg(n);
    i.valveModel = QStringLiteral("MOD-%1").arg(n);
    i.valveSerial = QStringLiteral("VN-%1").arg(n);
    i.observations = QStringLiteral("OBS %1").arg(n);
    return i;
}

inline QVector<Letter::Item> letterItems(int count)
{
    QVector<Letter::Item> items;
    for (int n = 1; n <= count; ++n)
        items << letterItem(n);
    return items;
}

inline Letter::Owner letterOwner()
{
    Letter::Owner o;
    o.name = QStringLiteral("PÉREZ JUAN");
    o.docType = QStringLiteral("DNI");
    o.docNumber = QStringLiteral("20123456");
    o.street = QStringLiteral("AV. COLÓN");
    o.number = QStringLiteral("1234");
    o.floor = QStringLiteral("3");
    o.apartment = QStringLiteral("B");
    o.postalCode = QStringLiteral("5000");
    o.locality = QStringLiteral("CÓRDOBA");
    o.phone = QStringLiteral("351-4567890");
    o.previousSticker = QStringLiteral("0001234567");
    o.domain = QStringLiteral("AB123CD");
    return o;
}

// Everything a letter prints, with five items (the letter shows four).
inline Letter::PrintData letterPrintData(Letter::Purpose purpose = Letter::Purpose::PeriodicReview)
{
    Letter::PrintData d;
    d.owner = letterOwner();
    d.purpose = purpose;
    d.items = letterItems(5);
    d.placeAndDate = QStringLiteral("VILLA CARLOS PAZ, 09/12/2026");
    d.workshop = {QStringLiteral("TALLER DEL SUR [T000123]"), QStringLiteral("SAN MARTÍN 1450 - CÓRDOBA"),
                  QStringLiteral("T000123")};
    d.workshopByEnablement = {QStringLiteral("TALLER DEL SUR [T000900]"), QStringLiteral("BV. ILLIA 55 - VILLA MARÍA"),
                              QStringLiteral("T000900")};
    d.pecName = QStringLiteral("GNC DEL CENTRO S.A.");
    d.pecCode = QStringLiteral("P001");
    d.pecAddress = QStringLiteral("AV. CIRCUNVALACIÓN 2150 - CÓRDOBA");
    d.centreTitle = {QStringLiteral("CYPRESS GNC"), QStringLiteral("Centro de Revisión Periódica de Cilindros"),
                     QStringLiteral("Córdoba")};
    d.companyTitle = QStringLiteral("CYPRESS GNC");
    d.salutation = QStringLiteral("Señores CYPRESS GNC:");
    d.contactLine = QStringLiteral("CYPRESS GNC - AV. CIRCUNVALACIÓN 2150 - CÓRDOBA");
    return d;
}

} // namespace Sample
