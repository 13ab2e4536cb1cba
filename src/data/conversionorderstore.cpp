#include "data/conversionorderstore.h"

#include "data/postsalesstatements.h"

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
    // 1062: the number is stored already; 1213: two first orders of a
    // workshop deadlocked on the empty range and the server chose this one.
    return e.code() == 1062 || e.code() == 1213;
}

void bind(NamedQuery &q, const QVariantMap &columns, const QStringList &skipped = {})
{
    for (auto it = columns.cbegin(); it != columns.cend(); ++it)
        if (!skipped.contains(it.key()))
            q.setParam(QStringLiteral("P_") + it.key(), storedValue(it.value()));
}

int highestNumberLocked(const QString &taller)
{
    NamedQuery &q = postSalesStatement(
        QStringLiteral("ConversionOrderStore.highest"),
        QStringLiteral("select ott_nro from ott where taller = :ta order by ott_nro desc limit 1 for update"));
    q.close();
    q.setParam(QStringLiteral("ta"), taller);
    q.open();
    return q.first() ? q.integer(QStringLiteral("ott_nro")) : 0;
}

void insertEquipment(const Orders::ConversionOrder &o)
{
    const QVariantMap reg = Orders::OttRegColumns(o);
    if (!reg.isEmpty()) {
        NamedQuery &q = dm1().query(QStringLiteral("SQLQueryInsertOttReg"));
        q.close();
        bind(q, reg);
        q.execute();
    }
    NamedQuery &cil = dm1().query(QStringLiteral("SQLQueryInsertOttCil"));
    for (const QVariantMap &row : Orders::OttCilColumns(o)) {
        cil.close();
        bind(cil, row);
        cil.execute();
    }
}

int saveOnce(Orders::ConversionOrder &o)
{
    Transaction tx(Conn::PostVenta);
    o.numero = Orders::NextNumber(highestNumberLocked(o.taller));
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryInsertOTT"));
    q.close();
    bind(q, Orders::OttColumns(o));
    q.execute();
    insertEquipment(o);
    tx.commit();
    return o.numero;
}

} // namespace

int SaveNew(Orders::ConversionOrder &order)
{
    for (int attempt = 1;; ++attempt) {
        try {
            return saveOnce(order);
        } catch (const DbError &e) {
            order.numero = 0;
            if (!isNumberTaken(e) || attempt == kSaveAttempts)
                throw;
            // A pause of random length, so that two workstations that keep
            // meeting on the same number stop meeting.
            QThread::msleep(QRandomGenerator::global()->bounded(5, 20 * attempt));
        }
    }
}

void SaveEdit(const Orders::ConversionOrder &o)
{
    Transaction tx(Conn::PostVenta);
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryUpdateOTT"));
    q.close();
    bind(q, Orders::OttColumns(o), Orders::OttColumnsKeptOnEdit());
    q.setParam(QStringLiteral("ott"), o.numero);
    q.setParam(QStringLiteral("ta"), o.taller);
    q.execute();
    for (const char *name : {"SQLQueryDeleteFromOttReg", "SQLQueryDeleteFromOttCil"}) {
        NamedQuery &del = dm1().query(QLatin1String(name));
        del.close();
        del.setParam(QStringLiteral("ta"), o.taller);
        del.setParam(QStringLiteral("or"), o.numero);
        del.execute();
    }
    insertEquipment(o);
    tx.commit();
}

std::optional<Rows> LoadRows(const QString &taller, int numero)
{
    NamedQuery &ott = postSalesStatement(QStringLiteral("ConversionOrderStore.order"),
                                         QStringLiteral("select * from ott where taller = :ta and ott_nro = :nro"));
    ott.close();
    ott.setParam(QStringLiteral("ta"), taller);
    ott.setParam(QStringLiteral("nro"), numero);
    const QList<QVariantMap> orders = rowsOf(ott);
    if (orders.isEmpty())
        return std::nullopt;

    Rows rows;
    rows.order = orders.first();
    // A regulator whose code left the catalogue still shows (without brand),
    // so that an edit does not drop it.
    NamedQuery &reg = postSalesStatement(
        QStringLiteral("ConversionOrderStore.regulators"),
        QStringLiteral("select ott_reg.*, codreg.MARCA from ott_reg left join codreg on codreg.CODIGO = "
                       "ott_reg.RCODREGH where ott_reg.TALLER = :ta and ott_reg.OTT_ID = :id"));
    reg.close();
    reg.setParam(QStringLiteral("ta"), taller);
    reg.setParam(QStringLiteral("id"), numero);
    rows.regulators = rowsOf(reg);
    NamedQuery &cil = dm1().query(QStringLiteral("SQLQueryGetCilFromOtt"));
    cil.close();
    cil.setParam(QStringLiteral("ta"), taller);
    cil.setParam(QStringLiteral("id"), numero);
    rows.cylinders = rowsOf(cil);
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
