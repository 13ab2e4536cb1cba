#include "core/lookuprules.h"

namespace Lookups
{

QString ContainsPattern(const QString &text, QChar escape)
{
    QString out;
    out.reserve(text.size() + 4);
    out += QLatin1Char('%');
    for (QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == escape)
            out += escape;
        out += c;
    }
    out += QLatin1Char('%');
    return out;
}

QString DomainCaption(const QString &domain)
{
    return QStringLiteral("Buscando datos para el dominio ") + domain;
}

} // namespace Lookups

namespace Cylinders
{

ActivationDefaults DialogDefaultsFor(const QString &kind)
{
    ActivationDefaults d;
    if (kind == QLatin1String("R")) {
        d.cNuevo = QStringLiteral("NO");
        d.gestion = QStringLiteral("SIN CAMBIOS");
        d.uphResult = QStringLiteral("APROBADO");
        d.cNuevoEnabled = d.gestionEnabled = d.uphResultEnabled = false;
    } else if (kind == QLatin1String("C")) {
        d.cNuevo = QStringLiteral("SI");
        d.gestion = QStringLiteral("MONTAJE");
        d.uphResult = QStringLiteral("APROBADO");
        d.gestionEnabled = d.uphResultEnabled = false;
    }
    return d;
}

QList<Preset> NewRowPresets(const QString &kind)
{
    if (kind != QLatin1String("C"))
        return {};
    return {{QStringLiteral("GESTION"), QStringLiteral("SIN CAMBIOS")},
            {QStringLiteral("UPHRESULT"), QStringLiteral("APROBADO")},
            {QStringLiteral("CNUEVO"), QStringLiteral("SI")},
            {QStringLiteral("UPHTALLER"), QStringLiteral("FAB")},
            {QStringLiteral("VALGEST"), QStringLiteral("MONTAJE")}};
}

bool ChecksValveOnExit(const QString &kind)
{
    return kind != QLatin1String("B") && kind != QLatin1String("D");
}

RegulatorGestionOutcome RegulatorGestionChanged(const QString &kind, const QString &gestion,
                                                bool forbidsMountInModification)
{
    RegulatorGestionOutcome out;
    if (kind != QLatin1String("M"))
        return out;
    const QString g = gestion.trimmed();
    if (g == QLatin1String("DESMONTAJE") || g == QLatin1String("BAJA"))
        out.showSecondLine = true;
    else if (forbidsMountInModification && g == QLatin1String("MONTAJE")) {
        out.refused = true;
        out.resetTo = QStringLiteral("SIN CAMBIOS");
        out.message = QStringLiteral("Opción no permitida en una modificación.");
    }
    return out;
}

} // namespace Cylinders
