#include "core/stickerdetail.h"

#include <algorithm>

namespace StickerDetail
{

std::optional<int> YearOf(const QString &uano)
{
    bool ok = false;
    const int year = uano.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return year;
}

QVector<Line> Lines(const Operation &op, const QVector<Part> &regulators, const QVector<Cylinder> &cylinders)
{
    QVector<Line> out;
    Line header;
    header.dominio = op.dominio;
    header.operacion = op.operacion;
    header.propietario = op.propietario;
    header.marca = op.marca;
    header.modelo = op.modelo;
    header.oblea = op.oblea;
    header.anio = YearOf(op.uano);
    header.fecha = op.fecha;
    out.append(header);

    const bool replacesValves = op.kind.trimmed().compare(QLatin1String("H"), Qt::CaseInsensitive) == 0;
    const qsizetype passes = std::max(regulators.size(), cylinders.size());
    for (qsizetype k = 0; k < passes; ++k) {
        // The line this pass writes into: the header for the first regulator,
        // otherwise a new one, started by the regulator or by the cylinder.
        qsizetype line = -1;
        if (k < regulators.size()) {
            if (k == 0) {
                line = 0;
            } else {
                out.append(Line{});
                line = out.size() - 1;
            }
            out[line].regulator = regulators.at(k);
        }
        if (k < cylinders.size()) {
            if (line < 0) {
                out.append(Line{});
                line = out.size() - 1;
            }
            out[line].cylinder = cylinders.at(k).cylinder;
            out[line].valve = cylinders.at(k).valve;
            if (replacesValves) {
                Line replaced;
                replaced.valve = cylinders.at(k).replacedValve;
                out.append(replaced);
            }
        }
    }
    out.append(Line{}); // separator
    return out;
}

} // namespace StickerDetail
