#include "documents/workshopdocuments.h"

#include "documents/registry.h"

namespace Documents
{

Report::Values OrderValues(const Orders::ConversionOrder &order, const Orders::PrintContext &context)
{
    Report::Values values;
    const QVariantMap v = Orders::PrintValues(order, context);
    for (auto it = v.cbegin(); it != v.cend(); ++it)
        values.set(it.key(), it.value());
    return values;
}

Report::ReportForm MakeOrder(const Orders::ConversionOrder &order, const Orders::PrintContext &context)
{
    Report::ReportForm form(LoadLayout(QStringLiteral("TQOrdenTrabajoForm")));
    form.bindValues(std::make_shared<Report::Values>(OrderValues(order, context)));
    form.bindRows(std::make_shared<Report::VectorRowSource>(QVector<QVariantMap>()));
    return form;
}

std::shared_ptr<const Report::RowSource> OwnerListRows(const QVector<Owners::Owner> &owners)
{
    const QStringList fields = {
        QStringLiteral("propietario"), QStringLiteral("tipoDoc"),   QStringLiteral("nroDoc"),
        QStringLiteral("calle"),       QStringLiteral("localidad"), QStringLiteral("telefono"),
        QStringLiteral("celular"),     QStringLiteral("email"),     QStringLiteral("codigoPostal")};
    QVector<QVariantMap> rows;
    rows.reserve(owners.size());
    for (const Owners::Owner &o : owners) {
        const QVariantMap c = Owners::Columns(o);
        QVariantMap row;
        for (const QString &f : fields)
            row.insert(f, c.value(f).toString());
        rows << row;
    }
    return std::make_shared<Report::VectorRowSource>(rows, fields);
}

Report::ReportForm MakeOwnerList(const QVector<Owners::Owner> &owners)
{
    Report::ReportForm form(LoadLayout(QStringLiteral("TExportToExcelPropietariosForm")));
    form.bindRows(OwnerListRows(owners));
    form.bindValues(std::make_shared<Report::Values>());
    return form;
}

} // namespace Documents
