#include "core/validation.h"

#include "core/pendingsave.h"

namespace Validation
{

QStringList Result::marked() const
{
    QStringList fields;
    for (const Finding &f : findings)
        if (f.kind == Kind::Mark && !fields.contains(f.field))
            fields << f.field;
    return fields;
}

namespace
{

bool blank(const QString &s)
{
    return s.trimmed().isEmpty();
}

bool retired(const CylinderRow &c)
{
    const QString g = c.gestion.trimmed();
    return g.startsWith(QLatin1Char('B')) || g.startsWith(QLatin1Char('D'));
}

struct Run {
    Result r;
    Prompter &p;

    void mark(int check, const QString &field)
    {
        r.findings << Finding{check, field, Kind::Mark, {}};
        r.ok = false;
    }
    void markIfBlank(int check, const QString &value, const QString &field)
    {
        if (blank(value))
            mark(check, field);
    }
    bool question(int check, const QString &text)
    {
        r.findings << Finding{check, {}, Kind::Question, text};
        return p.question(text);
    }
    void error(int check, const QString &field, const QString &text)
    {
        r.findings << Finding{check, field, Kind::Error, text};
        p.error(text);
        r.ok = false;
    }
    void warning(int check, const QString &text)
    {
        r.findings << Finding{check, {}, Kind::Warning, text};
        p.warn(text);
        r.ok = false;
    }
};

} // namespace

Result Check(const OperationRecord &in, const Options &options, const Lookups &db, Prompter &prompter,
             const std::function<void()> &hydraulicPassStarts)
{
    Run run{Result{}, prompter};
    run.r.expiry = in.fechaVencimiento;
    // The second regulator counts only where it is stored.
    const QString secondRegulatorCode = PendingSave::SavesSecondRegulator(in) ? in.reguladorNuevo.codigo : QString();
    const QString kind = in.kind;
    const bool exempt = in.dominio.trimmed() == QLatin1String("AAA000");
    const bool dismantling = kind == QLatin1String("B") || kind == QLatin1String("D");

    // 1-11 all run so that one attempt marks every missing field.
    if (kind == QLatin1String("C") && db.domainExists && db.domainExists(in.dominio.trimmed())) {
        if (!run.question(1, QStringLiteral("El dominio ingresado ya figura en la base de datos. Sigue?")))
            run.r.ok = false;
    }
    if (kind != QLatin1String("C"))
        run.markIfBlank(2, in.obleaAnt, QStringLiteral("ObleaAntEdit"));
    run.markIfBlank(3, in.dominio, QStringLiteral("DominioEdit"));
    run.markIfBlank(4, in.marca, QStringLiteral("MarcaEdit"));
    run.markIfBlank(4, in.modelo, QStringLiteral("ModeloEdit"));
    run.markIfBlank(4, in.nombre, QStringLiteral("NombreEdit"));
    if (!exempt) {
        run.markIfBlank(5, in.tipoDoc, QStringLiteral("DNIComboBox"));
        run.markIfBlank(5, in.nroDoc, QStringLiteral("NroDocEdit"));
        run.markIfBlank(5, in.calle, QStringLiteral("CalleEdit"));
    }
    // Without a previous sticker there is nothing to have been replaced (and
    // an empty one would match every operation that had none).
    const QString sticker = in.obleaAnt.trimmed();
    if ((kind == QLatin1String("M") || kind == QLatin1String("R")) && options.checksReusedSticker &&
        db.stickerReplacedBy && !sticker.isEmpty()) {
        if (const auto replacedBy = db.stickerReplacedBy(sticker)) {
            const QString text = QStringLiteral("Oblea ") + sticker +
                                 QStringLiteral(" ya asignada. Se reemplazo por ") + replacedBy->trimmed() +
                                 QStringLiteral(" Sigue?");
            if (!run.question(6, text))
                run.r.ok = false;
        }
    }
    if (!exempt) {
        run.markIfBlank(7, in.codigoPostal, QStringLiteral("CodigoEdit"));
        run.markIfBlank(7, in.localidad, QStringLiteral("LocalidadEdit"));
        run.markIfBlank(7, in.telefono, QStringLiteral("TelefonoEdit"));
    }
    run.markIfBlank(8, in.regulador.codigo, QStringLiteral("CodigoRegularEdit"));
    run.markIfBlank(8, in.regulador.nroSerie, QStringLiteral("NroSerieReguladorEdit"));
    // Only catalogue codes reach the PEC, however the field was left.
    const std::pair<QString, QString> codes[] = {{in.regulador.codigo, QStringLiteral("CodigoRegularEdit")},
                                                 {secondRegulatorCode, QStringLiteral("CodigoReguladorNuevoEdit")}};
    for (const auto &[code, field] : codes) {
        if (!blank(code) && db.regulatorExists && !db.regulatorExists(code.trimmed())) {
            run.mark(8, field);
            run.error(8, field, QStringLiteral("Código de Regulador no encontrado."));
        }
    }
    if (in.cylinders.isEmpty())
        run.error(9, {}, QStringLiteral("No se han ingresado cilindro[s]."));
    if (!dismantling) {
        if (in.fechaMontaje.daysTo(in.fechaVencimiento) > 366) {
            run.mark(10, QStringLiteral("DateTimePickerMontaje"));
            run.error(10, QStringLiteral("DateTimePickerMontaje"),
                      QStringLiteral("El vencimiento no puede ser mayor a un año."));
            run.r.focus = QStringLiteral("DateTimePickerMontaje");
        }
        if (in.fechaVencimiento <= in.fechaHabilitacion) {
            run.mark(11, QStringLiteral("DateTimePickerVencimiento"));
            run.error(11, QStringLiteral("DateTimePickerVencimiento"),
                      QStringLiteral("El vencimiento no puede ser menor a la fecha de montaje."));
            run.r.focus = QStringLiteral("DateTimePickerVencimiento");
        }
    }
    if (!run.r.ok)
        return run.r;

    // 12 and 13 only while everything above passed.
    run.r.hydraulicPassRan = true;
    if (hydraulicPassStarts)
        hydraulicPassStarts();
    if (dismantling)
        return run.r;
    for (const CylinderRow &c : in.cylinders) {
        if (retired(c))
            continue;
        int month = 0, year = 0;
        // A date that cannot be read would let the cylinder skip its test rule.
        if (!Cylinders::SplitMonthYear(c.uphFecha, &month, &year)) {
            run.warning(12, Cylinders::UnreadableTestDateText(c));
            return run.r;
        }
        switch (Cylinders::PhDueStatus(month, year, in.fechaHabilitacion)) {
        case Cylinders::PhStatus::Required:
            run.warning(12, QStringLiteral("Este vehículo debe realizar Prueba Hidraulica."));
            run.r.expiry = options.today;
            run.r.phRequired = true;
            return run.r;
        case Cylinders::PhStatus::DueWithinYear:
            run.r.expiry = Cylinders::ExpiryLimitOnSave(month, in.fechaHabilitacion, options.today);
            break;
        case Cylinders::PhStatus::Valid:
            break;
        }
    }
    // Every cylinder is looked at, so a fault of a later one is reported
    // whatever the first one holds; each message once.
    QStringList faults;
    for (const CylinderRow &c : in.cylinders) {
        const bool fab = c.uphTaller.trimmed() == QLatin1String("FAB");
        const bool hasCert = !blank(c.nroCertif);
        QStringList found;
        if (!retired(c) && !fab && !hasCert)
            found << QStringLiteral("No se ingreso el número de Certificado.");
        if (!retired(c) && fab && hasCert)
            found << QStringLiteral("Siendo FAB no puede tener número de certificado.");
        if (fab && c.fabricac.trimmed() != c.uphFecha.trimmed())
            found << QStringLiteral("Siendo FAB la fecha de fabricación y última prueba hidraulica deben ser iguales.");
        for (const QString &f : std::as_const(found))
            if (!faults.contains(f))
                faults << f;
    }
    for (const QString &f : std::as_const(faults))
        run.warning(13, f);
    return run.r;
}

} // namespace Validation
