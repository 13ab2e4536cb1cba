#include "core/recall.h"

#include "core/editmask.h"
#include "core/operationkind.h"
#include "core/pendingsave.h"

namespace Recall
{

static QVariant find(const Row &row, const QString &column)
{
    const auto exact = row.constFind(column);
    if (exact != row.cend())
        return *exact;
    for (auto it = row.cbegin(); it != row.cend(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return *it;
    return {};
}

QString Text(const Row &row, const QString &column)
{
    return find(row, column).toString().trimmed();
}

QDate Date(const Row &row, const QString &column)
{
    return find(row, column).toDate();
}

static QString yesNo(const QString &letter)
{
    return letter == QLatin1String("S") ? QStringLiteral("SI") : QStringLiteral("NO");
}

void CopyOwnerAndVehicle(const Row &usr, bool keepsObservations, OperationRecord &r)
{
    r.marca = Text(usr, QStringLiteral("umarca"));
    r.modelo = Text(usr, QStringLiteral("umodelo"));
    r.tipoUso = VehicleUseText(Text(usr, QStringLiteral("utipuso")));
    bool ok = false;
    const int year = Text(usr, QStringLiteral("uano")).toInt(&ok);
    if (ok)
        r.anio = year;
    r.dominio = Text(usr, QStringLiteral("udominio"));
    r.nombre = Text(usr, QStringLiteral("uapeynom"));
    r.tipoDoc = Text(usr, QStringLiteral("utipdoc"));
    r.nroDoc = Text(usr, QStringLiteral("unrodoc"));
    r.calle = (Text(usr, QStringLiteral("ucalle")) + QLatin1Char(' ') + Text(usr, QStringLiteral("unro"))).trimmed();
    r.barrio = Text(usr, QStringLiteral("ubarrio"));
    r.codigoPostal = Text(usr, QStringLiteral("ucodpostal"));
    r.localidad = Text(usr, QStringLiteral("ulocalidad"));
    r.provincia = Text(usr, QStringLiteral("uprovincia"));
    r.telefono = Text(usr, QStringLiteral("utelefono"));
    r.caracteristica = Text(usr, QStringLiteral("UCARACT"));
    r.tipoTelefono = Text(usr, QStringLiteral("te_tipo")) == QLatin1String("CELULAR") ? QStringLiteral("CELULAR")
                                                                                      : QStringLiteral("FIJO");
    if (keepsObservations)
        r.observaciones = Text(usr, QStringLiteral("uobservac"));
    r.email = Text(usr, QStringLiteral("email"));
    r.vin = Text(usr, QStringLiteral("vin"));
    const auto &bases = PendingSave::AccessoryColumnBases();
    for (int i = 0; i < 12; ++i) {
        r.accesorios[2 * i] = Text(usr, bases[i] + QStringLiteral("_COD"));
        r.accesorios[2 * i + 1] = Text(usr, bases[i] + QStringLiteral("_NRO"));
    }
    r.inyeccion = yesNo(Text(usr, QStringLiteral("inyeccion")));
}

Copied CopyOperation(const Row &usr, Mode mode, const QString &kind, const QDate &today, bool keepsObservations,
                     OperationRecord &r)
{
    Copied c;
    CopyOwnerAndVehicle(usr, keepsObservations, r);
    c.workshopCode = Text(usr, QStringLiteral("codtal"));
    if (mode == Mode::Consultation) {
        r.kind = Text(usr, QStringLiteral("ucodgest"));
        r.obleaAnt = Text(usr, QStringLiteral("uobleaant"));
        r.obleaNew = Text(usr, QStringLiteral("uobleanew"));
        c.assignedSticker = r.obleaNew;
    } else {
        // The earlier operation's sticker is the new operation's previous one.
        r.obleaAnt = Text(usr, QStringLiteral("uobleanew"));
    }
    r.anioObleaAnt = Text(usr, QStringLiteral("uobanonew"));
    if (mode == Mode::NewOperation && kind != QLatin1String("H")) {
        const KindDates d = StandardDates(today);
        r.fechaMontaje = d.mounting;
        r.fechaHabilitacion = d.enabling;
        r.fechaVencimiento = d.expiry;
    } else {
        r.fechaMontaje = Date(usr, QStringLiteral("ufecmont"));
        r.fechaHabilitacion = Date(usr, QStringLiteral("ufechab"));
        r.fechaVencimiento = Date(usr, QStringLiteral("ufecvenhab"));
    }
    c.domainMask = OperationMasks::DomainOnRecall(r.anio, r.dominio);
    return c;
}

static RegulatorLine storedRegulator(const Row &reg, const std::function<QString(const QString &)> &brandOf)
{
    RegulatorLine line;
    line.codigo = Text(reg, QStringLiteral("rcodregh"));
    line.nroSerie = Text(reg, QStringLiteral("rnroserie"));
    line.marca = brandOf ? brandOf(line.codigo) : QString();
    line.gestion = GestionName(Text(reg, QStringLiteral("rcodgest")));
    line.nuevo = yesNo(Text(reg, QStringLiteral("rnuevo")));
    return line;
}

// The stored rows come back in key order (by serial), not in the order they
// were fitted: the retired regulator of a modification goes first, the one
// fitted by it second.
static QList<Row> retiredFirst(const QList<Row> &regs)
{
    if (regs.size() != 2)
        return regs;
    const auto retired = [](const Row &reg) {
        const QString letter = Text(reg, QStringLiteral("rcodgest"));
        return letter == QLatin1String("B") || letter == QLatin1String("D");
    };
    if (!retired(regs.at(0)) && retired(regs.at(1)))
        return {regs.at(1), regs.at(0)};
    return regs;
}

void CopyRegulators(const QList<Row> &storedRegs, Mode mode, const QString &kind,
                    const std::function<QString(const QString &)> &brandOf, OperationRecord &r)
{
    if (storedRegs.isEmpty())
        return;
    const QList<Row> regs = retiredFirst(storedRegs);
    if (mode == Mode::Consultation) {
        r.regulador = storedRegulator(regs.first(), brandOf);
        if (regs.size() > 1) {
            r.reguladorNuevo = storedRegulator(regs.at(1), brandOf);
            r.hasSecondRegulator = true;
        }
        return;
    }
    // The regulator fitted last is the second row of a modification.
    const Row &fitted = regs.size() > 1 ? regs.at(1) : regs.first();
    const RegulatorLine stored = storedRegulator(fitted, brandOf);
    r.regulador.codigo = stored.codigo;
    r.regulador.nroSerie = stored.nroSerie;
    r.regulador.marca = stored.marca;
    if (kind == QLatin1String("B") || kind == QLatin1String("D")) {
        r.regulador.gestion = QStringLiteral("DESMONTAJE");
        r.regulador.nuevo = QStringLiteral("NO");
    } else if (kind == QLatin1String("C")) {
        r.regulador.gestion = QStringLiteral("MONTAJE");
        r.regulador.nuevo = QStringLiteral("SI");
    } else if (kind == QLatin1String("R") || kind == QLatin1String("M")) {
        r.regulador.gestion = QStringLiteral("SIN CAMBIOS");
        r.regulador.nuevo = QStringLiteral("NO");
    } else if (kind == QLatin1String("H")) {
        const QString letter = Text(fitted, QStringLiteral("rcodgest"));
        if (letter == QLatin1String("M") || letter == QLatin1String("S") || letter == QLatin1String("D"))
            r.regulador.gestion = GestionName(letter);
        r.regulador.nuevo = QStringLiteral("NO");
    }
}

static CylinderRow storedCylinder(const Row &cil)
{
    CylinderRow c;
    c.codigo = Text(cil, QStringLiteral("cilcodh"));
    c.nroSerie = Text(cil, QStringLiteral("cnroserie"));
    c.capacidad = Text(cil, QStringLiteral("ccapacidad")).toInt();
    c.fabricac = Cylinders::JoinMonthYear(Text(cil, QStringLiteral("cmesfabr")), Text(cil, QStringLiteral("canofabr")));
    c.uphTaller = Text(cil, QStringLiteral("cuphcrpc"));
    c.uphFecha = Cylinders::JoinMonthYear(Text(cil, QStringLiteral("cuphmes")), Text(cil, QStringLiteral("cuphano")));
    c.uphResult = Text(cil, QStringLiteral("cuphresult")) == QLatin1String("A") ? QStringLiteral("APROBADO")
                                                                                : QStringLiteral("RECHAZADO");
    c.valCod = Text(cil, QStringLiteral("valcod"));
    c.valNro = Text(cil, QStringLiteral("valnro"));
    c.rvalCod = Text(cil, QStringLiteral("rvalcod"));
    c.rvalNro = Text(cil, QStringLiteral("rvalnro"));
    c.nroCertif = Text(cil, QStringLiteral("nrocertif"));
    return c;
}

CylinderRow ConsultationCylinder(const Row &cil)
{
    CylinderRow c = storedCylinder(cil);
    c.cNuevo = yesNo(Text(cil, QStringLiteral("cnuevo")));
    c.gestion = CylinderGestionName(Text(cil, QStringLiteral("ccodgest")));
    c.valGest = ValveGestionName(Text(cil, QStringLiteral("valgest")));
    c.rvalGest = ValveGestionName(Text(cil, QStringLiteral("rvalgest")));
    return c;
}

QVector<CylinderRow> CopyCylinders(const QList<Row> &cils, Mode mode, const QString &kind)
{
    QVector<CylinderRow> out;
    for (const Row &cil : cils) {
        if (mode == Mode::Consultation) {
            out << ConsultationCylinder(cil);
            continue;
        }
        const QString letter = Text(cil, QStringLiteral("ccodgest"));
        if (letter != QLatin1String("M") && letter != QLatin1String("S") && letter != QLatin1String("D"))
            continue; // retired: not part of the vehicle any more
        CylinderRow c = storedCylinder(cil);
        if (kind == QLatin1String("C")) {
            c.gestion = QStringLiteral("MONTAJE");
            c.cNuevo = QStringLiteral("SI");
            c.valGest = QStringLiteral("MONTAJE");
        } else if (kind == QLatin1String("R") || kind == QLatin1String("M")) {
            c.gestion = QStringLiteral("SIN CAMBIOS");
            c.cNuevo = QStringLiteral("NO");
            c.valGest = QStringLiteral("SIN CAMBIOS");
        } else if (kind == QLatin1String("B") || kind == QLatin1String("D")) {
            c.gestion = QStringLiteral("DESMONTAJE");
            c.cNuevo = QStringLiteral("NO");
            c.valGest = QStringLiteral("DESMONTAJE");
        } else if (kind == QLatin1String("H")) {
            c.gestion = CylinderGestionName(letter);
            c.cNuevo = QStringLiteral("NO");
            c.valGest = QStringLiteral("SIN CAMBIOS");
        }
        out << c;
    }
    return out;
}

HydraulicPass RunHydraulicPass(const QVector<CylinderRow> &cylinders, const QString &kind, const QDate &enabling,
                               const QDate &expiry, const QDate &today, bool offersCommitmentLetter, bool byNumber)
{
    HydraulicPass pass;
    pass.expiry = expiry;
    bool haveOldest = false;
    int oldestMonth = 0, oldestYear = 0;
    QStringList unreadable;
    for (const CylinderRow &c : cylinders) {
        int m = 0, y = 0;
        // Reported, never skipped: the save refuses it until it is corrected.
        if (!Cylinders::SplitMonthYear(c.uphFecha, &m, &y)) {
            unreadable << Cylinders::UnreadableTestDateText(c);
            continue;
        }
        if (!haveOldest || y < oldestYear || (y == oldestYear && m < oldestMonth)) {
            oldestMonth = m;
            oldestYear = y;
            haveOldest = true;
        }
        if (offersCommitmentLetter && Cylinders::PhDueStatus(m, y, enabling) == Cylinders::PhStatus::Required) {
            pass.letterRows << c;
            pass.enablesLetterButton = true;
            pass.phRequired = true;
        }
    }
    pass.warning = unreadable.join(QLatin1Char('\n'));
    if (!haveOldest || kind == QLatin1String("B") || kind == QLatin1String("D"))
        return pass;
    switch (Cylinders::PhDueStatus(oldestMonth, oldestYear, enabling)) {
    case Cylinders::PhStatus::Required:
        pass.warning += (pass.warning.isEmpty() ? QString() : QStringLiteral("\n")) +
                        QStringLiteral("Este vehículo debe realizar Prueba Hidraulica.");
        pass.expiry = today;
        pass.expiryChanged = true;
        pass.phRequired = true;
        break;
    case Cylinders::PhStatus::DueWithinYear:
        pass.expiry = Cylinders::ExpiryLimitOnRecall(oldestMonth, enabling, today);
        pass.expiryChanged = true;
        if (byNumber) {
            pass.frameExpiry = true;
            pass.information = QStringLiteral("El vencimiento de la oblea operará el ") +
                               pass.expiry.toString(QStringLiteral("dd/MM/yyyy"));
        }
        break;
    case Cylinders::PhStatus::Valid:
        break;
    }
    return pass;
}

PendingLoad LoadPending(const Row &tempUsr, const QList<Row> &tempRegs, const QList<Row> &tempCils,
                        const QString &previousOfAssigned, bool keepsObservations, const QDate &today,
                        const std::function<QString(const QString &)> &brandOf, OperationRecord &r)
{
    PendingLoad load;
    load.kind = Text(tempUsr, QStringLiteral("ucodgest"));
    r.kind = load.kind;
    if (load.kind == QLatin1String("H")) {
        load.assignedSticker = Text(tempUsr, QStringLiteral("uobleaant"));
        load.hidesPreviousSticker = true;
        r.obleaNew = load.assignedSticker;
        r.obleaAnt = previousOfAssigned.trimmed();
    } else {
        r.obleaAnt = Text(tempUsr, QStringLiteral("uobleaant"));
    }
    CopyOwnerAndVehicle(tempUsr, keepsObservations, r);
    r.anioObleaAnt = Text(tempUsr, QStringLiteral("uobanoant"));
    r.estado = Text(tempUsr, QStringLiteral("estado")).toInt();

    r.fechaMontaje = Date(tempUsr, QStringLiteral("ufecmont"));
    if (load.kind == QLatin1String("H")) {
        r.fechaHabilitacion = Date(tempUsr, QStringLiteral("ufechab"));
        r.fechaVencimiento = Date(tempUsr, QStringLiteral("ufecvenhab"));
    } else if (load.kind != QLatin1String("B") && load.kind != QLatin1String("D")) {
        const KindDates d = StandardDates(today);
        r.fechaHabilitacion = d.enabling;
        r.fechaVencimiento = d.expiry;
    }
    const QString paths[3] = {QStringLiteral("dnipath"), QStringLiteral("dorsopath"),
                              QStringLiteral("certificadopath")};
    for (int i = 0; i < 3; ++i) {
        const QString p = Text(tempUsr, paths[i]);
        if (!p.isEmpty())
            r.attachmentPaths[i] = p;
    }

    if (tempRegs.size() == 1) {
        const RegulatorLine stored = storedRegulator(tempRegs.first(), brandOf);
        r.regulador.codigo = stored.codigo;
        r.regulador.nroSerie = stored.nroSerie;
        r.regulador.marca = stored.marca;
        const QString k = load.kind;
        if (k == QLatin1String("C")) {
            r.regulador.gestion = QStringLiteral("MONTAJE");
            r.regulador.nuevo = QStringLiteral("SI");
        } else if (k == QLatin1String("R") || k == QLatin1String("X") || k == QLatin1String("M") ||
                   k == QLatin1String("H")) {
            r.regulador.gestion = QStringLiteral("SIN CAMBIOS");
            r.regulador.nuevo = QStringLiteral("NO");
        } else if (k == QLatin1String("D")) {
            r.regulador.gestion = QStringLiteral("DESMONTAJE");
            r.regulador.nuevo = QStringLiteral("NO");
        }
    } else if (tempRegs.size() >= 2) {
        // The retired regulator is the current line, the fitted one "Nuevo".
        int retired = 0;
        for (int i = 0; i < tempRegs.size(); ++i) {
            const QString letter = Text(tempRegs[i], QStringLiteral("rcodgest"));
            if (letter == QLatin1String("B") || letter == QLatin1String("D")) {
                retired = i;
                break;
            }
        }
        r.regulador = storedRegulator(tempRegs[retired], brandOf);
        r.reguladorNuevo = storedRegulator(tempRegs[retired == 0 ? 1 : 0], brandOf);
        r.hasSecondRegulator = true;
    }

    for (const Row &cil : tempCils) {
        CylinderRow c = ConsultationCylinder(cil);
        if (Text(cil, QStringLiteral("ccodgest")) == QLatin1String("X"))
            c.gestion = QStringLiteral("SIN CAMBIOS");
        r.cylinders << c;
    }
    return load;
}

void CopyOwner(const Owners::Owner &o, OperationRecord &r)
{
    r.nombre = o.fullName().trimmed();
    r.tipoDoc = o.tipoDoc.trimmed();
    r.nroDoc = o.nroDoc.trimmed();
    r.calle = o.calle.trimmed();
    r.codigoPostal = o.codigoPostal.trimmed();
    r.barrio = o.barrio.trimmed();
    r.localidad = o.localidad.trimmed();
    r.provincia = o.provincia.trimmed();
    r.caracteristica = o.caracteristica.trimmed();
    r.telefono = o.celular.trimmed();
    r.tipoTelefono = QStringLiteral("CELULAR");
}

void CopyConversionOrder(const Orders::ConversionOrder &o, OperationRecord &r, QString *domainMask)
{
    r.anio = o.anio;
    if (domainMask)
        *domainMask = o.anio < 2016 ? OperationMasks::DomainBefore2016 : OperationMasks::DomainFrom2016;
    const Orders::OrderOwner &owner = o.owner;
    r.nombre = owner.nombre;
    r.email = owner.email;
    r.tipoTelefono = QStringLiteral("CELULAR");
    r.telefono = owner.celular;
    r.calle = owner.calle;
    r.localidad = owner.localidad;
    r.codigoPostal = owner.codigoPostal;
    r.provincia = owner.provincia;
    r.tipoDoc = owner.tipoDoc;
    r.nroDoc = owner.nroDoc;
    r.marca = o.marca;
    r.modelo = o.modelo;
    r.dominio = o.dominio;
    r.vin = o.vin;
    r.barrio = owner.barrio;
    r.caracteristica = owner.caracteristica;
    if (!o.regulator.codigo.isEmpty()) {
        r.regulador.codigo = o.regulator.codigo;
        r.regulador.marca = o.regulator.marca;
        r.regulador.nroSerie = o.regulator.nroSerie;
        r.regulador.nuevo = o.regulator.nuevo;
    }
    r.cylinders += o.cylinders;
}

} // namespace Recall
