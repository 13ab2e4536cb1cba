#include "printing/fichasource.h"

#include "data/dm1.h"
#include "data/localstore.h"

#include <QHash>
#include <memory>

namespace Ficha
{

static WorkshopRecord associatedFrom(const NamedQuery &q)
{
    WorkshopRecord w;
    w.code = q.text(QStringLiteral("tcodigoint"));
    w.name = q.text(QStringLiteral("trazsoc"));
    w.address = q.text(QStringLiteral("tcalle")) + QLatin1Char(' ') + q.text(QStringLiteral("tnumero"));
    w.cuit = q.text(QStringLiteral("talcuit"));
    w.repName = q.text(QStringLiteral("rapellido")) + QLatin1Char(' ') + q.text(QStringLiteral("rnombre"));
    w.repMatricula = q.text(QStringLiteral("rmatreshab"));
    w.phone = q.text(QStringLiteral("ttelefono"));
    return w;
}

void LoadWorkshopBlock(FichaData &d, const QString &workshopCode)
{
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryTaller"));
    q.close();
    q.setParam(QStringLiteral("ct"), workshopCode);
    q.open();
    d.associatedWorkshop.reset();
    if (!q.first()) {
        d.workshopEnabled = false;
        q.close();
        return;
    }
    d.workshopEnabled = q.integer(QStringLiteral("thabilitad")) != 0;
    d.ownWorkshop.phone = q.text(QStringLiteral("TTELEFONO"));
    const QString associated = q.text(QStringLiteral("codtalaso"));
    q.close();
    if (d.workshopEnabled || associated.isEmpty())
        return;
    q.setParam(QStringLiteral("ct"), associated);
    q.open();
    if (q.first())
        d.associatedWorkshop = associatedFrom(q);
    q.close();
}

ValidityLookup CatalogueValidity()
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
        // A catalogued model without VENC takes the default like an unknown one.
        if (q.first() && !q.field(QStringLiteral("VENC")).isNull())
            years = q.integer(QStringLiteral("VENC"));
        q.close();
        cache->insert(codigo, years);
        return years;
    };
}

void WritePreparedTable(LocalTable &printable, const QVector<PreparedCylinderRow> &rows)
{
    if (!printable.isOpen())
        printable.open();
    printable.empty();
    for (const PreparedCylinderRow &r : rows) {
        printable.append();
        const QVariantMap m = r.toMap();
        for (auto it = m.begin(); it != m.end(); ++it)
            if (printable.fieldIndex(it.key()) >= 0 && it.value().isValid())
                printable.setValue(it.key(), it.value());
        printable.post();
    }
}

QVector<PreparedCylinderRow> PreparePrintCylinders(const QVector<CylinderRow> &cylinders, LocalTable &printable,
                                                   const ValidityLookup &validity)
{
    const QVector<PreparedCylinderRow> rows = PrepareCylinders(cylinders, validity);
    WritePreparedTable(printable, rows);
    return rows;
}

} // namespace Ficha
