#include "data/conversionorderstore.h"

#include "data/postsalesstatements.h"
#include "data/writeonce.h"

#include <QRandomGenerator>
#include <QThread>

namespace ConversionOrderStore
{

namespace
{

// Saves that met another workstation's order are run again; a handful of
// attempts covers any realistic number of workstations of one workshop.
constexpr int kSaveAttempts = 8;

bool isNumberTaken(const DbError &e)
{
    // 1062 on the order's row: the number is stored already; 1213: two
    // first orders of a workshop deadlocked on the empty range and the
    // server chose this one.
    return (e.code() == 1062 && e.statement() == QLatin1String("SQLQueryInsertOTT")) || e.code() == 1213;
}

void bind(NamedQuery &q, const QVariantMap &columns, const QStringList &skipped = {}, const QString &suffix = {})
{
    for (auto it = columns.cbegin(); it != columns.cend(); ++it)
        if (!skipped.contains(it.key()))
            q.setParam(QStringLiteral("P_") + it.key() + suffix, storedValue(it.value()));
}

const QString kNumberVariable = QStringLiteral("tarvil_ott");

// The regulator and cylinder rows of `o`, under the order's number `number`
// (a value, or the session variable the batch set).
void addEquipment(Batch &b, const Orders::ConversionOrder &o, const QVariant &number)
{
    const QVariantMap reg = Orders::OttRegColumns(o);
    if (!reg.isEmpty()) {
        NamedQuery &q = dm1().query(QStringLiteral("SQLQueryInsertOttReg"));
        q.close();
        bind(q, reg);
        q.setParam(QStringLiteral("P_OTT_ID"), number);
        b.add(q, false);
    }
    const QList<QVariantMap> cylinders = Orders::OttCilColumns(o);
    if (cylinders.isEmpty())
        return;
    NamedQuery &cil = dm1().multiRowInsert(QStringLiteral("SQLQueryInsertOttCil"), int(cylinders.size()));
    cil.close();
    for (int i = 0; i < cylinders.size(); ++i) {
        const QString suffix = QLatin1Char('_') + QString::number(i);
        bind(cil, cylinders[i], {}, suffix);
        cil.setParam(QStringLiteral("P_OTT_ID") + suffix, number);
    }
    b.add(cil, false);
}

// One exchange: the number is the workshop's highest plus one, read with
// that order locked; the order, its regulator and cylinders and the write's
// token travel with it, inside the transaction.
int saveOnce(Orders::ConversionOrder &o, const WriteOnce::Ticket &ticket)
{
    const QVariant number = QVariant::fromValue(SessionVariable{kNumberVariable});
    NamedQuery &first = postSalesStatement(QStringLiteral("ConversionOrderStore.firstNumber"),
                                           QStringLiteral("set @%1 = 1").arg(kNumberVariable));
    NamedQuery &next = postSalesStatement(
        QStringLiteral("ConversionOrderStore.nextNumber"),
        QStringLiteral("select ott_nro + 1 into @%1 from ott where taller = :ta order by ott_nro desc limit 1 "
                       "for update")
            .arg(kNumberVariable));
    next.close();
    next.setParam(QStringLiteral("ta"), o.taller);
    NamedQuery &numbered = postSalesStatement(QStringLiteral("ConversionOrderStore.number"),
                                              QStringLiteral("select @%1 as ott_nro").arg(kNumberVariable));
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryInsertOTT"));
    q.close();
    bind(q, Orders::OttColumns(o));
    q.setParam(QStringLiteral("P_ott_nro"), number);

    Batch b(Conn::PostVenta);
    b.setAtomic(true);
    b.add(first, false);
    b.add(next, false);
    b.add(q, false);
    addEquipment(b, o, number);
    WriteOnce::AddToken(b, Conn::PostVenta, ticket, QStringLiteral("ott"), number);
    b.add(numbered, true);
    b.run();
    o.numero = numbered.integer(QStringLiteral("ott_nro"));
    return o.numero;
}

} // namespace

int SaveNew(Orders::ConversionOrder &order, WriteOnce::Ticket *ticket)
{
    WriteOnce::Ticket fresh;
    WriteOnce::Ticket &t = ticket ? *ticket : fresh;
    const QVariant stored = WriteOnce::Run(Conn::PostVenta, t, [&]() -> QVariant {
        for (int attempt = 1;; ++attempt) {
            try {
                return saveOnce(order, t);
            } catch (const DbError &e) {
                order.numero = 0;
                if (!isNumberTaken(e) || attempt == kSaveAttempts)
                    throw;
                // A pause of random length, so that two workstations that
                // keep meeting on the same number stop meeting.
                QThread::msleep(QRandomGenerator::global()->bounded(5, 20 * attempt));
            }
        }
    });
    order.numero = stored.toInt();
    return order.numero;
}

void SaveEdit(const Orders::ConversionOrder &o, WriteOnce::Ticket *ticket)
{
    WriteOnce::Ticket fresh;
    WriteOnce::Ticket &t = ticket ? *ticket : fresh;
    WriteOnce::Run(Conn::PostVenta, t, [&]() -> QVariant {
        Batch b(Conn::PostVenta);
        b.setAtomic(true);
        NamedQuery &q = dm1().query(QStringLiteral("SQLQueryUpdateOTT"));
        q.close();
        bind(q, Orders::OttColumns(o), Orders::OttColumnsKeptOnEdit());
        q.setParam(QStringLiteral("ott"), o.numero);
        q.setParam(QStringLiteral("ta"), o.taller);
        b.add(q, false);
        for (const char *name : {"SQLQueryDeleteFromOttReg", "SQLQueryDeleteFromOttCil"}) {
            NamedQuery &del = dm1().query(QLatin1String(name));
            del.close();
            del.setParam(QStringLiteral("ta"), o.taller);
            del.setParam(QStringLiteral("or"), o.numero);
            b.add(del, false);
        }
        addEquipment(b, o, o.numero);
        WriteOnce::AddToken(b, Conn::PostVenta, t, QStringLiteral("ott cambio"), o.numero);
        b.run();
        return o.numero;
    });
}

std::optional<Rows> LoadRows(const QString &taller, int numero)
{
    // The order, its regulators and its cylinders in one exchange.
    NamedQuery &ott = postSalesStatement(QStringLiteral("ConversionOrderStore.order"),
                                         QStringLiteral("select * from ott where taller = :ta and ott_nro = :nro"));
    ott.close();
    ott.setParam(QStringLiteral("ta"), taller);
    ott.setParam(QStringLiteral("nro"), numero);
    // A regulator whose code left the catalogue still shows (without brand),
    // so that an edit does not drop it.
    NamedQuery &reg = postSalesStatement(
        QStringLiteral("ConversionOrderStore.regulators"),
        QStringLiteral("select ott_reg.*, codreg.MARCA from ott_reg left join codreg on codreg.CODIGO = "
                       "ott_reg.RCODREGH where ott_reg.TALLER = :ta and ott_reg.OTT_ID = :id"));
    reg.close();
    reg.setParam(QStringLiteral("ta"), taller);
    reg.setParam(QStringLiteral("id"), numero);
    NamedQuery &cil = dm1().query(QStringLiteral("SQLQueryGetCilFromOtt"));
    cil.close();
    cil.setParam(QStringLiteral("ta"), taller);
    cil.setParam(QStringLiteral("id"), numero);
    Batch b(Conn::PostVenta);
    for (NamedQuery *q : {&ott, &reg, &cil})
        b.add(*q, true);
    b.run();
    const QList<QVariantMap> orders = rowsRead(ott);
    if (orders.isEmpty())
        return std::nullopt;
    Rows rows;
    rows.order = orders.first();
    rows.regulators = rowsRead(reg);
    rows.cylinders = rowsRead(cil);
    return rows;
}

std::optional<Orders::ConversionOrder> Load(const QString &taller, int numero)
{
    const std::optional<Rows> rows = LoadRows(taller, numero);
    if (!rows)
        return std::nullopt;
    return Orders::FromRows(rows->order, rows->regulators, rows->cylinders);
}

QVector<ListRow> Find(const OrderSearch::Filter &f)
{
    using OrderSearch::Kind;
    QString condition, name;
    switch (f.kind) {
    case Kind::Dominio:
        condition = QStringLiteral("dominio = :v");
        name = QStringLiteral("dominio");
        break;
    case Kind::Propietario:
        condition = QStringLiteral("propietario like :v escape '!'");
        name = QStringLiteral("propietario");
        break;
    case Kind::Numero:
        condition = QStringLiteral("ott_nro = :n");
        name = QStringLiteral("numero");
        break;
    case Kind::Periodo:
        condition = QStringLiteral("fecha between :d1 and :d2");
        name = QStringLiteral("periodo");
        break;
    case Kind::Vin:
        condition = QStringLiteral("vin = :v");
        name = QStringLiteral("vin");
        break;
    }
    NamedQuery &q = postSalesStatement(
        QStringLiteral("ConversionOrderStore.find.") + name,
        QStringLiteral("select ott_nro, propietario, vin, dominio, marca, modelo, taller, fecha from ott where %1 "
                       "and taller between :t1 and :t2 order by ott_nro desc, taller")
            .arg(condition));
    q.close();
    switch (f.kind) {
    case Kind::Numero:
        q.setParam(QStringLiteral("n"), f.number);
        break;
    case Kind::Periodo:
        q.setParam(QStringLiteral("d1"), f.from);
        q.setParam(QStringLiteral("d2"), f.to);
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
        out.push_back({q.integer(QStringLiteral("ott_nro")), q.text(QStringLiteral("propietario")),
                       q.text(QStringLiteral("vin")), q.text(QStringLiteral("dominio")),
                       q.text(QStringLiteral("marca")), q.text(QStringLiteral("modelo")),
                       q.text(QStringLiteral("taller")), q.date(QStringLiteral("fecha"))});
    return out;
}

bool PlateHasOrders(const QString &plate)
{
    NamedQuery &q = postSalesStatement(QStringLiteral("ConversionOrderStore.plate"),
                                       QStringLiteral("select 1 as found from ott where dominio = :d limit 1"));
    q.close();
    q.setParam(QStringLiteral("d"), plate.trimmed());
    q.open();
    return q.first();
}

QStringList WorkshopsWithWorkOrders()
{
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryTalleresConOPV"));
    q.close();
    q.open();
    QStringList out;
    for (bool more = q.first(); more; more = q.next())
        out << q.text(QStringLiteral("taller"));
    return out;
}

} // namespace ConversionOrderStore
