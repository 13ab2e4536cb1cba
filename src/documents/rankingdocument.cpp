#include "documents/rankingdocument.h"

#include "documents/registry.h"

namespace Documents
{

Report::Values RankingValues(const RankingHeader &h)
{
    Report::Values v;
    v.set(QStringLiteral("PecName"), h.pecName);
    v.set(QStringLiteral("TallerLinea"), h.workshopLine);
    v.set(QStringLiteral("Periodo"), h.periodLine);
    v.set(QStringLiteral("Vehiculo"), h.vehicleLine);
    v.set(QStringLiteral("Grafico"), h.chartFile);
    return v;
}

std::shared_ptr<const Report::RowSource> RankingRows(const QVector<Ranking::Row> &rows)
{
    QVector<QVariantMap> out;
    out.reserve(rows.size());
    for (const Ranking::Row &r : rows)
        out.push_back({{QStringLiteral("falla"), r.falla},
                       {QStringLiteral("falla_1"), r.descripcion},
                       {QStringLiteral("cantidad"), r.cantidad},
                       {QStringLiteral("porc"), r.porc}});
    return std::make_shared<Report::VectorRowSource>(out,
                                                     QStringList{QStringLiteral("falla"), QStringLiteral("falla_1"),
                                                                 QStringLiteral("cantidad"), QStringLiteral("porc")});
}

Report::ReportForm MakeRanking(const QString &layoutName, const RankingHeader &header,
                               const QVector<Ranking::Row> &rows)
{
    Report::ReportForm form(LoadLayout(layoutName));
    form.bindValues(std::make_shared<Report::Values>(RankingValues(header)));
    form.bindRows(RankingRows(rows));
    return form;
}

} // namespace Documents
