#include "core/conversionorder.h"

#include "core/pendingsave.h"
#include "core/recall.h"

namespace Orders
{

namespace
{

QVariant dateValue(const QDate &d)
{
    return d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate));
}

int integer(const QVariantMap &row, const QString &column)
{
    return Recall::Text(row, column).toInt();
}

QString yesNo(const QString &letter)
{
    return letter == QLatin1String("S") ? QStringLiteral("SI") : QStringLiteral("NO");
}

} // namespace

QString RoleColumn(Role role)
{
    switch (role) {
    case Role::Electricista:
        return QStringLiteral("electricista");
    case Role::Instalador:
        return QStringLiteral("instalador");
    case Role::Cunero:
        return QStringLiteral("cunero");
    case Role::ControlPerdidas:
        return QStringLiteral("control_perdidas");
    case Role::Programador:
        break;
    }
    return QStringLiteral("programador");
}

QString RoleCaption(Role role)
{
    switch (role) {
    case Role::Electricista:
        return QStringLiteral("Electricista");
    case Role::Instalador:
        return QStringLiteral("Instalador");
    case Role::Cunero:
        return QStringLiteral("Cunero");
    case Role::ControlPerdidas:
        return QStringLiteral("Control Pérdidas");
    case Role::Programador:
        break;
    }
    return QStringLiteral("Programador");
}

bool IsAcceptedYear(int year, const QDate &today)
{
    return year > 1950 && year <= today.year() + 1;
}

bool ChecksDuplicatePlate(const QString &plate)
{
    const QString p = plate.trimmed();
    return !p.isEmpty() && p != QLatin1String("AAA000");
}

int NextNumber(int highestStored)
{
    return highestStored > 0 ? highestStored + 1 : 1;
}

QList<Required> MissingForNewOrder(const ConversionOrder &o)
{
    QList<Required> out;
    if (o.dominio.trimmed().isEmpty())
        out << Required::Dominio;
    if (o.marca.trimmed().isEmpty())
        out << Required::Marca;
    if (o.modelo.trimmed().isEmpty())
        out << Required::Modelo;
    if (o.dealer == 0)
        out << Required::Concesionario;
    if (o.owner.id == 0)
        out << Required::Propietario;
    return out;
}

QVariantMap OttColumns(const ConversionOrder &o)
{
    QVariantMap v;
    v[QStringLiteral("dominio")] = o.dominio.trimmed();
    v[QStringLiteral("propietario")] = o.owner.nombre;
    v[QStringLiteral("email")] = o.owner.email;
    v[QStringLiteral("telefono")] = o.owner.telefono;
    v[QStringLiteral("celular")] = o.owner.celular;
    v[QStringLiteral("calle")] = o.owner.calle;
    v[QStringLiteral("nro")] = QString(); // the number travels inside `calle`
    v[QStringLiteral("localidad")] = o.owner.localidad;
    v[QStringLiteral("codigoPostal")] = o.owner.codigoPostal;
    v[QStringLiteral("provincia")] = o.owner.provincia;
    v[QStringLiteral("tipoDoc")] = o.owner.tipoDoc;
    v[QStringLiteral("nroDoc")] = o.owner.nroDoc;
    v[QStringLiteral("marca")] = o.marca;
    v[QStringLiteral("modelo")] = o.modelo;
    v[QStringLiteral("anio")] = o.anio;
    v[QStringLiteral("cilindrada")] = 0;
    v[QStringLiteral("taller")] = o.taller;
    v[QStringLiteral("fecha")] = dateValue(o.fecha);
    v[QStringLiteral("ott_nro")] = o.numero;
    v[QStringLiteral("vin")] = o.vin;
    v[QStringLiteral("km")] = o.km;
    v[QStringLiteral("cliente")] = o.dealer;
    v[QStringLiteral("propietario_id")] = o.owner.id;
    for (int i = 0; i < kRoleCount; ++i)
        v[RoleColumn(Role(i))] = o.technicians[i];
    v[QStringLiteral("cilindro")] = o.cilindro;
    v[QStringLiteral("electronica")] = o.electronica;
    v[QStringLiteral("obs1")] = o.obs[0];
    v[QStringLiteral("obs2")] = o.obs[1];
    v[QStringLiteral("obs3")] = o.obs[2];
    v[QStringLiteral("flexxus")] = o.flexxus;
    v[QStringLiteral("barrio")] = o.owner.barrio;
    v[QStringLiteral("celular_carac")] = o.owner.caracteristica;
    return v;
}

QStringList OttColumnsKeptOnEdit()
{
    // The owner's neighbourhood and area code stay as stored at creation.
    return {QStringLiteral("taller"), QStringLiteral("fecha"), QStringLiteral("ott_nro"), QStringLiteral("barrio"),
            QStringLiteral("celular_carac")};
}

QVariantMap OttRegColumns(const ConversionOrder &o)
{
    if (o.regulator.codigo.trimmed().isEmpty())
        return {};
    QVariantMap v;
    v[QStringLiteral("TALLER")] = o.taller;
    v[QStringLiteral("OTT_ID")] = o.numero;
    v[QStringLiteral("RCODREGH")] = o.regulator.codigo.trimmed();
    v[QStringLiteral("RNROSERIE")] = o.regulator.nroSerie;
    v[QStringLiteral("RCODGEST")] = QStringLiteral("C");
    v[QStringLiteral("RNUEVO")] = PendingSave::FirstLetter(o.regulator.nuevo);
    return v;
}

QList<QVariantMap> OttCilColumns(const ConversionOrder &o)
{
    using PendingSave::FirstLetter;
    QList<QVariantMap> rows;
    for (const CylinderRow &c : o.cylinders) {
        QVariantMap v;
        v[QStringLiteral("TALLER")] = o.taller;
        v[QStringLiteral("OTT_ID")] = o.numero;
        v[QStringLiteral("CILCODH")] = c.codigo;
        v[QStringLiteral("CNROSERIE")] = c.nroSerie;
        v[QStringLiteral("CCODGEST")] = FirstLetter(c.gestion);
        v[QStringLiteral("CCAPACIDAD")] = c.capacidad;
        v[QStringLiteral("CMESFABR")] = c.fabricac.left(2);
        v[QStringLiteral("CANOFABR")] = c.fabricac.right(2);
        v[QStringLiteral("CUPHCRPC")] = c.uphTaller;
        v[QStringLiteral("CUPHMES")] = c.uphFecha.left(2);
        v[QStringLiteral("CUPHANO")] = c.uphFecha.right(2);
        v[QStringLiteral("FECVENCRPC")] = dateValue(c.fecVencCrpc);
        v[QStringLiteral("CUPHRESULT")] = FirstLetter(c.uphResult);
        v[QStringLiteral("CNUEVO")] = FirstLetter(c.cNuevo);
        v[QStringLiteral("VALCOD")] = c.valCod;
        v[QStringLiteral("VALNRO")] = c.valNro;
        v[QStringLiteral("VALGEST")] = FirstLetter(c.valGest);
        v[QStringLiteral("RVALCOD")] = c.rvalCod;
        v[QStringLiteral("RVALNRO")] = c.rvalNro;
        v[QStringLiteral("RVALGEST")] = c.rvalGest; // as held, not reduced to its letter
        v[QStringLiteral("NROCERTIF")] = c.nroCertif;
        rows << v;
    }
    return rows;
}

OrderOwner OwnerFromRow(const QVariantMap &p)
{
    using Recall::Text;
    OrderOwner o;
    o.id = integer(p, QStringLiteral("propietario_id"));
    o.nombre = Text(p, QStringLiteral("propietario"));
    o.email = Text(p, QStringLiteral("email"));
    o.telefono = Text(p, QStringLiteral("telefono"));
    o.celular = Text(p, QStringLiteral("celular"));
    o.caracteristica = Text(p, QStringLiteral("celular_carac"));
    o.calle = Text(p, QStringLiteral("calle"));
    o.barrio = Text(p, QStringLiteral("barrio"));
    o.localidad = Text(p, QStringLiteral("localidad"));
    o.codigoPostal = Text(p, QStringLiteral("codigoPostal"));
    o.provincia = Text(p, QStringLiteral("provincia"));
    o.tipoDoc = Text(p, QStringLiteral("tipoDoc"));
    o.nroDoc = Text(p, QStringLiteral("nroDoc"));
    return o;
}

OrderOwner OwnerOf(const Owners::Owner &owner)
{
    // As the owners file stores it, read back as an order's row is.
    QVariantMap row = Owners::Columns(owner);
    row.insert(QStringLiteral("propietario_id"), owner.id);
    return OwnerFromRow(row);
}

ConversionOrder FromRows(const QVariantMap &ott, const QList<QVariantMap> &regs, const QList<QVariantMap> &cils)
{
    using Recall::Text;
    ConversionOrder o;
    o.taller = Text(ott, QStringLiteral("taller"));
    o.numero = integer(ott, QStringLiteral("ott_nro"));
    o.fecha = Recall::Date(ott, QStringLiteral("fecha"));
    o.dominio = Text(ott, QStringLiteral("dominio"));
    o.vin = Text(ott, QStringLiteral("vin"));
    o.km = integer(ott, QStringLiteral("km"));
    o.marca = Text(ott, QStringLiteral("marca"));
    o.modelo = Text(ott, QStringLiteral("modelo"));
    bool ok = false;
    const int year = Text(ott, QStringLiteral("anio")).toInt(&ok);
    if (ok)
        o.anio = year;
    o.cilindro = Text(ott, QStringLiteral("cilindro"));
    o.electronica = Text(ott, QStringLiteral("electronica"));
    o.flexxus = integer(ott, QStringLiteral("flexxus"));
    o.dealer = integer(ott, QStringLiteral("cliente"));
    o.owner = OwnerFromRow(ott);
    for (int i = 0; i < kRoleCount; ++i)
        o.technicians[i] = integer(ott, RoleColumn(Role(i)));
    o.obs = {Text(ott, QStringLiteral("obs1")), Text(ott, QStringLiteral("obs2")), Text(ott, QStringLiteral("obs3"))};
    if (!regs.isEmpty()) {
        const QVariantMap &r = regs.first();
        o.regulator.codigo = Text(r, QStringLiteral("RCODREGH"));
        o.regulator.marca = Text(r, QStringLiteral("MARCA"));
        o.regulator.nroSerie = Text(r, QStringLiteral("RNROSERIE"));
        o.regulator.nuevo = yesNo(Text(r, QStringLiteral("RNUEVO")));
    }
    for (const QVariantMap &c : cils)
        o.cylinders << Recall::ConsultationCylinder(c);
    return o;
}

QVariantMap PrintValues(const ConversionOrder &o, const PrintContext &ctx)
{
    QVariantMap v;
    v[QStringLiteral("Reimpresion")] = ctx.reprint;
    v[QStringLiteral("Membrete")] = ctx.reprint ? ctx.letterhead : QString();
    v[QStringLiteral("OtNro")] = QString::number(o.numero);
    v[QStringLiteral("Taller")] = ctx.workshopCode;
    v[QStringLiteral("Dominio")] = o.dominio;
    v[QStringLiteral("Vin")] = o.vin;
    v[QStringLiteral("FechaRecepcion")] =
        o.fecha.isValid() ? o.fecha.toString(QStringLiteral("dd/MM/yyyy")) : QString();
    v[QStringLiteral("Vehiculo")] = o.marca + QLatin1Char(' ') + o.modelo;
    v[QStringLiteral("Cliente")] = o.owner.nombre;
    v[QStringLiteral("TipoDoc")] = o.owner.tipoDoc;
    v[QStringLiteral("NroDoc")] = o.owner.nroDoc;
    v[QStringLiteral("Km")] = QString::number(o.km);
    v[QStringLiteral("Tel")] =
        ctx.reprint ? o.owner.celular : o.owner.caracteristica + QLatin1Char(' ') + o.owner.celular;
    v[QStringLiteral("Electronica")] = o.electronica;
    v[QStringLiteral("Cilindro")] = o.cilindro;
    v[QStringLiteral("Conces")] = ctx.dealerName;

    const bool hasRegulator = !o.regulator.codigo.trimmed().isEmpty();
    v[QStringLiteral("RegCodigo")] = o.regulator.codigo;
    v[QStringLiteral("RegSerie")] = o.regulator.nroSerie;
    const bool isNew = o.regulator.nuevo == QLatin1String("SI");
    v[QStringLiteral("RegNuevo")] = hasRegulator && isNew ? QStringLiteral("X") : QString();
    v[QStringLiteral("RegUsado")] = hasRegulator && !isNew ? QStringLiteral("X") : QString();

    for (int i = 0; i < kPrintedCylinders; ++i) {
        const QString p = QStringLiteral("Cil%1").arg(i + 1);
        const bool has = i < o.cylinders.size();
        const CylinderRow c = has ? o.cylinders.at(i) : CylinderRow();
        v[p + QStringLiteral("Codigo")] = c.codigo;
        v[p + QStringLiteral("Serie")] = c.nroSerie;
        v[p + QStringLiteral("Capacidad")] = has ? QString::number(c.capacidad) : QString();
        v[p + QStringLiteral("MesAnio")] = c.uphFecha;
        v[p + QStringLiteral("ValCodigo")] = c.valCod;
        v[p + QStringLiteral("ValSerie")] = c.valNro;
    }
    static const char *const roleKeys[kRoleCount] = {"Electricista", "Instalador", "Cunero", "ControlPerdidas",
                                                     "Programador"};
    for (int i = 0; i < kRoleCount; ++i)
        v[QLatin1String(roleKeys[i])] = ctx.technicianNames[i];
    v[QStringLiteral("Obs1")] = o.obs[0];
    v[QStringLiteral("Obs2")] = o.obs[1];
    v[QStringLiteral("Obs3")] = o.obs[2];
    v[QStringLiteral("Autorizo")] = ctx.reprint ? kConsentLead : kConsentLead + QLatin1Char(' ') + ctx.pecName;
    return v;
}

} // namespace Orders
