#include "operations/save/saveoperation.h"

#include "core/global.h"
#include "data/dm1.h"
#include "data/pendingstore.h"

Validation::Input ValidationInputOf(const OperationRecord &r, const InstallationProfile *profile, const QDate &today)
{
    Validation::Input in;
    in.kind = r.kind;
    in.domain = r.dominio;
    in.previousSticker = r.obleaAnt;
    in.brand = r.marca;
    in.model = r.modelo;
    in.ownerName = r.nombre;
    in.docType = r.tipoDoc;
    in.docNumber = r.nroDoc;
    in.street = r.calle;
    in.postalCode = r.codigoPostal;
    in.locality = r.localidad;
    in.telephone = r.telefono;
    in.regulatorCode = r.regulador.codigo;
    in.regulatorSerial = r.regulador.nroSerie;
    in.cylinders = r.cylinders;
    in.mounting = r.fechaMontaje;
    in.enabling = r.fechaHabilitacion;
    in.expiry = r.fechaVencimiento;
    in.checksReusedSticker = profile && profile->checksReusedSticker;
    in.today = today;
    return in;
}

static Validation::Lookups centralLookups()
{
    Validation::Lookups db;
    db.domainExists = [](const QString &domain) {
        NamedQuery &q = dm1().query(QStringLiteral("SQLQueryBuscarDominio"));
        q.close();
        q.setParam(QStringLiteral("do"), domain);
        q.open();
        return !q.isEmpty();
    };
    db.stickerReplacedBy = [](const QString &sticker) -> std::optional<QString> {
        NamedQuery &q = dm1().query(QStringLiteral("SQLQueryAnteriorEnSerio"));
        q.close();
        q.setParam(QStringLiteral("ob"), sticker);
        q.open();
        if (!q.first())
            return std::nullopt;
        return q.text(QStringLiteral("uobleanew"));
    };
    return db;
}

SaveOutcome SaveOperation(OperationRecord &record, const InstallationProfile *profile, Prompter &prompter,
                          Progress &progress, const QDate &today, std::optional<int> replacing)
{
    SaveOutcome out;
    out.checks = Validation::Check(ValidationInputOf(record, profile, today), centralLookups(), prompter);
    if (out.checks.hydraulicPassRan) {
        progress.open(5);
        progress.line(QStringLiteral("Controlando vencimientos PH..."));
    }
    record.fechaVencimiento = out.checks.expiry;
    if (!out.checks.ok) {
        progress.hide();
        return out;
    }
    const QString lines[5] = {QString(), QStringLiteral("Actualizando tabla USR..."),
                              QStringLiteral("Obteniendo el ID de la operación..."),
                              QStringLiteral("Actualizando tabla REG..."), QStringLiteral("Actualizando tabla CIL...")};
    try {
        out.id = PendingStore::Save(record, Global, today, replacing, [&](int step) {
            progress.position(step);
            progress.line(lines[step]);
        });
    } catch (...) {
        progress.hide();
        throw;
    }
    progress.position(5);
    progress.hide();
    out.saved = true;
    prompter.info(QStringLiteral("La operación ha sido cargada."));
    return out;
}
