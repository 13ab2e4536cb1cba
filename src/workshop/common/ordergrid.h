#pragma once

#include "widgets/searchdialog.h"
#include "workshop/common/gridrows.h"

// The order lists (conversion orders, work orders, work orders by model) show
// the same eight columns; only the window, its caption and palette differ.
namespace OrderGrid
{

inline Widgets::SearchDialog::Setup setup(const QString &objectName, const QString &caption,
                                          Widgets::GridPalette palette, int height = 520)
{
    Widgets::SearchDialog::Setup s;
    s.objectName = objectName;
    s.caption = caption;
    s.columns = {{QStringLiteral("Orden Nro"), QStringLiteral("numero"), 8, true},
                 {QStringLiteral("Propietario"), QStringLiteral("propietario"), 50},
                 {QStringLiteral("VIN"), QStringLiteral("vin"), 20},
                 {QStringLiteral("Dominio"), QStringLiteral("dominio"), 7, true},
                 {QStringLiteral("Marca"), QStringLiteral("marca"), 20},
                 {QStringLiteral("Modelo"), QStringLiteral("modelo"), 20},
                 {QStringLiteral("Taller"), QStringLiteral("taller"), 7, true},
                 {QStringLiteral("Fecha"), QStringLiteral("fecha"), 10, true, Widgets::GridColumn::Kind::Date}};
    s.palette = palette;
    s.size = {980, height};
    return s;
}

// The grid's records of a list of orders (conversion, work, by model).
template <class Row> QVector<QSqlRecord> records(const QVector<Row> &orders)
{
    QVector<QSqlRecord> rows;
    rows.reserve(orders.size());
    for (const Row &r : orders)
        rows << GridRows::record({{QStringLiteral("numero"), r.numero},
                                  {QStringLiteral("propietario"), r.propietario},
                                  {QStringLiteral("vin"), r.vin},
                                  {QStringLiteral("dominio"), r.dominio},
                                  {QStringLiteral("marca"), r.marca},
                                  {QStringLiteral("modelo"), r.modelo},
                                  {QStringLiteral("taller"), r.taller},
                                  {QStringLiteral("fecha"), r.fecha}});
    return rows;
}

} // namespace OrderGrid
