#include "core/owner.h"

#include "core/helpers.h"
#include "core/recall.h"

namespace Owners
{

const QStringList &DocumentTypes()
{
    static const QStringList types = {QStringLiteral("DNI"), QStringLiteral("CUIT"), QStringLiteral("CI"),
                                      QStringLiteral("LC"), QStringLiteral("LE")};
    return types;
}

QString DocumentMask(const QString &documentType)
{
    return documentType == QLatin1String("CUIT") ? QStringLiteral("##-########-#") : QStringLiteral("0000000#");
}

Check CheckOwner(const Owner &o)
{
    Check c;
    if (o.nombres.trimmed().isEmpty())
        c.failed << Field::Nombres;
    if (o.apellido.trimmed().isEmpty())
        c.failed << Field::Apellido;
    if (o.caracteristica.trimmed().isEmpty())
        c.failed << Field::Caracteristica;
    if (o.celular.trimmed().isEmpty())
        c.failed << Field::Celular;
    if (o.nroDoc.trimmed().isEmpty())
        c.failed << Field::NroDoc;
    if (!o.email.trimmed().isEmpty() && !IsValidEmail(o.email.trimmed())) {
        c.failed << Field::Email;
        c.warnings << kInvalidEmail;
    }
    if (!c.ok())
        c.information = kIncomplete;
    return c;
}

QVariantMap Columns(const Owner &o)
{
    QVariantMap v;
    v[QStringLiteral("propietario")] = o.fullName();
    v[QStringLiteral("apellido_propietario")] = o.apellido;
    v[QStringLiteral("nombre_propietario")] = o.nombres;
    v[QStringLiteral("email")] = o.email.trimmed();
    v[QStringLiteral("telefono")] = o.telefono;
    v[QStringLiteral("celular")] = o.celular;
    v[QStringLiteral("celular_carac")] = o.caracteristica;
    v[QStringLiteral("calle")] = o.calle;
    v[QStringLiteral("nro")] = QString();
    v[QStringLiteral("localidad")] = o.localidad;
    v[QStringLiteral("codigoPostal")] = o.codigoPostal;
    v[QStringLiteral("provincia")] = o.provincia;
    v[QStringLiteral("tipoDoc")] = o.tipoDoc;
    v[QStringLiteral("nroDoc")] = o.nroDoc.trimmed();
    v[QStringLiteral("barrio")] = o.barrio;
    return v;
}

Owner FromRow(const QVariantMap &row)
{
    using Recall::Text;
    Owner o;
    o.id = Text(row, QStringLiteral("propietario_id")).toInt();
    o.apellido = Text(row, QStringLiteral("apellido_propietario"));
    o.nombres = Text(row, QStringLiteral("nombre_propietario"));
    if (o.apellido.isEmpty() && o.nombres.isEmpty()) {
        const QString full = Text(row, QStringLiteral("propietario"));
        const qsizetype blank = full.indexOf(QLatin1Char(' '));
        o.apellido = blank < 0 ? full : full.left(blank);
        o.nombres = blank < 0 ? QString() : full.mid(blank + 1).trimmed();
    }
    o.tipoDoc = Text(row, QStringLiteral("tipoDoc"));
    o.nroDoc = Text(row, QStringLiteral("nroDoc"));
    o.email = Text(row, QStringLiteral("email"));
    o.telefono = Text(row, QStringLiteral("telefono"));
    o.caracteristica = Text(row, QStringLiteral("celular_carac"));
    o.celular = Text(row, QStringLiteral("celular"));
    o.calle = Text(row, QStringLiteral("calle"));
    o.barrio = Text(row, QStringLiteral("barrio"));
    o.codigoPostal = Text(row, QStringLiteral("codigoPostal"));
    o.localidad = Text(row, QStringLiteral("localidad"));
    o.provincia = Text(row, QStringLiteral("provincia"));
    return o;
}

} // namespace Owners
