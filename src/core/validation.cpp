#include "core/validation.h"

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
        return p.ask(text);
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

Result Check(const Input &in, const Lookups &db, Prompter &prompter)
{
    Run run{Result{}, prompter};
    run.r.expiry = in.expiry;
    const QString kind = in.kind;
    const bool exempt = in.domain.trimmed() == QLatin1String("AAA000");
    const bool dismantling = kind == QLatin1String("B") || kind == QLatin1String("D");

    // 1-11 all run so that one attempt marks every missing field.
    if (kind == QLatin1String("C") && db.domainExists && db.domainExists(in.domain.trimmed())) {
        if (!run.question(1, QStringLiteral("El dominio ingresado ya figura en la base de datos. Sigue?")))
            run.r.ok = false;
    }
    if (kind != QLatin1String("C"))
        run.markIfBlank(2, in.previousSticker, QStringLiteral("ObleaAntEdit"));
    run.markIfBlank(3, in.domain, QStringLiteral("DominioEdit"));
    run.markIfBlank(4, in.brand, QStringLiteral("MarcaEdit"));
    run.markIfBlank(4, in.model, QStringLiteral("ModeloEdit"));
    run.markIfBlank(4, in.ownerName, QStringLiteral("NombreEdit"));
    if (!exempt) {
        run.markIfBlank(5, in.docType, QStringLiteral("DNIComboBox"));
        run.markIfBlank(5, in.docNumber, QStringLiteral("NroDocEdit"));
        run.markIfBlank(5, in.street, QStringLiteral("CalleEdit"));
    }
    if ((kind == QLatin1String("M") || kind == QLatin1String("R")) && in.checksReusedSticker && db.stickerReplacedBy) {
        const QString sticker = in.previousSticker.trimmed();
        if (const auto replacedBy = db.stickerReplacedBy(sticker)) {
            const QString text = QStringLiteral("Oblea ") + sticker +
                                 QStringLiteral(" ya asignada. Se reemplazo por ") + replacedBy->trimmed() +
                                 QStringLiteral(" Sigue?");
            if (!run.question(6, text))
                run.r.ok = false;
        }
    }
    if (!exempt) {
        run.markIfBlank(7, in.postalCode, QStringLiteral("CodigoEdit"));
        run.markIfBlank(7, in.locality, QStringLiteral("LocalidadEdit"));
        run.markIfBlank(7, in.telephone, QStringLiteral("TelefonoEdit"));
    }
    run.markIfBlank(8, in.regulatorCode, QStringLiteral("CodigoRegularEdit"));
    run.markIfBlank(8, in.regulatorSerial, QStringLiteral("NroSerieReguladorEdit"));
    if (in.cylinders.isEmpty())
        run.error(9, {}, QStringLiteral("No se han ingresado cilindro[s]."));
    if (!dismantling) {
        if (in.mounting.daysTo(in.expiry) > 366) {
            run.mark(10, QStringLiteral("DateTimePickerMontaje"));
            run.error(10, QStringLiteral("DateTimePickerMontaje"),
                      QStringLiteral("El vencimiento no puede ser mayor a un año."));
            run.r.focus = QStringLiteral("DateTimePickerMontaje");
        }
        if (in.expiry <= in.enabling) {
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
    if (dismantling)
        return run.r;
    for (const CylinderRow &c : in.cylinders) {
        if (retired(c))
            continue;
        int month = 0, year = 0;
        if (!Cylinders::SplitMonthYear(c.uphFecha, &month, &year))
            continue;
        switch (Cylinders::PhDueStatus(month, year, in.enabling)) {
        case Cylinders::PhStatus::Required:
            run.warning(12, QStringLiteral("Este vehículo debe realizar Prueba Hidraulica."));
            run.r.expiry = in.today;
            run.r.phRequired = true;
            return run.r;
        case Cylinders::PhStatus::DueWithinYear:
            run.r.expiry = Cylinders::ExpiryLimitOnSave(month, in.enabling, in.today);
            break;
        case Cylinders::PhStatus::Valid:
            break;
        }
    }
    for (const CylinderRow &c : in.cylinders) {
        const bool fab = c.uphTaller.trimmed() == QLatin1String("FAB");
        const bool hasCert = !blank(c.nroCertif);
        if (!retired(c) && !fab && !hasCert) {
            run.warning(13, QStringLiteral("No se ingreso el número de Certificado."));
            return run.r;
        }
        if (!retired(c) && fab && hasCert) {
            run.warning(13, QStringLiteral("Siendo FAB no puede tener número de certificado."));
            return run.r;
        }
        if (fab && c.fabricac.trimmed() != c.uphFecha.trimmed()) {
            run.warning(
                13, QStringLiteral("Siendo FAB la fecha de fabricación y última prueba hidraulica deben ser iguales."));
            return run.r;
        }
    }
    return run.r;
}

} // namespace Validation
