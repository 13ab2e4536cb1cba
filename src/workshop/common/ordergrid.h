#pragma once

#include "widgets/searchdialog.h"

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

} // namespace OrderGrid
