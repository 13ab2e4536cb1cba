#include "data/cylinderworktable.h"

#include "data/lettertable.h"
#include "data/localstore.h"

namespace CylinderWorkTable
{

CylinderRow RowAt(const LocalTable &t, int row)
{
    const auto text = [&](const char *field) { return t.textAt(row, t.fieldIndex(QLatin1String(field))); };
    const auto value = [&](const char *field) { return t.valueAt(row, t.fieldIndex(QLatin1String(field))); };
    CylinderRow c;
    c.nroSerie = text("NROSERIE");
    c.codigo = text("CODIGO");
    c.gestion = text("GESTION");
    c.capacidad = value("CAPACIDAD").toInt();
    c.fabricac = text("FABRICAC");
    c.uphTaller = text("UPHTALLER");
    c.uphFecha = text("UPHFECHA");
    c.uphResult = text("UPHRESULT");
    c.fecVencCrpc = value("FECVENCRPC").toDate();
    c.cNuevo = text("CNUEVO");
    c.valCod = text("VALCOD");
    c.valNro = text("VALNRO");
    c.valGest = text("VALGEST");
    c.rvalCod = text("RVALCOD");
    c.rvalNro = text("RVALNRO");
    c.rvalGest = text("RVALGEST");
    c.nroCertif = text("NROCERTIF");
    return c;
}

QVector<CylinderRow> Read(LocalTable &table)
{
    if (!table.isOpen())
        table.open();
    QVector<CylinderRow> rows;
    for (int r = 0; r < table.count(); ++r)
        rows << RowAt(table, r);
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

void Replace(LocalTable &table, const QVector<CylinderRow> &rows)
{
    if (!table.isOpen())
        table.open();
    table.empty();
    for (const CylinderRow &c : rows)
        Append(table, c);
}

void AppendLetterLine(LocalTable &letter, const CylinderRow &c)
{
    LetterTable::Append(letter, Letter::FromCylinder(c));
}

} // namespace CylinderWorkTable
