#include "core/workorder.h"

#include "core/installationprofile.h"
#include "core/ordersearch.h"
#include "core/recall.h"

#include <algorithm>

namespace WorkOrders
{

namespace
{

// An empty date is stored as NULL, never as a zero day.
QVariant dateValue(const QDate &d)
{
    return d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate));
}

int integer(const QVariantMap &row, const QString &column)
{
    return Recall::Text(row, column).toInt();
}

double real(const QVariantMap &row, const QString &column)
{
    return Recall::Text(row, column).toDouble();
}

} // namespace

const QStringList &WarrantyValues()
{
    static const QStringList values = {QStringLiteral("NO"), QStringLiteral("SI"), QStringLiteral("RE")};
    return values;
}

const QStringList &DeliveryHours()
{
    static const QStringList hours = [] {
        QStringList h;
        for (int minutes = 8 * 60; minutes <= 20 * 60 + 30; minutes += 30)
            h << QStringLiteral("%1:%2")
                     .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                     .arg(minutes % 60, 2, 10, QLatin1Char('0'));
        return h;
    }();
    return hours;
}

const QStringList &PaymentForms()
{
    static const QStringList forms = {QStringLiteral("EFECTIVO"), QStringLiteral("CHEQUES"), QStringLiteral("TARJETA")};
    return forms;
}

QStringList CheckNewOrder(const WorkOrder &o)
{
    QStringList lines;
    if (!o.fecha.isValid())
        lines << kBadOrderDate;
    if (o.dominio.trimmed().isEmpty())
        lines << kNoPlate;
    if (o.marca.trimmed().isEmpty())
        lines << kNoBrand;
    if (o.modelo.trimmed().isEmpty())
        lines << kNoModel;
    if (!o.entregaFecha.isValid())
        lines << kNoDelivery;
    // No delivery date counts as one before the order's.
    if (!o.entregaFecha.isValid() || (o.fecha.isValid() && o.entregaFecha < o.fecha))
        lines << kEarlyDelivery;
    if (o.concesionario == 0)
        lines << kNoDealer;
    if (o.cliente == 0)
        lines << kNoOwner;
    if (o.celular.trimmed().isEmpty())
        lines << kNoMobile;
    if (o.recepcionista == 0)
        lines << kNoReceptionist;
    if (o.faults.isEmpty())
        lines << kNoFault;
    return lines;
}

QVariantMap OpvColumns(const WorkOrder &o)
{
    QVariantMap c = OpvUpdateColumns(o);
    c.remove(QStringLiteral("entregado_fecha"));
    c.insert(QStringLiteral("taller"), o.taller);
    c.insert(QStringLiteral("opv_nro"), o.numero);
    c.insert(QStringLiteral("celular_carac"), o.celularCarac);
    return c;
}

QVariantMap OpvUpdateColumns(const WorkOrder &o)
{
    return {{QStringLiteral("fecha"), dateValue(o.fecha)},
            {QStringLiteral("dominio"), o.dominio},
            {QStringLiteral("marca"), o.marca},
            {QStringLiteral("modelo"), o.modelo},
            {QStringLiteral("anio"), o.anio},
            {QStringLiteral("vin"), o.vin},
            {QStringLiteral("km"), o.km},
            {QStringLiteral("cliente"), o.cliente},
            {QStringLiteral("celular"), o.celular},
            {QStringLiteral("concesionario"), o.concesionario},
            {QStringLiteral("recepcionista"), o.recepcionista},
            {QStringLiteral("tecnico"), o.tecnico},
            {QStringLiteral("estado"), o.estado},
            {QStringLiteral("garantia"), o.garantia},
            {QStringLiteral("tipo_operacion"), o.tipoOperacion},
            {QStringLiteral("otras_fallas"), o.otrasFallas[0]},
            {QStringLiteral("otras_fallas_2"), o.otrasFallas[1]},
            {QStringLiteral("diagnostico1"), o.diagnostico[0]},
            {QStringLiteral("diagnostico2"), o.diagnostico[1]},
            {QStringLiteral("presupuesto_desc"), o.presupuestoDesc[0]},
            {QStringLiteral("presupuesto_desc_2"), o.presupuestoDesc[1]},
            {QStringLiteral("presupuesto_desc_3"), o.presupuestoDesc[2]},
            {QStringLiteral("presupuesto"), o.presupuesto},
            {QStringLiteral("horas_hombre"), o.horasHombre},
            {QStringLiteral("entrega_fecha"), dateValue(o.entregaFecha)},
            {QStringLiteral("entrega_hora"), o.entregaHora},
            {QStringLiteral("entregado_fecha"), dateValue(o.entregadoFecha)},
            {QStringLiteral("abonado_importe"), o.abonadoImporte},
            {QStringLiteral("abonado_forma"), o.abonadoForma}};
}

WorkOrder FromRow(const QVariantMap &row)
{
    using Recall::Text;
    WorkOrder o;
    o.taller = Text(row, QStringLiteral("taller"));
    o.numero = integer(row, QStringLiteral("opv_nro"));
    o.fecha = Recall::Date(row, QStringLiteral("fecha"));
    o.dominio = Text(row, QStringLiteral("dominio"));
    o.marca = Text(row, QStringLiteral("marca"));
    o.modelo = Text(row, QStringLiteral("modelo"));
    o.anio = integer(row, QStringLiteral("anio"));
    o.vin = Text(row, QStringLiteral("vin"));
    o.km = integer(row, QStringLiteral("km"));
    o.cliente = integer(row, QStringLiteral("cliente"));
    o.celular = Text(row, QStringLiteral("celular"));
    o.celularCarac = Text(row, QStringLiteral("celular_carac"));
    o.concesionario = integer(row, QStringLiteral("concesionario"));
    o.recepcionista = integer(row, QStringLiteral("recepcionista"));
    o.tecnico = integer(row, QStringLiteral("tecnico"));
    o.estado = integer(row, QStringLiteral("estado"));
    o.garantia = Text(row, QStringLiteral("garantia"));
    o.tipoOperacion = Text(row, QStringLiteral("tipo_operacion"));
    o.otrasFallas = {Text(row, QStringLiteral("otras_fallas")), Text(row, QStringLiteral("otras_fallas_2"))};
    o.diagnostico = {Text(row, QStringLiteral("diagnostico1")), Text(row, QStringLiteral("diagnostico2"))};
    o.presupuestoDesc = {Text(row, QStringLiteral("presupuesto_desc")), Text(row, QStringLiteral("presupuesto_desc_2")),
                         Text(row, QStringLiteral("presupuesto_desc_3"))};
    o.presupuesto = real(row, QStringLiteral("presupuesto"));
    o.horasHombre = real(row, QStringLiteral("horas_hombre"));
    o.entregaFecha = Recall::Date(row, QStringLiteral("entrega_fecha"));
    o.entregaHora = Text(row, QStringLiteral("entrega_hora"));
    o.entregadoFecha = Recall::Date(row, QStringLiteral("entregado_fecha"));
    o.abonadoImporte = real(row, QStringLiteral("abonado_importe"));
    o.abonadoForma = Text(row, QStringLiteral("abonado_forma"));
    o.clienteNombre = Text(row, QStringLiteral("propietario"));
    o.tipoDoc = Text(row, QStringLiteral("tipoDoc"));
    o.nroDoc = Text(row, QStringLiteral("nroDoc"));
    o.concesionarioNombre = Text(row, QStringLiteral("concesionario_nombre"));
    o.recepcionistaNombre = Text(row, QStringLiteral("recepcionista_nombre"));
    return o;
}

Warranty WarrantyOf(const std::optional<Conversion> &conversion, const QDate &today)
{
    Warranty w;
    if (!conversion || !conversion->expiry.isValid() || conversion->expiry <= today)
        return w;
    w.running = true;
    w.expiryText = QStringLiteral("Vencimiento = ") + DateText(conversion->expiry);
    w.conversionDate = conversion->enabled;
    return w;
}

ListFilter BuildList(const ListInput &in)
{
    ListFilter f;
    f.from = in.from;
    // `fecha` carries the time of day: the last day counts whole.
    f.untilBefore = in.to.addDays(1);
    if (in.allWorkshops) {
        f.firstWorkshop = OrderSearch::kFirstWorkshop;
        f.lastWorkshop = OrderSearch::kLastWorkshop;
    } else {
        f.firstWorkshop = f.lastWorkshop = in.workshop.trimmed();
    }
    // Both unchecked lists either value, as both checked does; "RE" never.
    f.warranty1 = in.withWarranty ? QStringLiteral("SI") : QStringLiteral("NO");
    f.warranty2 = in.withoutWarranty ? QStringLiteral("NO") : QStringLiteral("SI");
    f.periodLine = QStringLiteral("Periodo: ") + DateText(in.from) + QStringLiteral(" al ") + DateText(in.to);
    f.workshopLine = QStringLiteral("Taller: ") + (in.allWorkshops ? QStringLiteral("Todos") : f.firstWorkshop);
    return f;
}

QString ConsentCompany(const InstallationProfile &p, bool reprint)
{
    if (!p.workOrderConsentCompany.isEmpty() && (!reprint || p.workOrderReprintUsesConsentCompany))
        return p.workOrderConsentCompany;
    return kLayoutConsentCompany;
}

QVariantMap PrintValues(const WorkOrder &o, const PrintContext &ctx)
{
    const bool underWarranty = o.garantia == kUnderWarranty;
    QVariantMap v{
        {QStringLiteral("Taller"), o.taller},
        {QStringLiteral("Nro"), o.numero ? QString::number(o.numero) : QString()},
        {QStringLiteral("Fecha"), DateText(o.fecha)},
        {QStringLiteral("Dominio"), o.dominio},
        {QStringLiteral("Marca"), o.marca},
        {QStringLiteral("Modelo"), o.modelo},
        {QStringLiteral("Anio"), o.anio ? QString::number(o.anio) : QString()},
        {QStringLiteral("Km"), QString::number(o.km)},
        {QStringLiteral("Vin"), o.vin},
        {QStringLiteral("Concesionario"), o.concesionarioNombre},
        {QStringLiteral("Cliente"), o.clienteNombre},
        {QStringLiteral("ClienteDoc"), (o.tipoDoc + QLatin1Char(' ') + o.nroDoc).trimmed()},
        {QStringLiteral("Celular"), o.celular},
        {QStringLiteral("CelularCarac"), o.celularCarac},
        {QStringLiteral("Recepcionista"), o.recepcionistaNombre},
        {QStringLiteral("Garantia"), o.garantia},
        {QStringLiteral("EnGarantia"), underWarranty},
        {QStringLiteral("MuestraFechaConversion"), underWarranty && !ctx.reprint && ctx.showsConversionDate},
        {QStringLiteral("FechaConversion"), DateText(ctx.conversionDate)},
        {QStringLiteral("ConConsentimiento"), !ctx.consentCompany.isEmpty()},
        {QStringLiteral("Consentimiento"), QStringLiteral("Por la presente autorizo a personal de ") +
                                               ctx.consentCompany +
                                               QStringLiteral(" a rodar mi vehículo en la vía pública a "
                                                              "los efectos ")},
        {QStringLiteral("Diagnostico1"), o.diagnostico[0]},
        {QStringLiteral("Diagnostico2"), o.diagnostico[1]},
        {QStringLiteral("OtrasFallas1"), o.otrasFallas[0]},
        {QStringLiteral("OtrasFallas2"), o.otrasFallas[1]},
        {QStringLiteral("Presupuesto1"), o.presupuestoDesc[0]},
        {QStringLiteral("Presupuesto2"), o.presupuestoDesc[1]},
        {QStringLiteral("Presupuesto3"), o.presupuestoDesc[2]},
        {QStringLiteral("Importe"), Amount(o.presupuesto)},
        {QStringLiteral("EntregaFecha"), DateText(o.entregaFecha)},
        {QStringLiteral("EntregaHora"), o.entregaHora},
        {QStringLiteral("MontoAbonado"), Amount(o.abonadoImporte)},
        {QStringLiteral("FormaPago"), o.abonadoForma},
        {QStringLiteral("HorasHombre"), Amount(o.horasHombre)},
        {QStringLiteral("Reimpresion"), ctx.reprint},
        {QStringLiteral("CantidadFallas"), QString::number(std::min<qsizetype>(o.faults.size(), kFaultBoxes))}};
    for (int i = 0; i < kPrintedJobs; ++i) {
        const bool has = i < o.jobs.size();
        v.insert(QStringLiteral("Trabajo%1").arg(i + 1), has ? o.jobs[i].desc : QString());
        v.insert(QStringLiteral("Tecnico%1").arg(i + 1), has ? o.jobs[i].technicianName : QString());
    }
    return v;
}

QVector<QVariantMap> FaultRows(const WorkOrder &o)
{
    QVector<QVariantMap> rows;
    rows.reserve(o.faults.size());
    for (const Fault &f : o.faults)
        rows << QVariantMap{{QStringLiteral("falla_desc"), f.desc}};
    return rows;
}

QString NotFound(const QString &taller, int numero)
{
    return QStringLiteral("La Orden de Trabajo %1 del taller %2 no se encontró (o falta su propietario, "
                          "concesionario o recepcionista).")
        .arg(numero)
        .arg(taller);
}

QString DateText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString Amount(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace WorkOrders
