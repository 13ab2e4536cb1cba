#include "core/pendingsave.h"

#include "core/cylinderrules.h"

namespace PendingSave
{

const std::array<QString, 12> &AccessoryColumnBases()
{
    static const std::array<QString, 12> bases = {
        QStringLiteral("SUJCIL"), QStringLiteral("ELVALN"), QStringLiteral("ELVALG"), QStringLiteral("MEZCL"),
        QStringLiteral("LLAVEC"), QStringLiteral("VENTEO"), QStringLiteral("VALCAI"), QStringLiteral("VALCAE"),
        QStringLiteral("MANG"),   QStringLiteral("MANOM"),  QStringLiteral("ACCE"),   QStringLiteral("TUBER")};
    return bases;
}

QString FirstLetter(const QString &text)
{
    return text.trimmed().left(1);
}

static bool isDismantling(const QString &kind)
{
    return kind == QLatin1String("B") || kind == QLatin1String("D");
}

// A date without time of day; an invalid date is NULL.
static QVariant dateValue(const QDate &d)
{
    return d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate));
}

QVariantMap TempUsrValues(const OperationRecord &r, const GlobalState &g, const Contents &files)
{
    QVariantMap v;
    v[QStringLiteral("peccod")] = g.PecCode;
    v[QStringLiteral("codtal")] = g.WorkshopCode;
    v[QStringLiteral("talcuit")] = g.WorkshopCuit;
    v[QStringLiteral("pmatreshab")] = g.PecRepMatricula;
    v[QStringLiteral("rmatreshab")] = g.RepMatricula;
    v[QStringLiteral("udominio")] = r.dominio;
    v[QStringLiteral("ucodgest")] = r.kind;
    v[QStringLiteral("udescgest")] = r.description;
    v[QStringLiteral("uobleaant")] = r.obleaAnt;
    v[QStringLiteral("uobanoant")] = r.anioObleaAnt;
    v[QStringLiteral("umarca")] = r.marca;
    v[QStringLiteral("umodelo")] = r.modelo;
    v[QStringLiteral("utipuso")] = r.tipoUsoCode();
    v[QStringLiteral("uano")] = r.anio;
    v[QStringLiteral("uapeynom")] = r.nombre;
    v[QStringLiteral("utipdoc")] = r.tipoDoc;
    v[QStringLiteral("unrodoc")] = r.nroDoc;
    v[QStringLiteral("ucalle")] = r.calle;
    v[QStringLiteral("unro")] = QString(QLatin1String(""));
    v[QStringLiteral("ubarrio")] = r.barrio;
    v[QStringLiteral("ucodpostal")] = r.codigoPostal;
    v[QStringLiteral("ulocalidad")] = r.localidad;
    v[QStringLiteral("uprovincia")] = r.provincia;
    v[QStringLiteral("utelefono")] = r.telefono;
    v[QStringLiteral("ufecrev")] = dateValue(r.fechaMontaje);
    v[QStringLiteral("ufecmont")] = dateValue(r.fechaMontaje);
    const bool noDates = isDismantling(r.kind);
    v[QStringLiteral("ufechab")] = noDates ? dateValue(QDate()) : dateValue(r.fechaHabilitacion);
    v[QStringLiteral("ufecvenhab")] = noDates ? dateValue(QDate()) : dateValue(r.fechaVencimiento);
    v[QStringLiteral("uobservac")] = r.observaciones;
    v[QStringLiteral("email")] = r.email;
    v[QStringLiteral("vin")] = r.vin;
    v[QStringLiteral("inyeccion")] = r.inyeccionCode();
    v[QStringLiteral("estado")] = r.estado;

    // No file: empty content and empty path, never NULL.
    const QString blobs[3] = {QStringLiteral("dnistring"), QStringLiteral("dorsostring"),
                              QStringLiteral("certificadostring")};
    const QString paths[3] = {QStringLiteral("dnipath"), QStringLiteral("dorsopath"),
                              QStringLiteral("certificadopath")};
    for (int i = 0; i < 3; ++i) {
        const bool attached = !r.attachmentPaths[i].isEmpty();
        v[blobs[i]] = attached ? files[i] : QByteArray("");
        v[paths[i]] = attached ? r.attachmentPaths[i] : QString(QLatin1String(""));
    }

    const auto &bases = AccessoryColumnBases();
    for (int i = 0; i < 12; ++i) {
        v[QStringLiteral("P_") + bases[i] + QStringLiteral("_COD")] = r.accesorios[2 * i];
        v[QStringLiteral("P_") + bases[i] + QStringLiteral("_NRO")] = r.accesorios[2 * i + 1];
    }
    v[QStringLiteral("P_UCARACT")] = r.caracteristica;
    v[QStringLiteral("P_TE_TIPO")] = r.tipoTelefono;
    return v;
}

static QVariantMap regRow(const GlobalState &g, const OperationRecord &r, int id, const RegulatorLine &line)
{
    QVariantMap v;
    v[QStringLiteral("id")] = id;
    v[QStringLiteral("peccod")] = g.PecCode;
    v[QStringLiteral("talcuit")] = g.WorkshopCuit;
    v[QStringLiteral("udominio")] = r.dominio;
    v[QStringLiteral("codreg")] = line.codigo;
    v[QStringLiteral("regnroserie")] = line.nroSerie;
    v[QStringLiteral("rcodgest")] = FirstLetter(line.gestion);
    return v;
}

bool SavesSecondRegulator(const OperationRecord &r)
{
    const QString letter = FirstLetter(r.regulador.gestion);
    return r.kind == QLatin1String("M") && (letter == QLatin1String("B") || letter == QLatin1String("D")) &&
           !r.reguladorNuevo.codigo.trimmed().isEmpty();
}

QList<QVariantMap> TempRegValues(const OperationRecord &r, const GlobalState &g, int id)
{
    QList<QVariantMap> rows{regRow(g, r, id, r.regulador)};
    if (SavesSecondRegulator(r))
        rows << regRow(g, r, id, r.reguladorNuevo);
    return rows;
}

QList<QVariantMap> TempCilValues(const OperationRecord &r, const GlobalState &g, int id, const QDate &today,
                                 const std::function<std::optional<int>(const QString &)> &validityYears)
{
    QList<QVariantMap> rows;
    for (const CylinderRow &c : r.cylinders) {
        QVariantMap v;
        v[QStringLiteral("id")] = id;
        v[QStringLiteral("peccod")] = g.PecCode;
        v[QStringLiteral("talcuit")] = g.WorkshopCuit;
        v[QStringLiteral("udominio")] = r.dominio;
        v[QStringLiteral("codcil")] = c.codigo;
        v[QStringLiteral("cilnroserie")] = c.nroSerie;
        v[QStringLiteral("ccodgest")] = FirstLetter(c.gestion);
        v[QStringLiteral("cfecgest")] = today;
        v[QStringLiteral("ccapacidad")] = c.capacidad;
        v[QStringLiteral("cmesfabr")] = c.fabricac.left(2);
        v[QStringLiteral("canofabr")] = c.fabricac.right(2);
        v[QStringLiteral("cuphmes")] = c.uphFecha.left(2);
        v[QStringLiteral("cuphano")] = c.uphFecha.right(2);
        v[QStringLiteral("cuphcrpc")] = c.uphTaller;
        v[QStringLiteral("cuphresult")] = FirstLetter(c.uphResult);
        int month = 0, year = 0;
        if (Cylinders::SplitMonthYear(c.uphFecha, &month, &year))
            v[QStringLiteral("fecvenccrpc")] =
                Cylinders::CrpcExpiryDate(validityYears(c.codigo.trimmed()), month, year);
        else
            v[QStringLiteral("fecvenccrpc")] = dateValue(QDate());
        v[QStringLiteral("cnuevo")] = FirstLetter(c.cNuevo);
        v[QStringLiteral("valcod")] = c.valCod;
        v[QStringLiteral("valnro")] = c.valNro;
        v[QStringLiteral("valgest")] = FirstLetter(c.valGest);
        v[QStringLiteral("nrocertif")] = c.nroCertif;
        v[QStringLiteral("rvalcod")] = c.rvalCod;
        v[QStringLiteral("rvalnro")] = c.rvalNro;
        v[QStringLiteral("rvalgest")] = FirstLetter(c.rvalGest);
        rows << v;
    }
    return rows;
}

} // namespace PendingSave
