#include "core/fichavalues.h"

#include "core/global.h"
#include "core/installationprofile.h"

#include <QRegularExpression>

QVariantMap PreparedCylinderRow::toMap() const
{
    QVariantMap m;
    m.insert(QStringLiteral("CODIGO"), codigo);
    m.insert(QStringLiteral("NROSERIE"), nroSerie);
    m.insert(QStringLiteral("CAPACIDAD"), capacidad ? QVariant(*capacidad) : QVariant());
    m.insert(QStringLiteral("FABRICAC"), fabricac);
    m.insert(QStringLiteral("UPHTALLER"), uphTaller);
    m.insert(QStringLiteral("UPHFECHA"), uphFecha);
    m.insert(QStringLiteral("CILVENC"), cilVenc);
    m.insert(QStringLiteral("CNUEVO"), cNuevo);
    m.insert(QStringLiteral("UPHRESULT"), uphResult);
    m.insert(QStringLiteral("GESTION"), gestion);
    m.insert(QStringLiteral("VALCOD"), valCod);
    m.insert(QStringLiteral("VALNRO"), valNro);
    m.insert(QStringLiteral("VALGEST"), valGest);
    m.insert(QStringLiteral("NROCERTIF"), nroCertif);
    return m;
}

QStringList PreparedCylinderRow::fieldNames()
{
    return {QStringLiteral("CODIGO"),   QStringLiteral("NROSERIE"),  QStringLiteral("CAPACIDAD"),
            QStringLiteral("FABRICAC"), QStringLiteral("UPHTALLER"), QStringLiteral("UPHFECHA"),
            QStringLiteral("CILVENC"),  QStringLiteral("CNUEVO"),    QStringLiteral("UPHRESULT"),
            QStringLiteral("GESTION"),  QStringLiteral("VALCOD"),    QStringLiteral("VALNRO"),
            QStringLiteral("VALGEST"),  QStringLiteral("NROCERTIF")};
}

namespace Ficha
{

QString ShortDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString CilVenc(const QString &uphFecha, std::optional<int> validityYears)
{
    // A blank or half-typed test date would otherwise print as "/5" or a
    // year zero; an empty expiry is the honest value.
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{2})/(\\d{4})\\s*$"));
    const auto m = re.match(uphFecha);
    if (!m.hasMatch())
        return {};
    const int years = validityYears.value_or(kDefaultValidityYears);
    return m.captured(1) + QLatin1Char('/') + QString::number(m.captured(2).toInt() + years);
}

QString UphResultWord(const QString &uphResult)
{
    // The work table holds the words, the central tables the letters.
    const QString r = uphResult.trimmed().toUpper();
    if (r.startsWith(QLatin1Char('A')))
        return QStringLiteral("APROBADO");
    if (r.startsWith(QLatin1Char('R')))
        return QStringLiteral("RECHAZADO");
    return {};
}

QVector<PreparedCylinderRow> PrepareCylinders(const QVector<CylinderRow> &rows, const ValidityLookup &validity)
{
    QVector<PreparedCylinderRow> out;
    out.reserve(rows.size() * 2);
    for (const CylinderRow &r : rows) {
        PreparedCylinderRow p;
        p.codigo = r.codigo;
        p.nroSerie = r.nroSerie;
        p.capacidad = r.capacidad;
        p.fabricac = r.fabricac;
        p.uphTaller = r.uphTaller;
        p.uphFecha = r.uphFecha;
        p.cilVenc = CilVenc(r.uphFecha, validity ? validity(r.codigo) : std::nullopt);
        p.cNuevo = r.cNuevo == QLatin1String("SI") ? QStringLiteral("SI") : QStringLiteral("NO");
        p.uphResult = UphResultWord(r.uphResult);
        p.gestion = r.gestion;
        p.valCod = r.valCod;
        p.valNro = r.valNro;
        p.valGest = r.valGest;
        p.nroCertif = r.nroCertif;
        out.append(p);
        if (!r.rvalCod.trimmed().isEmpty()) {
            PreparedCylinderRow v;
            v.valveOnly = true;
            v.valCod = r.rvalCod;
            v.valNro = r.rvalNro;
            v.valGest = r.rvalGest;
            out.append(v);
        }
    }
    return out;
}

QString OperationKindText(const QString &kind)
{
    if (kind == QLatin1String("C"))
        return QStringLiteral("CONVERSION");
    if (kind == QLatin1String("M"))
        return QStringLiteral("MODIFICACION");
    if (kind == QLatin1String("R"))
        return QStringLiteral("REVISION ANUAL");
    if (kind == QLatin1String("B"))
        return QStringLiteral("DESMONTAJE");
    if (kind == QLatin1String("X"))
        return QStringLiteral("REVISION CRPC");
    return {};
}

QString OperationKindTextLong(const QString &kind)
{
    if (kind == QLatin1String("H"))
        return QStringLiteral("REEMPLAZO VALVULA");
    if (kind == QLatin1String("D"))
        return QStringLiteral("DESMONTAJE");
    if (kind == QLatin1String("B"))
        return QStringLiteral("BAJA");
    return OperationKindText(kind);
}

QString InjectionText(const QString &injection)
{
    return injection == QLatin1String("SI") ? QStringLiteral("SI") : QStringLiteral("NO");
}

QString UseTypeText(const QString &useType)
{
    return useType == QLatin1String("AUTOELEVADORES") ? QStringLiteral("AUTOELEVADOR") : useType;
}

RegulatorBoxes AssignRegulator(const FichaData &d, bool crpcFillsActual)
{
    RegulatorBoxes b;
    const QString &k = d.operationKind;
    const QString &g = d.regulatorManagement;
    auto put = [&](QString &code, QString &nro) {
        code = d.regulatorCode;
        nro = d.regulatorSerial;
    };
    if (k == QLatin1String("R") || (k == QLatin1String("X") && crpcFillsActual)) {
        put(b.actualCode, b.actualNro);
    } else if (k == QLatin1String("C")) {
        put(b.montajeCode, b.montajeNro);
    } else if (k == QLatin1String("B")) {
        if (g == QLatin1String("DESMONTAJE"))
            put(b.desmontajeCode, b.desmontajeNro);
        else if (g == QLatin1String("BAJA"))
            put(b.bajaCode, b.bajaNro);
    } else if (k == QLatin1String("M")) {
        if (g == QLatin1String("SIN CAMBIOS"))
            put(b.actualCode, b.actualNro);
        else if (g == QLatin1String("DESMONTAJE"))
            put(b.desmontajeCode, b.desmontajeNro);
        else if (g == QLatin1String("BAJA"))
            put(b.bajaCode, b.bajaNro);
        if (!d.newRegulatorCode.trimmed().isEmpty()) {
            b.actualCode = d.newRegulatorCode;
            b.actualNro = d.newRegulatorSerial;
        }
    }
    return b;
}

bool RegulatorMarkerAtNo(const QString &regulatorNew)
{
    return regulatorNew == QLatin1String("NO");
}

static WorkshopLines ownLines(const WorkshopRecord &w)
{
    // No telephone known (an empty sheet, a row without one): no bare "Tel.: ".
    const QString phone = w.phone.trimmed();
    return {w.code,
            w.name,
            w.address,
            w.cuit,
            w.repName,
            w.repMatricula,
            phone.isEmpty() ? QString() : QStringLiteral("Tel.: ") + phone};
}

WorkshopLines AssociatedWorkshopLines(const FichaData &d)
{
    if (d.workshopEnabled)
        return ownLines(d.ownWorkshop);
    if (!d.associatedWorkshop)
        return {};
    const WorkshopRecord &a = *d.associatedWorkshop;
    return {a.code, a.name, a.address, a.cuit, a.repName, a.repMatricula, a.phone};
}

WorkshopLines QuestionMarkWorkshopLines(const FichaData &d)
{
    if (d.workshopEnabled)
        return ownLines(d.ownWorkshop);
    const QString blank(QLatin1Char(' '));
    return {QStringLiteral("??????"), blank, blank, blank, blank, blank, QString()};
}

WorkshopLines FixedWorkshopLines(const FichaData &d)
{
    if (d.workshopEnabled)
        return ownLines(d.ownWorkshop);
    const FixedWorkshopIdentity &f = d.fixedWorkshop;
    return {f.code, f.name, f.address, f.cuit, f.repName, f.repMatricula, f.phone};
}

QString StateWorkshopCode(const FichaData &d)
{
    if (!d.ownRow)
        return {};
    return d.ownRow->enabled != 0 ? d.ownRow->code : d.ownRow->associatedCode;
}

static WorkshopRecord recordOf(const WorkshopRow &r)
{
    return {r.code, r.name, r.street + QLatin1Char(' ') + r.number, r.cuit, r.repName, r.repMatricula, r.phone};
}

void ApplyWorkshopRows(FichaData &d, const std::optional<WorkshopRow> &own,
                       const std::optional<WorkshopRow> &associated)
{
    d.ownRow = own;
    d.workshopEnabled = own && own->enabled != 0;
    if (own)
        d.ownWorkshop.phone = own->phone;
    d.associatedWorkshop.reset();
    if (!d.workshopEnabled && associated)
        d.associatedWorkshop = recordOf(*associated);
}

void ApplyGlobal(FichaData &d, const GlobalState &g)
{
    d.pecCode = g.PecCode;
    d.ownWorkshop.code = g.WorkshopCode;
    d.ownWorkshop.name = g.WorkshopName;
    d.ownWorkshop.address = g.WorkshopAddress2;
    d.ownWorkshop.cuit = g.WorkshopCuit;
    d.ownWorkshop.repName = g.RepName;
    d.ownWorkshop.repMatricula = g.RepMatricula;
    d.stamps = {g.Stamp1, g.Stamp2, g.Stamp3, g.Stamp4};
    d.pecName = g.PecName;
    d.pecAddress = g.PecAddress;
    d.pecRepName = g.PecRepName;
    d.pecRepMatricula = g.PecRepMatricula;
    d.pecRepDocNumber = g.PecRepDocNumber;
    d.workshopCopies = g.Copies;
    d.workingFolder = g.WorkingFolder;
}

QStringList LetterheadLines(const QVector<LetterheadLine> &lines, const FichaData &d)
{
    QStringList out;
    for (const LetterheadLine line : lines) {
        switch (line) {
        case LetterheadLine::PecName:
            out << d.pecName.trimmed();
            break;
        case LetterheadLine::PecCaption:
            out << QStringLiteral("Productor de Equipos Completos");
            break;
        case LetterheadLine::PecAddress:
            out << d.pecAddress.trimmed();
            break;
        case LetterheadLine::PecRepName:
            out << d.pecRepName.trimmed();
            break;
        case LetterheadLine::PecRepMatricula:
            out << (d.pecRepMatricula.trimmed().isEmpty() ? QString()
                                                          : QStringLiteral("Mat. ") + d.pecRepMatricula.trimmed());
            break;
        }
    }
    return out;
}

void ApplyProfile(FichaData &d, const InstallationProfile &p)
{
    d.buckeyeCopies = p.buckeyeFichaCopies;
    d.printsLetterheadLines = p.printsLetterheadLines;
    d.letterhead = LetterheadLines(p.letterhead, d);
    d.keepsLayoutRepresentative = p.fichaKeepsLayoutRepresentative;
    d.fixedWorkshop = p.fixedWorkshop;
    d.logo = p.logo;
}

FichaData EmptySheetData(const GlobalState &g, const InstallationProfile &p)
{
    FichaData d;
    ApplyGlobal(d, g);
    ApplyProfile(d, p);
    d.blank = true;
    d.workshopEnabled = true;
    return d;
}

namespace
{

// The own `tal` row as the login read it, enabled, for the sample.
WorkshopRow sampleRow(const GlobalState &g)
{
    WorkshopRow r;
    r.code = g.WorkshopCode;
    r.name = g.WorkshopName;
    r.street = g.WorkshopAddress2;
    r.cuit = g.WorkshopCuit;
    r.repName = g.RepName;
    r.repMatricula = g.RepMatricula;
    r.enabled = 1;
    r.stamps = {g.Stamp1, g.Stamp2, g.Stamp3, g.Stamp4};
    return r;
}

CylinderRow sampleCylinder(const QString &serial, const QString &isNew)
{
    CylinderRow c;
    c.codigo = QStringLiteral("C060");
    c.nroSerie = serial;
    c.gestion = QStringLiteral("SIN CAMBIOS");
    c.capacidad = 60;
    c.fabricac = QStringLiteral("04/2019");
    c.uphTaller = QStringLiteral("CR01");
    c.uphFecha = QStringLiteral("03/2024");
    c.uphResult = QStringLiteral("A");
    c.cNuevo = isNew;
    c.valCod = QStringLiteral("V10");
    c.valNro = QStringLiteral("VAL-000001");
    c.valGest = QStringLiteral("SIN CAMBIOS");
    c.nroCertif = QStringLiteral("CR01000123");
    return c;
}

} // namespace

FichaData AlignmentSampleData(const GlobalState &g, const InstallationProfile &p, const QDate &today)
{
    FichaData d;
    ApplyGlobal(d, g);
    ApplyProfile(d, p);
    d.operationKind = QStringLiteral("R");
    d.previousSticker = QStringLiteral("0001234567");
    d.newSticker = QStringLiteral("0001234568");
    d.installationDate = today;
    d.enablingDate = today;
    d.expiryDate = today.addYears(1);
    d.brand = QStringLiteral("MARCA");
    d.model = QStringLiteral("MODELO DE PRUEBA");
    d.modelYear = today.year();
    d.domain = QStringLiteral("AA000AA");
    d.injection = QStringLiteral("SI");
    d.useType = QStringLiteral("PARTICULAR");
    d.ownerName = QStringLiteral("APELLIDO Y NOMBRE DEL TITULAR");
    d.docType = QStringLiteral("DNI");
    d.docNumber = QStringLiteral("99999999");
    d.street = QStringLiteral("CALLE DE PRUEBA 1234");
    d.neighbourhood = QStringLiteral("BARRIO");
    d.postalCode = QStringLiteral("9999");
    d.locality = g.WorkshopLocality.isEmpty() ? QStringLiteral("LOCALIDAD") : g.WorkshopLocality;
    d.province = g.WorkshopProvince.isEmpty() ? QStringLiteral("PROVINCIA") : g.WorkshopProvince;
    d.phone = QStringLiteral("0000-000000");
    d.observations = kAlignmentObservations;
    d.regulatorNew = QStringLiteral("NO");
    d.regulatorManagement = QStringLiteral("SIN CAMBIOS");
    d.regulatorCode = QStringLiteral("R001");
    d.regulatorSerial = QStringLiteral("REG-000001");
    for (int i = 0; i < kAccessoryCount; ++i)
        d.accessories[i] = {QStringLiteral("A%1").arg(i + 1, 2, 10, QLatin1Char('0')),
                            QStringLiteral("SERIE-%1").arg(i + 1, 4, 10, QLatin1Char('0'))};
    d.workshopEnabled = true;
    d.ownRow = sampleRow(g);
    d.ownWorkshop.phone = QStringLiteral("0000-000000");
    d.viewedWorkshopCode = g.WorkshopCode;
    CylinderRow replaced = sampleCylinder(QStringLiteral("CIL-000002"), QStringLiteral("NO"));
    replaced.rvalCod = QStringLiteral("V11");
    replaced.rvalNro = QStringLiteral("VAL-000003");
    replaced.rvalGest = QStringLiteral("MONTAJE");
    d.workCylinders = {sampleCylinder(QStringLiteral("CIL-000001"), QStringLiteral("SI")), replaced};
    d.cylinders = PrepareCylinders(d.workCylinders, {});
    return d;
}

QString SheetFormatLayout(int sheetFormat)
{
    if (sheetFormat == 0)
        return QStringLiteral("TQFichaTamarackA4Form");
    if (sheetFormat == 1)
        return QStringLiteral("TQFichaForm");
    return {};
}

QString AlignmentLayout(const InstallationProfile &p, int sheetFormat)
{
    const FichaChoice &c = p.fichaOnButton.kind != FichaChoice::Nothing ? p.fichaOnButton : p.fichaAfterSave;
    switch (c.kind) {
    case FichaChoice::Nothing:
        return {};
    case FichaChoice::Fixed:
        return c.layout;
    case FichaChoice::BySheetFormat:
        return SheetFormatLayout(sheetFormat);
    case FichaChoice::FormatDialog:
        return c.preprintedLayout;
    }
    return {};
}

} // namespace Ficha
