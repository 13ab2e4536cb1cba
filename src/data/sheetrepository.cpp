#include "data/sheetrepository.h"

#include "data/dm1.h"

#include <QHash>
#include <memory>

namespace SheetRepository
{

std::optional<WorkshopRow> Workshop(const QString &code)
{
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryTaller"));
    q.close();
    q.setParam(QStringLiteral("ct"), code);
    q.open();
    if (!q.first()) {
        q.close();
        return std::nullopt;
    }
    WorkshopRow w;
    w.code = q.text(QStringLiteral("tcodigoint"));
    w.name = q.text(QStringLiteral("trazsoc"));
    w.street = q.text(QStringLiteral("tcalle"));
    w.number = q.text(QStringLiteral("tnumero"));
    w.locality = q.text(QStringLiteral("tlocalidad"));
    w.cuit = q.text(QStringLiteral("talcuit"));
    w.repName = q.text(QStringLiteral("rapellido")) + QLatin1Char(' ') + q.text(QStringLiteral("rnombre"));
    w.repMatricula = q.text(QStringLiteral("rmatreshab"));
    w.phone = q.text(QStringLiteral("ttelefono"));
    w.enabled = q.integer(QStringLiteral("thabilitad"));
    w.associatedCode = q.text(QStringLiteral("codtalaso"));
    for (int i = 1; i <= 4; ++i)
        w.stamps.append(q.text(QStringLiteral("sello%1").arg(i)));
    q.close();
    return w;
}

Ficha::ValidityLookup CylinderValidity()
{
    auto cache = std::make_shared<QHash<QString, std::optional<int>>>();
    return [cache](const QString &codigo) -> std::optional<int> {
        const auto hit = cache->constFind(codigo);
        if (hit != cache->constEnd())
            return *hit;
        NamedQuery &q = dm1().query(QStringLiteral("SQLQueryBUscarCil"));
        q.close();
        q.setParam(QStringLiteral("ci"), codigo);
        q.open();
        std::optional<int> years;
        if (q.first() && !q.field(QStringLiteral("VENC")).isNull())
            years = q.integer(QStringLiteral("VENC"));
        q.close();
        cache->insert(codigo, years);
        return years;
    };
}

} // namespace SheetRepository
