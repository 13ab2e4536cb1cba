#include "core/operationjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace OperationJson
{

namespace
{

const QString kDate = QStringLiteral("yyyy-MM-dd");

QJsonValue date(const QDate &d)
{
    return d.isValid() ? QJsonValue(d.toString(kDate)) : QJsonValue();
}

QDate date(const QJsonValue &v)
{
    return QDate::fromString(v.toString(), kDate);
}

template <std::size_t N> QJsonArray texts(const std::array<QString, N> &values)
{
    QJsonArray a;
    for (const QString &v : values)
        a.append(v);
    return a;
}

template <std::size_t N> void texts(const QJsonValue &v, std::array<QString, N> &values)
{
    const QJsonArray a = v.toArray();
    for (std::size_t i = 0; i < N; ++i)
        values[i] = i < std::size_t(a.size()) ? a.at(qsizetype(i)).toString() : QString();
}

QJsonObject regulator(const RegulatorLine &r)
{
    return {
        {"codigo", r.codigo}, {"marca", r.marca}, {"nroSerie", r.nroSerie}, {"gestion", r.gestion}, {"nuevo", r.nuevo}};
}

RegulatorLine regulator(const QJsonObject &o)
{
    return {o.value("codigo").toString(), o.value("marca").toString(), o.value("nroSerie").toString(),
            o.value("gestion").toString(), o.value("nuevo").toString()};
}

QJsonObject cylinder(const CylinderRow &c)
{
    return {{"nroSerie", c.nroSerie},   {"codigo", c.codigo},       {"gestion", c.gestion},
            {"capacidad", c.capacidad}, {"fabricac", c.fabricac},   {"uphTaller", c.uphTaller},
            {"uphFecha", c.uphFecha},   {"uphResult", c.uphResult}, {"fecVencCrpc", date(c.fecVencCrpc)},
            {"cNuevo", c.cNuevo},       {"valCod", c.valCod},       {"valNro", c.valNro},
            {"valGest", c.valGest},     {"rvalCod", c.rvalCod},     {"rvalNro", c.rvalNro},
            {"rvalGest", c.rvalGest},   {"nroCertif", c.nroCertif}};
}

CylinderRow cylinder(const QJsonObject &o)
{
    CylinderRow c;
    c.nroSerie = o.value("nroSerie").toString();
    c.codigo = o.value("codigo").toString();
    c.gestion = o.value("gestion").toString();
    c.capacidad = o.value("capacidad").toInt();
    c.fabricac = o.value("fabricac").toString();
    c.uphTaller = o.value("uphTaller").toString();
    c.uphFecha = o.value("uphFecha").toString();
    c.uphResult = o.value("uphResult").toString();
    c.fecVencCrpc = date(o.value("fecVencCrpc"));
    c.cNuevo = o.value("cNuevo").toString();
    c.valCod = o.value("valCod").toString();
    c.valNro = o.value("valNro").toString();
    c.valGest = o.value("valGest").toString();
    c.rvalCod = o.value("rvalCod").toString();
    c.rvalNro = o.value("rvalNro").toString();
    c.rvalGest = o.value("rvalGest").toString();
    c.nroCertif = o.value("nroCertif").toString();
    return c;
}

} // namespace

QByteArray Write(const OperationRecord &r)
{
    QJsonArray cylinders;
    for (const CylinderRow &c : r.cylinders)
        cylinders.append(cylinder(c));
    const QJsonObject o{
        {"kind", r.kind},
        {"description", r.description},
        {"obleaAnt", r.obleaAnt},
        {"anioObleaAnt", r.anioObleaAnt},
        {"obleaNew", r.obleaNew},
        {"marca", r.marca},
        {"modelo", r.modelo},
        {"anio", r.anio},
        {"inyeccion", r.inyeccion},
        {"tipoUso", r.tipoUso},
        {"dominio", r.dominio},
        {"vin", r.vin},
        {"nombre", r.nombre},
        {"tipoDoc", r.tipoDoc},
        {"nroDoc", r.nroDoc},
        {"calle", r.calle},
        {"barrio", r.barrio},
        {"codigoPostal", r.codigoPostal},
        {"localidad", r.localidad},
        {"provincia", r.provincia},
        {"tipoTelefono", r.tipoTelefono},
        {"caracteristica", r.caracteristica},
        {"telefono", r.telefono},
        {"email", r.email},
        {"regulador", regulator(r.regulador)},
        {"hasSecondRegulator", r.hasSecondRegulator},
        {"reguladorNuevo", regulator(r.reguladorNuevo)},
        {"fechaMontaje", date(r.fechaMontaje)},
        {"fechaHabilitacion", date(r.fechaHabilitacion)},
        {"fechaVencimiento", date(r.fechaVencimiento)},
        {"observaciones", r.observaciones},
        {"accesorios", texts(r.accesorios)},
        {"attachmentPaths", texts(r.attachmentPaths)},
        {"estado", r.estado},
        {"cylinders", cylinders},
    };
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

bool Read(const QByteArray &bytes, OperationRecord &out)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    const QJsonObject o = doc.object();
    OperationRecord r;
    const auto text = [&o](const char *key, QString &field) {
        if (o.contains(QLatin1String(key)))
            field = o.value(QLatin1String(key)).toString();
    };
    text("kind", r.kind);
    text("description", r.description);
    text("obleaAnt", r.obleaAnt);
    text("anioObleaAnt", r.anioObleaAnt);
    text("obleaNew", r.obleaNew);
    text("marca", r.marca);
    text("modelo", r.modelo);
    r.anio = o.value("anio").toInt(r.anio);
    text("inyeccion", r.inyeccion);
    text("tipoUso", r.tipoUso);
    text("dominio", r.dominio);
    text("vin", r.vin);
    text("nombre", r.nombre);
    text("tipoDoc", r.tipoDoc);
    text("nroDoc", r.nroDoc);
    text("calle", r.calle);
    text("barrio", r.barrio);
    text("codigoPostal", r.codigoPostal);
    text("localidad", r.localidad);
    text("provincia", r.provincia);
    text("tipoTelefono", r.tipoTelefono);
    text("caracteristica", r.caracteristica);
    text("telefono", r.telefono);
    text("email", r.email);
    r.regulador = regulator(o.value("regulador").toObject());
    r.hasSecondRegulator = o.value("hasSecondRegulator").toBool();
    r.reguladorNuevo = regulator(o.value("reguladorNuevo").toObject());
    r.fechaMontaje = date(o.value("fechaMontaje"));
    r.fechaHabilitacion = date(o.value("fechaHabilitacion"));
    r.fechaVencimiento = date(o.value("fechaVencimiento"));
    text("observaciones", r.observaciones);
    texts(o.value("accesorios"), r.accesorios);
    texts(o.value("attachmentPaths"), r.attachmentPaths);
    r.estado = o.value("estado").toInt();
    for (const auto &c : o.value("cylinders").toArray())
        r.cylinders.append(cylinder(c.toObject()));
    out = r;
    return true;
}

} // namespace OperationJson
