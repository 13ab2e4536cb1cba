#include "core/ordersearch.h"

#include "core/lookuprules.h"

namespace OrderSearch
{

const QStringList &KindTexts()
{
    static const QStringList texts = {QStringLiteral("Dominio"), QStringLiteral("Propietario"),
                                      QStringLiteral("Nro de Orden"), QStringLiteral("Periodo"), QStringLiteral("VIN")};
    return texts;
}

Outcome Build(const Input &in)
{
    Outcome out;
    Filter &f = out.filter;
    f.kind = in.kind;
    if (in.allWorkshops) {
        f.firstWorkshop = kFirstWorkshop;
        f.lastWorkshop = kLastWorkshop;
    } else {
        f.firstWorkshop = f.lastWorkshop = in.workshop.trimmed();
    }
    const QString text = in.text.trimmed();
    switch (in.kind) {
    case Kind::Dominio:
    case Kind::Vin:
        f.text = text;
        break;
    case Kind::Propietario:
        f.text = Lookups::ContainsPattern(text, kLikeEscape);
        break;
    case Kind::Numero: {
        bool ok = false;
        f.number = text.toInt(&ok);
        if (!ok) {
            out.ok = false;
            out.message = QStringLiteral("El número de orden debe ser un número entero.");
        }
        break;
    }
    case Kind::Periodo:
        f.from = in.from;
        f.to = in.to;
        break;
    }
    return out;
}

} // namespace OrderSearch
