#include "data/workorderstore.h"

#include "core/conversionorder.h"
#include "data/postsalesstatements.h"
#include "data/writeonce.h"

#include <QHash>
#include <QRandomGenerator>
#include <QSqlRecord>
#include <QThread>
#include <functional>
#include <memory>

namespace WorkOrderStore
{

using WorkOrders::WorkOrder;

namespace
{

// As for conversion orders: a handful of attempts covers any realistic
// number of workstations of one workshop saving at once.
constexpr int kSaveAttempts = 8;

bool isNumberTaken(const DbError &e)
{
    // 1062 on the order's row: the number is stored already; 1213: two
    // first orders of a workshop deadlocked on the empty range and the
    // server chose this one.
    return (e.code() == 1062 && e.statement() == QLatin1String("WorkOrderStore.insert")) || e.code() == 1213;
}

QString insertSql(const QString &table, const QStringList &columns)
{
    QStringList params;
    for (const QString &c : columns)
        params << QStringLiteral(":P_") + c;
    return QStringLiteral("insert into %1 (%2) values (%3)")
        .arg(table, columns.join(QStringLiteral(", ")), params.join(QStringLiteral(", ")));
}

void bind(NamedQuery &q, const QVariantMap &columns)
{
    for (auto it = columns.cbegin(); it != columns.cend(); ++it)
        q.setParam(QStringLiteral("P_") + it.key(), storedValue(it.value()));
}

NamedQuery &faultInsert(const QString &taller, int numero, int faultId)
{
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryInsertOpvFallas"));
    q.close();
    q.setParam(QStringLiteral("P_id"), 0);
    q.setParam(QStringLiteral("P_taller_id"), taller);
    q.setParam(QStringLiteral("P_opv_nro"), numero);
    q.setParam(QStringLiteral("P_falla"), faultId);
    return q;
}

NamedQuery &jobInsert(const QString &taller, int numero, int jobId, int technicianId)
{
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryInsertOPVTrabajoRealizado"));
    q.close();
    q.setParam(QStringLiteral("P_id"), 0);
    q.setParam(QStringLiteral("P_taller_id"), taller);
    q.setParam(QStringLiteral("P_opv_nro"), numero);
    q.setParam(QStringLiteral("P_trabajo_realizado"), jobId);
    q.setParam(QStringLiteral("P_tecnico"), technicianId);
    return q;
}

const QString kNumberVariable = QStringLiteral("tarvil_opv");

NamedQuery &loadStatement()
{
    return postSalesStatement(
        QStringLiteral("WorkOrderStore.load"),
        QStringLiteral("select opv.*, propietarios.propietario, propietarios.tipoDoc, propietarios.nroDoc, "
                       "clientes.cliente as concesionario_nombre, operarios.nombre as recepcionista_nombre "
                       "from opv join propietarios on opv.cliente = propietarios.propietario_id "
                       "join clientes on opv.concesionario = clientes.id "
                       "join operarios on opv.recepcionista = operarios.id "
                       "where opv.taller = :ta and opv.opv_nro = :nro"));
}

NamedQuery &faultsStatement()
{
    return postSalesStatement(
        QStringLiteral("WorkOrderStore.faults"),
        QStringLiteral("select opv_fallas.id, opv_fallas.falla, fallas.falla as falla_desc from opv_fallas "
                       "join fallas on opv_fallas.falla = fallas.id where opv_fallas.taller_id = :ta and "
                       "opv_fallas.opv_nro = :nro order by opv_fallas.id"));
}

NamedQuery &jobsStatement()
{
    return postSalesStatement(
        QStringLiteral("WorkOrderStore.jobs"),
        QStringLiteral("select t.id, t.trabajo_realizado, trabajos_realizados.trabajo_realizado as nombre, "
                       "operarios.id as tecnico_id, operarios.nombre as tecnico from opv_trabajo_realizado t "
                       "join trabajos_realizados on t.trabajo_realizado = trabajos_realizados.id "
                       "join operarios on t.tecnico = operarios.id where t.taller_id = :ta and t.opv_nro = :nro "
                       "order by t.id"));
}

// The order's three reads, keyed by workshop and number (a value or the
// session variable of the save that numbered it).
void keyReads(const QString &taller, const QVariant &numero)
{
    for (NamedQuery *q : {&loadStatement(), &faultsStatement(), &jobsStatement()}) {
        q->close();
        q->setParam(QStringLiteral("ta"), taller);
        q->setParam(QStringLiteral("nro"), numero);
    }
}

QVector<WorkOrders::Fault> faultsRead()
{
    NamedQuery &q = faultsStatement();
    QVector<WorkOrders::Fault> out;
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.integer(QStringLiteral("id")), q.integer(QStringLiteral("falla")),
                       q.text(QStringLiteral("falla_desc"))});
    return out;
}

QVector<WorkOrders::Job> jobsRead()
{
    NamedQuery &q = jobsStatement();
    QVector<WorkOrders::Job> out;
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.integer(QStringLiteral("id")), q.integer(QStringLiteral("trabajo_realizado")),
                       q.text(QStringLiteral("nombre")), q.integer(QStringLiteral("tecnico_id")),
                       q.text(QStringLiteral("tecnico"))});
    return out;
}

std::optional<WorkOrder> orderRead()
{
    NamedQuery &q = loadStatement();
    if (!q.first())
        return std::nullopt;
    QVariantMap row;
    const QSqlRecord &r = q.rows().first();
    for (int i = 0; i < r.count(); ++i)
        row.insert(r.fieldName(i), r.value(i));
    WorkOrder o = WorkOrders::FromRow(row);
    o.faults = faultsRead();
    o.jobs = jobsRead();
    return o;
}

// The ids of the rows of one table of the order just numbered, in the order inserted.
NamedQuery &rowIds(const QString &table, const QString &taller)
{
    NamedQuery &q = postSalesStatement(
        QStringLiteral("WorkOrderStore.ids.") + table,
        QStringLiteral("select id from %1 where taller_id = :ta and opv_nro = :nro order by id").arg(table));
    q.close();
    q.setParam(QStringLiteral("ta"), taller);
    q.setParam(QStringLiteral("nro"), QVariant::fromValue(SessionVariable{kNumberVariable}));
    return q;
}

// One exchange: the number is the workshop's highest plus one, read with
// that order locked; the order, its faults and jobs, the ids they got and
// the order read back travel with it, inside the transaction.
int saveOnce(WorkOrder &o, std::optional<WorkOrder> *stored, const WriteOnce::Ticket &ticket)
{
    const QVariant number = QVariant::fromValue(SessionVariable{kNumberVariable});
    NamedQuery &first = postSalesStatement(QStringLiteral("WorkOrderStore.firstNumber"),
                                           QStringLiteral("set @%1 = 1").arg(kNumberVariable));
    NamedQuery &next = postSalesStatement(
        QStringLiteral("WorkOrderStore.nextNumber"),
        QStringLiteral("select opv_nro + 1 into @%1 from opv where taller = :ta order by opv_nro desc limit 1 "
                       "for update")
            .arg(kNumberVariable));
    next.close();
    next.setParam(QStringLiteral("ta"), o.taller);
    NamedQuery &numbered = postSalesStatement(QStringLiteral("WorkOrderStore.number"),
                                              QStringLiteral("select @%1 as opv_nro").arg(kNumberVariable));

    QVariantMap columns = WorkOrders::OpvColumns(o);
    NamedQuery &q =
        postSalesStatement(QStringLiteral("WorkOrderStore.insert"), insertSql(QStringLiteral("opv"), columns.keys()));
    q.close();
    columns.remove(QStringLiteral("opv_nro"));
    bind(q, columns);
    q.setParam(QStringLiteral("P_opv_nro"), number);

    Batch b(Conn::PostVenta);
    b.setAtomic(true);
    b.add(first, false);
    b.add(next, false);
    b.add(q, false);
    const auto rows = [&](const QString &catalogueName, int n, const std::function<void(NamedQuery &, int)> &set) {
        if (n == 0)
            return;
        NamedQuery &ins = dm1().multiRowInsert(catalogueName, n);
        ins.close();
        for (int i = 0; i < n; ++i) {
            const QString sfx = QLatin1Char('_') + QString::number(i);
            ins.setParam(QStringLiteral("P_id") + sfx, 0);
            ins.setParam(QStringLiteral("P_taller_id") + sfx, o.taller);
            ins.setParam(QStringLiteral("P_opv_nro") + sfx, number);
            set(ins, i);
        }
        b.add(ins, false);
    };
    rows(QStringLiteral("SQLQueryInsertOpvFallas"), int(o.faults.size()),
         [&](NamedQuery &ins, int i) { ins.setParam(QStringLiteral("P_falla_%1").arg(i), o.faults[i].id); });
    rows(QStringLiteral("SQLQueryInsertOPVTrabajoRealizado"), int(o.jobs.size()), [&](NamedQuery &ins, int i) {
        ins.setParam(QStringLiteral("P_trabajo_realizado_%1").arg(i), o.jobs[i].id);
        ins.setParam(QStringLiteral("P_tecnico_%1").arg(i), o.jobs[i].technicianId);
    });
    WriteOnce::AddToken(b, Conn::PostVenta, ticket, QStringLiteral("opv"), number);
    b.add(numbered, true);
    NamedQuery &faultIds = rowIds(QStringLiteral("opv_fallas"), o.taller);
    NamedQuery &jobIds = rowIds(QStringLiteral("opv_trabajo_realizado"), o.taller);
    b.add(faultIds, true);
    b.add(jobIds, true);
    if (stored) {
        keyReads(o.taller, number);
        for (NamedQuery *read : {&loadStatement(), &faultsStatement(), &jobsStatement()})
            b.add(*read, true);
    }
    b.run();

    o.numero = numbered.integer(QStringLiteral("opv_nro"));
    for (int i = 0; i < o.faults.size() && i < faultIds.rowCount(); ++i)
        o.faults[i].rowId = faultIds.rows().at(i).value(0).toInt();
    for (int i = 0; i < o.jobs.size() && i < jobIds.rowCount(); ++i)
        o.jobs[i].rowId = jobIds.rows().at(i).value(0).toInt();
    if (stored)
        *stored = orderRead();
    return o.numero;
}

void removeRow(const QString &name, const QString &table, const QString &kind, int rowId, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = postSalesStatement(name, QStringLiteral("delete from %1 where id = :id").arg(table));
    q.close();
    q.setParam(QStringLiteral("id"), rowId);
    WriteOnce::Statement(Conn::PostVenta, ticket, kind, q, false);
}

// Statements on one of the central connections (operations or sister).
NamedQuery &centralStatement(Conn conn, const QString &name, const QString &sql)
{
    return dm1().statement(name, conn, [&] { return sql; });
}

} // namespace

int SaveNew(WorkOrder &order, std::optional<WorkOrder> *stored, WriteOnce::Ticket *ticket)
{
    WriteOnce::Ticket fresh;
    WriteOnce::Ticket &t = ticket ? *ticket : fresh;
    const QVariant number = WriteOnce::Run(Conn::PostVenta, t, [&]() -> QVariant {
        for (int attempt = 1;; ++attempt) {
            try {
                return saveOnce(order, stored, t);
            } catch (const DbError &e) {
                order.numero = 0;
                for (WorkOrders::Fault &f : order.faults)
                    f.rowId = 0;
                for (WorkOrders::Job &j : order.jobs)
                    j.rowId = 0;
                if (!isNumberTaken(e) || attempt == kSaveAttempts)
                    throw;
                // Two workstations that deadlocked would meet again at once:
                // the loser waits a moment of its own before the next attempt.
                if (e.code() == 1213)
                    QThread::msleep(QRandomGenerator::global()->bounded(10, 60) * attempt);
            }
        }
    });
    if (order.numero != number.toInt()) {
        // An earlier attempt stored it, and its answer was lost: it is read
        // back as stored (row ids included).
        order.numero = number.toInt();
        try {
            if (const std::optional<WorkOrder> found = Load(order.taller, order.numero)) {
                order.faults = found->faults;
                order.jobs = found->jobs;
                if (stored)
                    *stored = found;
            }
        } catch (const DbError &) {
            // Stored all the same: the caller goes on with the order as typed.
        }
    }
    return order.numero;
}

void SaveEdit(const WorkOrder &o, WriteOnce::Ticket *ticket)
{
    const QVariantMap columns = WorkOrders::OpvUpdateColumns(o);
    QStringList sets;
    for (const QString &c : columns.keys())
        sets << c + QStringLiteral(" = :P_") + c;
    NamedQuery &q = postSalesStatement(
        QStringLiteral("WorkOrderStore.update"),
        QStringLiteral("update opv set %1 where taller = :ta and opv_nro = :nro").arg(sets.join(QStringLiteral(", "))));
    q.close();
    bind(q, columns);
    q.setParam(QStringLiteral("ta"), o.taller);
    q.setParam(QStringLiteral("nro"), o.numero);
    WriteOnce::Statement(Conn::PostVenta, ticket, QStringLiteral("opv cambio"), q, false);
}

std::optional<WorkOrder> Load(const QString &taller, int numero)
{
    keyReads(taller, numero);
    Batch b(Conn::PostVenta);
    for (NamedQuery *read : {&loadStatement(), &faultsStatement(), &jobsStatement()})
        b.add(*read, true);
    b.run();
    return orderRead();
}

QVector<WorkOrders::Fault> Faults(const QString &taller, int numero)
{
    keyReads(taller, numero);
    faultsStatement().open();
    return faultsRead();
}

QVector<WorkOrders::Job> Jobs(const QString &taller, int numero)
{
    keyReads(taller, numero);
    jobsStatement().open();
    return jobsRead();
}

int AddFault(const QString &taller, int numero, int faultId, WriteOnce::Ticket *ticket)
{
    return int(WriteOnce::Statement(Conn::PostVenta, ticket, QStringLiteral("opv_fallas"),
                                    faultInsert(taller, numero, faultId), true));
}

void RemoveFault(int rowId, WriteOnce::Ticket *ticket)
{
    removeRow(QStringLiteral("WorkOrderStore.removeFault"), QStringLiteral("opv_fallas"),
              QStringLiteral("opv_fallas baja"), rowId, ticket);
}

int AddJob(const QString &taller, int numero, int jobId, int technicianId, WriteOnce::Ticket *ticket)
{
    return int(WriteOnce::Statement(Conn::PostVenta, ticket, QStringLiteral("opv_trabajo"),
                                    jobInsert(taller, numero, jobId, technicianId), true));
}

void RemoveJob(int rowId, WriteOnce::Ticket *ticket)
{
    removeRow(QStringLiteral("WorkOrderStore.removeJob"), QStringLiteral("opv_trabajo_realizado"),
              QStringLiteral("opv_trabajo baja"), rowId, ticket);
}

std::optional<WorkOrders::Prefill> PrefillFor(const QString &plate)
{
    NamedQuery &ott = postSalesStatement(
        QStringLiteral("WorkOrderStore.prefillFromOtt"),
        QStringLiteral("select ott.propietario_id, ott.propietario, ott.marca, ott.modelo, ott.vin, ott.celular, "
                       "ott.celular_carac, ott.cliente from ott join propietarios on ott.propietario_id = "
                       "propietarios.propietario_id where ott.dominio = :d order by ott.fecha desc, ott.id desc "
                       "limit 1"));
    NamedQuery &opv = postSalesStatement(
        QStringLiteral("WorkOrderStore.prefillFromOpv"),
        QStringLiteral("select opv.cliente, opv.marca, opv.modelo, opv.vin, opv.celular, opv.celular_carac, "
                       "opv.concesionario from opv join propietarios on opv.cliente = propietarios.propietario_id "
                       "where opv.dominio = :d order by opv.fecha desc, opv.opv_nro desc limit 1"));
    // Both in one exchange: the conversion order wins when there is one.
    Batch b(Conn::PostVenta);
    for (NamedQuery *q : {&ott, &opv}) {
        q->close();
        q->setParam(QStringLiteral("d"), plate);
        b.add(*q, true);
    }
    b.run();
    if (ott.first()) {
        WorkOrders::Prefill p;
        p.fromConversionOrder = true;
        p.cliente = ott.integer(QStringLiteral("propietario_id"));
        p.ownerName = ott.text(QStringLiteral("propietario"));
        p.marca = ott.text(QStringLiteral("marca"));
        p.modelo = ott.text(QStringLiteral("modelo"));
        p.vin = ott.text(QStringLiteral("vin"));
        p.celular = ott.text(QStringLiteral("celular"));
        p.celularCarac = ott.text(QStringLiteral("celular_carac"));
        p.concesionario = ott.integer(QStringLiteral("cliente"));
        return p;
    }
    if (!opv.first())
        return std::nullopt;
    WorkOrders::Prefill p;
    p.cliente = opv.integer(QStringLiteral("cliente"));
    p.marca = opv.text(QStringLiteral("marca"));
    p.modelo = opv.text(QStringLiteral("modelo"));
    p.vin = opv.text(QStringLiteral("vin"));
    p.celular = opv.text(QStringLiteral("celular"));
    p.celularCarac = opv.text(QStringLiteral("celular_carac"));
    p.concesionario = opv.integer(QStringLiteral("concesionario"));
    return p;
}

std::optional<WorkOrders::Conversion> WarrantyConversion(Conn conn, const QString &plate)
{
    NamedQuery &q = centralStatement(
        conn, QStringLiteral("WorkOrderStore.warranty"),
        QStringLiteral("select usr.ufecvenhab, usr.ufechab from usr join tal on tal.tcodigoint = usr.codtal "
                       "where usr.udominio = :d and usr.ucodgest = 'C' and tal.garantia = 1 "
                       "order by usr.ufecvenhab desc limit 1"));
    q.close();
    q.setParam(QStringLiteral("d"), plate);
    q.open();
    if (!q.first())
        return std::nullopt;
    return WorkOrders::Conversion{q.date(QStringLiteral("ufecvenhab")), q.date(QStringLiteral("ufechab"))};
}

QVector<OperationType> OperationTypes()
{
    NamedQuery &q = postSalesStatement(QStringLiteral("WorkOrderStore.operations"),
                                       QStringLiteral("select id, operacion from operaciones order by operacion"));
    q.close();
    q.open();
    QVector<OperationType> out;
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.text(QStringLiteral("id")), q.text(QStringLiteral("operacion"))});
    return out;
}

QVector<ListRow> Find(const OrderSearch::Filter &f)
{
    using OrderSearch::Kind;
    QString condition, name;
    switch (f.kind) {
    case Kind::Dominio:
        condition = QStringLiteral("opv.dominio = :v");
        name = QStringLiteral("dominio");
        break;
    case Kind::Propietario:
        condition = QStringLiteral("propietarios.propietario like :v escape '!'");
        name = QStringLiteral("propietario");
        break;
    case Kind::Numero:
        condition = QStringLiteral("opv.opv_nro = :n");
        name = QStringLiteral("numero");
        break;
    case Kind::Periodo:
        // `fecha` carries the time of day: the last day counts whole.
        condition = QStringLiteral("opv.fecha >= :d1 and opv.fecha < :d2");
        name = QStringLiteral("periodo");
        break;
    case Kind::Vin:
        condition = QStringLiteral("opv.vin = :v");
        name = QStringLiteral("vin");
        break;
    }
    NamedQuery &q = postSalesStatement(
        QStringLiteral("WorkOrderStore.find.") + name,
        QStringLiteral("select opv.opv_nro, propietarios.propietario, opv.vin, opv.dominio, opv.marca, opv.modelo, "
                       "opv.taller, opv.fecha from opv join propietarios on opv.cliente = "
                       "propietarios.propietario_id where %1 and opv.taller between :t1 and :t2 "
                       "order by opv.opv_nro, opv.taller")
            .arg(condition));
    q.close();
    switch (f.kind) {
    case Kind::Numero:
        q.setParam(QStringLiteral("n"), f.number);
        break;
    case Kind::Periodo:
        q.setParam(QStringLiteral("d1"), f.from);
        q.setParam(QStringLiteral("d2"), f.to.addDays(1));
        break;
    default:
        q.setParam(QStringLiteral("v"), f.text);
    }
    q.setParam(QStringLiteral("t1"), f.firstWorkshop);
    q.setParam(QStringLiteral("t2"), f.lastWorkshop);
    q.open();
    QVector<ListRow> out;
    out.reserve(q.rowCount());
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.integer(QStringLiteral("opv_nro")), q.text(QStringLiteral("propietario")),
                       q.text(QStringLiteral("vin")), q.text(QStringLiteral("dominio")),
                       q.text(QStringLiteral("marca")), q.text(QStringLiteral("modelo")),
                       q.text(QStringLiteral("taller")), q.date(QStringLiteral("fecha"))});
    return out;
}

QVector<PeriodRow> List(const WorkOrders::ListFilter &f)
{
    NamedQuery &q = postSalesStatement(
        QStringLiteral("WorkOrderStore.list"),
        QStringLiteral("select opv.fecha, opv.opv_nro, propietarios.propietario, opv.vin, opv.dominio, opv.marca, "
                       "opv.modelo, opv.taller, opv.garantia, opv.abonado_importe, clientes.cliente as "
                       "concesionario from opv join propietarios on opv.cliente = propietarios.propietario_id "
                       "join clientes on opv.concesionario = clientes.id where opv.taller between :t1 and :t2 "
                       "and opv.fecha >= :d1 and opv.fecha < :d2 and opv.garantia in (:g1, :g2) "
                       "order by opv.fecha, opv.taller, opv.opv_nro"));
    q.close();
    q.setParam(QStringLiteral("t1"), f.firstWorkshop);
    q.setParam(QStringLiteral("t2"), f.lastWorkshop);
    q.setParam(QStringLiteral("d1"), f.from);
    q.setParam(QStringLiteral("d2"), f.untilBefore);
    q.setParam(QStringLiteral("g1"), f.warranty1);
    q.setParam(QStringLiteral("g2"), f.warranty2);
    q.open();
    QVector<PeriodRow> out;
    out.reserve(q.rowCount());
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.date(QStringLiteral("fecha")), q.integer(QStringLiteral("opv_nro")),
                       q.text(QStringLiteral("propietario")), q.text(QStringLiteral("vin")),
                       q.text(QStringLiteral("dominio")), q.text(QStringLiteral("marca")),
                       q.text(QStringLiteral("modelo")), q.text(QStringLiteral("taller")),
                       q.text(QStringLiteral("garantia")), q.text(QStringLiteral("concesionario")),
                       q.real(QStringLiteral("abonado_importe"))});
    return out;
}

} // namespace WorkOrderStore
