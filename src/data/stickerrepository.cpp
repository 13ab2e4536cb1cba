#include "data/stickerrepository.h"

#include "data/dm1.h"
#include "data/localstore.h"

namespace StickerRepository
{

namespace
{

NamedQuery &run(const QString &statement, const QString &workshop, const QDate &from, const QDate &to)
{
    NamedQuery &q = dm1().query(statement);
    q.close();
    q.setParam(QStringLiteral("co"), workshop);
    q.setParam(QStringLiteral("fe"), from);
    q.setParam(QStringLiteral("ha"), to);
    q.open();
    return q;
}

StickerDetail::Part part(const NamedQuery &q, const QString &codigo, const QString &numero, const QString &gestion)
{
    return {q.text(codigo), q.text(numero), q.text(gestion)};
}

} // namespace

QVector<QSqlRecord> Assigned(const QString &workshop, const QDate &from, const QDate &to)
{
    NamedQuery &q = run(QStringLiteral("SQLQueryObleasAsignadas"), workshop, from, to);
    QVector<QSqlRecord> rows = q.rows();
    q.close();
    return rows;
}

QString OperationKey(const QVariant &talcuit, const QVariant &tnrointopr)
{
    return talcuit.toString().trimmed() + QLatin1Char('|') + QString::number(tnrointopr.toLongLong());
}

QHash<QString, Parts> PartsOfAssigned(const QString &workshop, const QDate &from, const QDate &to)
{
    QHash<QString, Parts> out;
    const QString talcuit = QStringLiteral("talcuit"), tnrointopr = QStringLiteral("tnrointopr");
    const QString codigo = QStringLiteral("codigo"), numero = QStringLiteral("numero"),
                  gestion = QStringLiteral("GESTION");

    NamedQuery &regs = run(QStringLiteral("SQLQueryObleasAsignadasReg"), workshop, from, to);
    for (bool more = regs.first(); more; more = regs.next())
        out[OperationKey(regs.field(talcuit), regs.field(tnrointopr))].regulators.append(
            part(regs, codigo, numero, gestion));
    regs.close();

    NamedQuery &cils = run(QStringLiteral("SQLQueryObleasAsignadasCil"), workshop, from, to);
    for (bool more = cils.first(); more; more = cils.next()) {
        StickerDetail::Cylinder c;
        c.cylinder = part(cils, codigo, numero, gestion);
        c.valve = part(cils, QStringLiteral("valcod"), QStringLiteral("valnro"), QStringLiteral("valgest"));
        c.replacedValve = part(cils, QStringLiteral("rvalcod"), QStringLiteral("rvalnro"), QStringLiteral("rvalgest"));
        out[OperationKey(cils.field(talcuit), cils.field(tnrointopr))].cylinders.append(c);
    }
    cils.close();
    return out;
}

void FillDetailTable(LocalTable &table, const QVector<StickerDetail::Line> &lines)
{
    const auto at = [&table](const char *field) { return table.fieldIndex(QLatin1String(field)); };
    const int dominio = at("dominio"), operacion = at("operacion"), propietario = at("propietario"),
              marca = at("marca"), modelo = at("modelo"), oblea = at("oblea"), anio = at("anio"), fecha = at("fecha");
    const int parts[3][3] = {{at("codigo1"), at("nroserie1"), at("gestion1")},
                             {at("codigo2"), at("nroserie2"), at("gestion2")},
                             {at("codigo3"), at("nroserie3"), at("gestion3")}};
    QVector<QVariantList> records;
    records.reserve(lines.size());
    for (const StickerDetail::Line &l : lines) {
        QVariantList r(table.fields().size());
        r[dominio] = l.dominio;
        r[operacion] = l.operacion;
        r[propietario] = l.propietario;
        r[marca] = l.marca;
        r[modelo] = l.modelo;
        r[oblea] = l.oblea;
        if (l.anio)
            r[anio] = *l.anio;
        if (l.fecha.isValid())
            r[fecha] = l.fecha;
        const StickerDetail::Part *written[3] = {&l.regulator, &l.cylinder, &l.valve};
        for (int g = 0; g < 3; ++g) {
            r[parts[g][0]] = written[g]->codigo;
            r[parts[g][1]] = written[g]->numero;
            r[parts[g][2]] = written[g]->gestion;
        }
        records << r;
    }
    table.empty();
    table.appendRecords(records);
}

} // namespace StickerRepository
