#include "data/cylinderworktable.h"

#include "data/localstore.h"

namespace CylinderWorkTable
{

QVector<CylinderRow> Read(LocalTable &table)
{
    QVector<CylinderRow> rows;
    if (!table.isOpen())
        table.open();
    for (bool more = table.first(); more && !table.eof(); more = table.next()) {
        CylinderRow c;
        c.nroSerie = table.text(QStringLiteral("NROSERIE"));
        c.codigo = table.text(QStringLiteral("CODIGO"));
        c.gestion = table.text(QStringLiteral("GESTION"));
        c.capacidad = table.integer(QStringLiteral("CAPACIDAD"));
        c.fabricac = table.text(QStringLiteral("FABRICAC"));
        c.uphTaller = table.text(QStringLiteral("UPHTALLER"));
        c.uphFecha = table.text(QStringLiteral("UPHFECHA"));
        c.uphResult = table.text(QStringLiteral("UPHRESULT"));
        c.fecVencCrpc = table.date(QStringLiteral("FECVENCRPC"));
        c.cNuevo = table.text(QStringLiteral("CNUEVO"));
        c.valCod = table.text(QStringLiteral("VALCOD"));
        c.valNro = table.text(QStringLiteral("VALNRO"));
        c.valGest = table.text(QStringLiteral("VALGEST"));
        c.rvalCod = table.text(QStringLiteral("RVALCOD"));
        c.rvalNro = table.text(QStringLiteral("RVALNRO"));
        c.rvalGest = table.text(QStringLiteral("RVALGEST"));
        c.nroCertif = table.text(QStringLiteral("NROCERTIF"));
        rows << c;
    }
    return rows;
}

void Append(LocalTable &t, const CylinderRow &c)
{
    t.append();
    t.setText(QStringLiteral("NROSERIE"), c.nroSerie);
    t.setText(QStringLiteral("CODIGO"), c.codigo);
    t.setText(QStringLiteral("GESTION"), c.gestion);
    t.setInteger(QStringLiteral("CAPACIDAD"), c.capacidad);
    t.setText(QStringLiteral("FABRICAC"), c.fabricac);
    t.setText(QStringLiteral("UPHTALLER"), c.uphTaller);
    t.setText(QStringLiteral("UPHFECHA"), c.uphFecha);
    t.setText(QStringLiteral("UPHRESULT"), c.uphResult);
    if (c.fecVencCrpc.isValid())
        t.setDate(QStringLiteral("FECVENCRPC"), c.fecVencCrpc);
    t.setText(QStringLiteral("CNUEVO"), c.cNuevo);
    t.setText(QStringLiteral("VALCOD"), c.valCod);
    t.setText(QStringLiteral("VALNRO"), c.valNro);
    t.setText(QStringLiteral("VALGEST"), c.valGest);
    t.setText(QStringLiteral("RVALCOD"), c.rvalCod);
    t.setText(QStringLiteral("RVALNRO"), c.rvalNro);
    t.setText(QStringLiteral("RVALGEST"), c.rvalGest);
    t.setText(QStringLiteral("NROCERTIF"), c.nroCertif);
    t.post();
}

} // namespace CylinderWorkTable
