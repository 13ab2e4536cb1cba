#include "documents/workorderdocuments.h"

#include "documents/registry.h"

namespace Documents
{

Report::Values WorkOrderValues(const WorkOrders::WorkOrder &order, const WorkOrders::PrintContext &context)
{
    Report::Values values;
    const QVariantMap v = WorkOrders::PrintValues(order, context);
    for (auto it = v.cbegin(); it != v.cend(); ++it)
        values.set(it.key(), it.value());
    return values;
}

std::shared_ptr<const Report::RowSource> WorkOrderFaultRows(const WorkOrders::WorkOrder &order)
{
    return std::make_shared<Report::VectorRowSource>(WorkOrders::FaultRows(order),
                                                     QStringList{QStringLiteral("falla_desc")});
}

Report::ReportForm MakeWorkOrder(const QString &layout, const WorkOrders::WorkOrder &order,
                                 const WorkOrders::PrintContext &context)
{
    Report::ReportForm form(LoadLayout(layout));
    form.bindValues(std::make_shared<Report::Values>(WorkOrderValues(order, context)));
    form.bindRows(WorkOrderFaultRows(order));
    return form;
}

std::shared_ptr<const Report::RowSource> WorkOrderListRows(const QVector<WorkOrderStore::PeriodRow> &rows)
{
    const QStringList fields = {QStringLiteral("fecha"),        QStringLiteral("opv_nro"),
                                QStringLiteral("propietario"),  QStringLiteral("vin"),
                                QStringLiteral("dominio"),      QStringLiteral("marca"),
                                QStringLiteral("modelo"),       QStringLiteral("taller"),
                                QStringLiteral("garantia"),     QStringLiteral("abonado_importe"),
                                QStringLiteral("concesionario")};
    QVector<QVariantMap> out;
    out.reserve(rows.size());
    for (const WorkOrderStore::PeriodRow &r : rows)
        out << QVariantMap{{fields[0], r.fecha},   {fields[1], r.numero},        {fields[2], r.propietario},
                           {fields[3], r.vin},     {fields[4], r.dominio},       {fields[5], r.marca},
                           {fields[6], r.modelo},  {fields[7], r.taller},        {fields[8], r.garantia},
                           {fields[9], r.importe}, {fields[10], r.concesionario}};
    return std::make_shared<Report::VectorRowSource>(out, fields);
}

Report::ReportForm MakeWorkOrderList(const QVector<WorkOrderStore::PeriodRow> &rows,
                                     const WorkOrders::ListFilter &filter, bool spreadsheet)
{
    Report::ReportForm form(
        LoadLayout(spreadsheet ? QStringLiteral("TQListadoOPVExcelForm") : QStringLiteral("TQListadoOpvForm")));
    auto values = std::make_shared<Report::Values>();
    values->set(QStringLiteral("Periodo"), filter.periodLine);
    values->set(QStringLiteral("TallerLinea"), filter.workshopLine);
    form.bindValues(values);
    form.bindRows(WorkOrderListRows(rows));
    return form;
}

} // namespace Documents
