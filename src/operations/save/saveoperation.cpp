#include "operations/save/saveoperation.h"

#include "core/global.h"
#include "core/pendingsave.h"
#include "data/dm1.h"
#include "data/pendingstore.h"
#include "widgets/serverwait.h"

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
    if (PendingSave::SavesSecondRegulator(r))
        in.secondRegulatorCode = r.reguladorNuevo.codigo;
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
    db.regulatorExists = [](const QString &code) {
        NamedQuery &q = dm1().query(QStringLiteral("SQLQueryBuscarReg"));
        q.close();
        q.setParam(QStringLiteral("re"), code);
        q.open();
        return !q.isEmpty();
    };
    return db;
}

SaveOutcome SaveOperation(OperationRecord &record, const InstallationProfile *profile, Prompter &prompter,
                          Progress &progress, const QDate &today, std::optional<int> replacing,
                          WriteOnce::Ticket *ticket, QWidget *waitWindow)
{
    SaveOutcome out;
    // The panel is up before the hydraulic-test warnings.
    out.checks = Validation::Check(ValidationInputOf(record, profile, today), centralLookups(), prompter, [&] {
        progress.open(5);
        progress.line(QStringLiteral("Controlando vencimientos PH..."));
    });
    record.fechaVencimiento = out.checks.expiry;
    if (!out.checks.ok) {
        progress.hide();
        return out;
    }
    const QString lines[5] = {QString(), QStringLiteral("Actualizando tabla USR..."),
                              QStringLiteral("Obteniendo el ID de la operación..."),
                              QStringLiteral("Actualizando tabla REG..."), QStringLiteral("Actualizando tabla CIL...")};
    const auto step = [&](int n) {
        progress.position(n);
        progress.line(lines[n]);
    };
    try {
        if (waitWindow) {
            // The panel's lines are the window's: they go before and after.
            step(1);
            out.id = Widgets::ServerWait::run<int>(
                waitWindow, QStringLiteral("Guardando la operación pendiente..."), Conn::Operations,
                [record, global = Global, today, replacing, ticket] {
                    return PendingStore::Save(record, global, today, replacing, {}, ticket);
                });
            for (int n = 2; n <= 4; ++n)
                step(n);
        } else {
            out.id = PendingStore::Save(record, Global, today, replacing, step, ticket);
        }
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
