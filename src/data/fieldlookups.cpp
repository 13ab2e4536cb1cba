#include "data/fieldlookups.h"

#include "data/dm1.h"

namespace FieldLookups
{

namespace
{

// The catalogue statement `name` opened on `code`; the caller reads its row.
NamedQuery &opened(const char *name, const char *param, const QString &code)
{
    NamedQuery &q = dm1().query(QString::fromLatin1(name));
    q.close();
    q.setParam(QString::fromLatin1(param), code);
    q.open();
    return q;
}

bool has(const char *name, const char *param, const QString &code)
{
    NamedQuery &q = opened(name, param, code);
    const bool found = q.first();
    q.close();
    return found;
}

} // namespace

std::optional<QString> RegulatorBrand(const QString &code)
{
    NamedQuery &q = opened("SQLQueryBuscarReg", "re", code);
    std::optional<QString> brand;
    if (q.first())
        brand = q.text(QStringLiteral("Marca"));
    q.close();
    return brand;
}

CylinderModel Cylinder(const QString &code)
{
    NamedQuery &q = opened("SQLQueryBUscarCil", "ci", code);
    CylinderModel model;
    if (q.first()) {
        model.found = true;
        const QVariant capacity = q.field(QStringLiteral("capacidad"));
        if (!capacity.isNull())
            model.capacity = capacity.toInt();
    }
    q.close();
    return model;
}

bool ValveExists(const QString &code)
{
    return has("SQLQueryBuscarValvula", "co", code);
}

bool CentreExists(const QString &code)
{
    return has("SQLQueryBuscarCRCP", "co", code);
}

QString ValveDomain(const QString &valCod, const QString &valNro)
{
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryControlValvula"));
    q.close();
    q.setParam(QStringLiteral("vc"), valCod);
    q.setParam(QStringLiteral("vn"), valNro);
    q.open();
    const QString domain = q.first() ? q.text(QStringLiteral("udominio")) : QString();
    q.close();
    return domain;
}

} // namespace FieldLookups
