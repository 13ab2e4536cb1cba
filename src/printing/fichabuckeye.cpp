#include "printing/fichabuckeye.h"

#include "core/fichavalues.h"

#include <memory>

namespace Ficha
{

using Report::Layout;

// The new-regulator "X" of the blank family.
static constexpr double kRegNuevoSi = 88.9;
static constexpr double kRegNuevoNo = 98.4;

void FillGenerica(Layout &l, const FichaData &d, bool crpcFillsActual)
{
    l.setText(QStringLiteral("QRHabilitacion"), ShortDate(d.enablingDate));
    l.setText(QStringLiteral("QRVencimiento"), ShortDate(d.expiryDate));
    l.setText(QStringLiteral("QRObleaAnterior"), d.previousSticker);
    l.setText(QStringLiteral("QRObleaNueva"), d.newSticker);
    l.setText(QStringLiteral("QRLabelPEC"), d.pecCode);

    const WorkshopLines w = AssociatedWorkshopLines(d);
    l.setText(QStringLiteral("QRTaller"), w.code);
    l.setText(QStringLiteral("QRLabel1"), w.address);
    l.setText(QStringLiteral("QRLabelDireccion1"), w.phoneLine);
    l.setText(QStringLiteral("QRLabelDireccion2"), QString());
    l.setText(QStringLiteral("QRLabel3"), w.repName);
    l.setText(QStringLiteral("QRLabel4"), w.repMatricula);
    l.setText(QStringLiteral("QRLabel5"), w.name);
    l.setText(QStringLiteral("QRLabel6"), w.cuit);

    l.setText(QStringLiteral("QRMarca"), d.brand);
    l.setText(QStringLiteral("QRModelo"), d.model);
    l.setText(QStringLiteral("QRAnio"), QString::number(d.modelYear));
    l.setText(QStringLiteral("QRLabelTipoOperacion"), OperationKindText(d.operationKind));
    l.setText(QStringLiteral("QRDominio"), d.domain);
    l.setText(QStringLiteral("QRInyeccion"), InjectionText(d.injection));
    l.setText(QStringLiteral("QRTipo"), UseTypeText(d.useType));

    l.setText(QStringLiteral("QRPropietario"), d.ownerName);
    l.setText(QStringLiteral("QRCalle"), d.street);
    l.setText(QStringLiteral("QRCodigoPostal"), d.postalCode);
    l.setText(QStringLiteral("QRLocalidad"), d.locality);
    l.setText(QStringLiteral("QRProvincia"), d.province);
    l.setText(QStringLiteral("QRTE"), d.phone);
    l.setText(QStringLiteral("QRTipoDoc"), d.docType);
    l.setText(QStringLiteral("QRNroDoc"), d.docNumber);
    l.setText(QStringLiteral("QRObs"), d.observations);

    const RegulatorBoxes r = AssignRegulator(d, crpcFillsActual);
    l.setText(QStringLiteral("QRRegActualCode"), r.actualCode);
    l.setText(QStringLiteral("QRRegActualNro"), r.actualNro);
    l.setText(QStringLiteral("QRRegMontajeCode"), r.montajeCode);
    l.setText(QStringLiteral("QRRegMontajeNro"), r.montajeNro);
    l.setText(QStringLiteral("QRRegDesmontajeCode"), r.desmontajeCode);
    l.setText(QStringLiteral("QRRegDesmontajeNro"), r.desmontajeNro);
    l.setText(QStringLiteral("QRRegBajaCode"), r.bajaCode);
    l.setText(QStringLiteral("QRRegBajaNro"), r.bajaNro);
    l.setLeft(QStringLiteral("QRRegNuevo"), RegulatorMarkerAtNo(d.regulatorNew) ? kRegNuevoNo : kRegNuevoSi);

    for (int i = 0; i < 4; ++i)
        l.setText(QStringLiteral("QRSello%1").arg(i + 1), d.stamps.value(i));

    if (!d.keepsLayoutRepresentative) {
        l.setText(QStringLiteral("QRRepTecPec"), d.pecRepName);
        l.setText(QStringLiteral("QRRepTecPECMat"), QStringLiteral("Mat. ") + d.pecRepMatricula);
    }
}

void FillAccessories(Layout &l, const FichaData &d)
{
    static const char *const keys[kAccessoryCount] = {"Sujeccion", "ElectroNaf", "ElectroGnc",      "Dosificador",
                                                      "Venteo",    "Llave",      "ValvulaCargaInt", "ValvulaCargaExt",
                                                      "Manguera",  "Manometro",  "Accesorio",       "Tubo"};
    for (int i = 0; i < kAccessoryCount; ++i) {
        const QString key = QLatin1String(keys[i]);
        l.setText(QStringLiteral("QRLabel%1_cod").arg(key), d.accessories[i].code);
        l.setText(QStringLiteral("QRLabel%1_nro").arg(key), d.accessories[i].serial);
    }
}

Report::ReportForm MakeBuckeyeForm(const FichaData &d, int globalCopies)
{
    Report::ReportForm form = Report::ReportForm::load(QStringLiteral("TQFichaBuckeyeForm"));
    Layout &l = form.layout();
    FillGenerica(l, d, true);
    FillAccessories(l, d);
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("QRLabelQuince%1").arg(i + 1);
        l.setText(name, d.letterhead.value(i));
        l.setVisible(name, d.printsLetterheadLines);
    }
    l.copies = FichaCopies(l.name, l.copies, globalCopies, d.copies);

    QVector<QVariantMap> rows;
    rows.reserve(d.cylinders.size());
    for (const PreparedCylinderRow &c : d.cylinders)
        rows.append(c.toMap());
    form.bindRows(std::make_shared<Report::VectorRowSource>(std::move(rows), PreparedCylinderRow::fieldNames()));
    return form;
}

void PrintBuckeye(const FichaData &d, int globalCopies, QWidget *parent)
{
    Report::ReportForm form = MakeBuckeyeForm(d, globalCopies);
    form.preview(parent);
}

} // namespace Ficha
