#include "data/sheetrepository.h"

#include "data/catalogue.h"
#include "data/dm1.h"

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
    // Kept for the session: after the save that precedes a print it costs nothing.
    return [](const QString &codigo) -> std::optional<int> {
        return Catalogue::CylinderValidityYears({codigo}).value(codigo.trimmed());
    };
}

} // namespace SheetRepository
