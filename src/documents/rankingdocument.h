#pragma once

#include "core/faultranking.h"
#include "report/reportform.h"

#include <QVector>

// The fault rankings' report (`TQRankingFallasForm` and the dealer and model
// variants): a header with the PEC, the workshop (or dealer) line, the
// period and, by model, the vehicle; the chart on the first page; one line
// per fault with its count and share.
namespace Documents
{

struct RankingHeader {
    QString pecName;
    QString workshopLine; // "TODOS", a workshop, or "Concesionario: " + dealer
    QString periodLine;
    QString vehicleLine; // by model only
    QString chartFile;   // the chart as a picture file; empty: none
};

// Named values `PecName`, `TallerLinea`, `Periodo`, `Vehiculo`, `Grafico`.
Report::Values RankingValues(const RankingHeader &header);
// Fields `falla`, `falla_1`, `cantidad`, `porc`.
std::shared_ptr<const Report::RowSource> RankingRows(const QVector<Ranking::Row> &rows);
Report::ReportForm MakeRanking(const QString &layoutName, const RankingHeader &header,
                               const QVector<Ranking::Row> &rows);

} // namespace Documents
