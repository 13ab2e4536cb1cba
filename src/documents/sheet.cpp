#include "documents/sheet.h"

#include "data/localstore.h"
#include "data/sheetrepository.h"
#include "documents/registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace Documents
{

namespace
{

// The accessory boxes' keys, in the order of FichaData::accessories.
const char *const kAccessoryKeys[kAccessoryCount] = {"Sujeccion", "ElectroNaf", "ElectroGnc",      "Dosificador",
                                                     "Venteo",    "Llave",      "ValvulaCargaInt", "ValvulaCargaExt",
                                                     "Manguera",  "Manometro",  "Accesorio",       "Tubo"};

void setLines(Report::Values &v, const QString &prefix, const Ficha::WorkshopLines &w)
{
    v.set(prefix + QStringLiteral(".Code"), w.code);
    v.set(prefix + QStringLiteral(".Name"), w.name);
    v.set(prefix + QStringLiteral(".Address"), w.address);
    v.set(prefix + QStringLiteral(".Cuit"), w.cuit);
    v.set(prefix + QStringLiteral(".RepName"), w.repName);
    v.set(prefix + QStringLiteral(".RepMatricula"), w.repMatricula);
    v.set(prefix + QStringLiteral(".PhoneLine"), w.phoneLine);
}

QVariantMap workTableRow(const CylinderRow &c)
{
    return {{QStringLiteral("NROSERIE"), c.nroSerie},      {QStringLiteral("CODIGO"), c.codigo},
            {QStringLiteral("GESTION"), c.gestion},        {QStringLiteral("CAPACIDAD"), c.capacidad},
            {QStringLiteral("FABRICAC"), c.fabricac},      {QStringLiteral("UPHTALLER"), c.uphTaller},
            {QStringLiteral("UPHFECHA"), c.uphFecha},      {QStringLiteral("UPHRESULT"), c.uphResult},
            {QStringLiteral("FECVENCRPC"), c.fecVencCrpc}, {QStringLiteral("CNUEVO"), c.cNuevo},
            {QStringLiteral("VALCOD"), c.valCod},          {QStringLiteral("VALNRO"), c.valNro},
            {QStringLiteral("VALGEST"), c.valGest},        {QStringLiteral("RVALCOD"), c.rvalCod},
            {QStringLiteral("RVALNRO"), c.rvalNro},        {QStringLiteral("RVALGEST"), c.rvalGest},
            {QStringLiteral("NROCERTIF"), c.nroCertif}};
}

QStringList workTableFields()
{
    return {QStringLiteral("NROSERIE"),  QStringLiteral("CODIGO"),    QStringLiteral("GESTION"),
            QStringLiteral("CAPACIDAD"), QStringLiteral("FABRICAC"),  QStringLiteral("UPHTALLER"),
            QStringLiteral("UPHFECHA"),  QStringLiteral("UPHRESULT"), QStringLiteral("FECVENCRPC"),
            QStringLiteral("CNUEVO"),    QStringLiteral("VALCOD"),    QStringLiteral("VALNRO"),
            QStringLiteral("VALGEST"),   QStringLiteral("RVALCOD"),   QStringLiteral("RVALNRO"),
            QStringLiteral("RVALGEST"),  QStringLiteral("NROCERTIF")};
}

const QString kPrepared = QStringLiteral("prepared");
const QString kWork = QStringLiteral("work");

// The PEC's logo of the profile; none when the profile names none (the
// product's own logo has no place on a PEC's sheet).
QString profileLogo(const FichaData &d)
{
    const QString own = QStringLiteral(":/documents/logos/") + d.logo;
    return !d.logo.isEmpty() && QFile::exists(own) ? own : QString();
}

// A logo file the workshop put in `dir` takes the place of the PEC's.
QString logoIn(const QDir &dir, const QString &file, const FichaData &d)
{
    const QFileInfo fi(dir, file);
    return fi.exists() ? fi.absoluteFilePath() : profileLogo(d);
}

} // namespace

QString SheetLogo(const FichaData &d)
{
    return logoIn(QDir::current(), QStringLiteral("LogoTarvil.jpg"), d);
}

QString WorkingFolderLogo(const FichaData &d)
{
    const QDir dir = d.workingFolder.isEmpty() ? QDir::current() : QDir(QDir::fromNativeSeparators(d.workingFolder));
    return logoIn(dir, QStringLiteral("logotarvil.jpg"), d);
}

namespace
{

} // namespace

Report::Values SheetValues(const FichaData &d)
{
    using namespace Ficha;
    Report::Values v;
    const auto set = [&v](const char *name, const QVariant &value) { v.set(QLatin1String(name), value); };

    set("Blank", d.blank);
    set("Kind", d.operationKind);
    set("KindText", OperationKindText(d.operationKind));
    set("KindTextLong", OperationKindTextLong(d.operationKind));
    set("PreviousSticker", d.previousSticker);
    set("NewSticker", d.newSticker);
    set("EnablingDate", ShortDate(d.enablingDate));
    set("ExpiryDate", ShortDate(d.expiryDate));
    set("InstallationDate", ShortDate(d.installationDate));
    set("PecCode", d.pecCode);

    set("Brand", d.brand);
    set("Model", d.model);
    set("ModelYear", d.modelYear > 0 ? QString::number(d.modelYear) : QString());
    set("Domain", d.domain);
    set("Injection", d.blank ? QString() : InjectionText(d.injection));
    set("UseType", d.useType);
    set("UseTypeText", UseTypeText(d.useType));

    set("Owner.Name", d.ownerName);
    set("Owner.DocType", d.docType);
    set("Owner.DocNumber", d.docNumber);
    set("Owner.Street", d.street);
    set("Owner.Neighbourhood", d.neighbourhood);
    set("Owner.PostalCode", d.postalCode);
    set("Owner.Locality", d.locality);
    set("Owner.Province", d.province);
    set("Owner.Phone", d.phone);
    set("Observations", d.observations);

    set("Regulator.New", d.regulatorNew);
    set("Regulator.Management", d.regulatorManagement);
    set("Regulator.Code", d.regulatorCode);
    set("Regulator.Serial", d.regulatorSerial);
    set("Regulator.NewCode", d.newRegulatorCode);
    set("Regulator.NewSerial", d.newRegulatorSerial);
    const RegulatorBoxes r = AssignRegulator(d, true);
    set("Regulator.ActualCode", r.actualCode);
    set("Regulator.ActualSerial", r.actualNro);
    set("Regulator.MountedCode", r.montajeCode);
    set("Regulator.MountedSerial", r.montajeNro);
    set("Regulator.DismountedCode", r.desmontajeCode);
    set("Regulator.DismountedSerial", r.desmontajeNro);
    set("Regulator.RemovedCode", r.bajaCode);
    set("Regulator.RemovedSerial", r.bajaNro);

    for (int i = 0; i < kAccessoryCount; ++i) {
        const QString key = QStringLiteral("Accessory.") + QLatin1String(kAccessoryKeys[i]);
        v.set(key + QStringLiteral(".Code"), d.accessories[i].code);
        v.set(key + QStringLiteral(".Serial"), d.accessories[i].serial);
    }

    const WorkshopRecord &own = d.ownWorkshop;
    set("Workshop.Enabled", d.workshopEnabled);
    set("Workshop.Code", own.code);
    set("Workshop.Name", own.name);
    set("Workshop.Address", own.address);
    set("Workshop.Cuit", own.cuit);
    set("Workshop.RepName", own.repName);
    set("Workshop.RepMatricula", own.repMatricula);
    set("Workshop.Phone", own.phone);
    setLines(v, QStringLiteral("Associated"), AssociatedWorkshopLines(d));
    setLines(v, QStringLiteral("Marks"), QuestionMarkWorkshopLines(d));
    setLines(v, QStringLiteral("Fixed"), FixedWorkshopLines(d));
    const WorkshopRow row = d.ownRow.value_or(WorkshopRow{});
    set("State.Estado", row.enabled);
    set("State.Code", StateWorkshopCode(d));
    set("State.Name", row.name);
    set("State.Address", row.street + QLatin1Char(' ') + row.number);
    set("Record.Code", row.code);
    set("Record.Name", row.name);
    set("Record.Cuit", row.cuit);
    set("Record.Phone", row.phone);
    for (int i = 0; i < 4; ++i) {
        v.set(QStringLiteral("Record.Stamp%1").arg(i + 1), row.stamps.value(i));
        v.set(QStringLiteral("Stamp%1").arg(i + 1), d.stamps.value(i));
        v.set(QStringLiteral("Profile.Letterhead%1").arg(i + 1), d.letterhead.value(i));
    }
    set("Viewed.WorkshopCode", d.viewedWorkshopCode);

    set("PecRep.Name", d.pecRepName);
    set("PecRep.Matricula", d.pecRepMatricula);
    set("PecRep.DocNumber", d.pecRepDocNumber);
    set("Profile.PrintsLetterhead", d.printsLetterheadLines);
    set("Profile.KeepsRepresentative", d.keepsLayoutRepresentative);
    set("Copies.Workshop", d.workshopCopies);
    set("Copies.Buckeye", d.buckeyeCopies);
    set("Logo", SheetLogo(d));
    set("Logo.WorkingFolder", WorkingFolderLogo(d));
    return v;
}

std::shared_ptr<const Report::RowSource> SheetRows(const FichaData &d, const QString &rows)
{
    QVector<QVariantMap> maps;
    if (rows == kPrepared) {
        maps.reserve(d.cylinders.size());
        for (const PreparedCylinderRow &c : d.cylinders)
            maps.append(c.toMap());
        return std::make_shared<Report::VectorRowSource>(std::move(maps), PreparedCylinderRow::fieldNames());
    }
    if (rows == kWork) {
        maps.reserve(d.workCylinders.size());
        for (const CylinderRow &c : d.workCylinders)
            maps.append(workTableRow(c));
        return std::make_shared<Report::VectorRowSource>(std::move(maps), workTableFields());
    }
    throw std::runtime_error(QStringLiteral("Filas de ficha desconocidas \"%1\"").arg(rows).toStdString());
}

Report::ReportForm MakeSheet(const QString &layout, const FichaData &d)
{
    const Entry *entry = Find(layout);
    if (!entry)
        throw std::runtime_error(QStringLiteral("No se encuentra el diseño %1").arg(layout).toStdString());
    Report::ReportForm form(LoadLayout(layout));
    auto values = std::make_shared<Report::Values>(SheetValues(d));
    if (entry->hook)
        entry->hook(*values);
    form.bindValues(values);
    form.bindRows(SheetRows(d, form.layout().rows));
    return form;
}

void PrintSheet(const QString &layout, const FichaData &d, QWidget *parent)
{
    Report::ReportForm form = MakeSheet(layout, d);
    form.preview(parent);
}

void StorePrintCylinders(LocalTable &printable, const QVector<PreparedCylinderRow> &rows)
{
    if (!printable.isOpen())
        printable.open();
    printable.empty();
    for (const PreparedCylinderRow &r : rows) {
        printable.append();
        const QVariantMap m = r.toMap();
        for (auto it = m.begin(); it != m.end(); ++it)
            if (printable.fieldIndex(it.key()) >= 0 && it.value().isValid())
                printable.setValue(it.key(), it.value());
        printable.post();
    }
}

void LoadWorkshopRows(FichaData &d, const QString &workshopCode)
{
    const std::optional<WorkshopRow> own = SheetRepository::Workshop(workshopCode);
    std::optional<WorkshopRow> associated;
    if (own && own->enabled == 0 && !own->associatedCode.isEmpty())
        associated = SheetRepository::Workshop(own->associatedCode);
    Ficha::ApplyWorkshopRows(d, own, associated);
}

// Only the layouts over the prepared list rebuild it (and read the catalogue).
bool ListsPreparedCylinders(const QString &layout)
{
    return LoadLayout(layout).rows == kPrepared;
}

void ReadSheetSources(FichaData &d, bool preparedList, const QString &workshopCode,
                      const QVector<CylinderRow> &cylinders)
{
    LoadWorkshopRows(d, workshopCode);
    d.workCylinders = cylinders;
    d.cylinders.clear();
    if (preparedList)
        d.cylinders = Ficha::PrepareCylinders(d.workCylinders, SheetRepository::CylinderValidity());
}

void LoadSheetSources(FichaData &d, const QString &layout, const QString &workshopCode,
                      const QVector<CylinderRow> &cylinders, LocalTable &printable)
{
    const bool prepared = ListsPreparedCylinders(layout);
    ReadSheetSources(d, prepared, workshopCode, cylinders);
    if (prepared)
        StorePrintCylinders(printable, d.cylinders);
}

QVector<PreparedCylinderRow> PreparePrintCylinders(const QVector<CylinderRow> &cylinders, LocalTable &printable,
                                                   const Ficha::ValidityLookup &validity)
{
    const QVector<PreparedCylinderRow> rows = Ficha::PrepareCylinders(cylinders, validity);
    StorePrintCylinders(printable, rows);
    return rows;
}

} // namespace Documents
