#include "data/masterfiles.h"

#include "core/lookuprules.h"
#include "data/postsalesstatements.h"
#include "data/writeonce.h"

#include <QMutex>
#include <QScopeGuard>
#include <any>
#include <map>

namespace MasterFiles
{

namespace
{

struct Shape {
    const char *table;
    const char *nameColumn;
    const char *order;
};

Shape shapeOf(Table t)
{
    switch (t) {
    case Table::Technicians:
        return {"operarios", "nombre", "id"};
    case Table::Faults:
        return {"fallas", "falla", "falla"};
    case Table::Jobs:
        return {"trabajos_realizados", "trabajo_realizado", "trabajo_realizado"};
    case Table::Dealers:
        break;
    }
    return {"clientes", "cliente", "cliente"};
}

// One statement per table and purpose; the texts are built from the fixed
// table and column names above, never from values.
NamedQuery &statement(Table t, const char *purpose)
{
    const Shape s = shapeOf(t);
    const QString table = QLatin1String(s.table), column = QLatin1String(s.nameColumn);
    const QString p = QLatin1String(purpose);
    QString sql;
    if (p == QLatin1String("list"))
        sql = QStringLiteral("select id, %2 from %1 order by %3").arg(table, column, QLatin1String(s.order));
    else if (p == QLatin1String("filter"))
        sql = QStringLiteral("select id, %2 from %1 where %2 like :f escape '!' order by %3")
                  .arg(table, column, QLatin1String(s.order));
    // Adding and renaming refuse a name another row already has, byte for
    // byte (the pickers would show two alike): the row count says which.
    else if (p == QLatin1String("add"))
        sql = QStringLiteral("insert into %1 (id, %2) select 0, :n from dual where not exists "
                             "(select 1 from %1 where %2 collate utf8mb4_bin = :n)")
                  .arg(table, column);
    else if (p == QLatin1String("rename"))
        sql = QStringLiteral("update %1 set %2 = :n where id = :id and not exists (select 1 from "
                             "(select id from %1 where %2 collate utf8mb4_bin = :n and id <> :id) others)")
                  .arg(table, column);
    else if (p == QLatin1String("remove"))
        sql = QStringLiteral("delete from %1 where id = :id").arg(table);
    else
        sql = QStringLiteral("select %2 from %1 where id = :id").arg(table, column);
    return postSalesStatement(QStringLiteral("MasterFiles.%1.%2").arg(table, p), sql);
}

// Runs an insert under the ticket; false when the row is already there
// (duplicate key).
bool insertNew(NamedQuery &q, const QString &kind, WriteOnce::Ticket *ticket)
{
    try {
        WriteOnce::Statement(Conn::PostVenta, ticket, kind, q, true);
    } catch (const DbError &e) {
        if (e.code() != 1062)
            throw;
        return false;
    }
    return true;
}

QStringList column(NamedQuery &q, const QString &name)
{
    q.open();
    QStringList out;
    for (bool more = q.first(); more; more = q.next())
        out << q.text(name);
    return out;
}

QVector<Item> items(NamedQuery &q, Table t)
{
    const QString column = QLatin1String(shapeOf(t).nameColumn);
    QVector<Item> out;
    out.reserve(q.rowCount());
    for (bool more = q.first(); more; more = q.next())
        out.push_back({q.integer(QStringLiteral("id")), q.text(column)});
    return out;
}

// The pick lists a session has read, kept until that session ends: a
// picker opened again shows them without asking the server. A change made
// through MasterFiles (on any thread) forgets the lists it touches.
struct Kept {
    quint64 session = 0;
    QString where; // the post-sales server and database
    std::any value;
};
using KeptKey = std::pair<const DataModule *, QString>;

QMutex &keptLock()
{
    static QMutex m;
    return m;
}

std::map<KeptKey, Kept> &kept()
{
    static std::map<KeptKey, Kept> k;
    return k;
}

QString postSalesPlace()
{
    const ConnectionSettings s = dm1().settings(Conn::PostVenta);
    return s.hostName + QLatin1Char('/') + s.database;
}

template <class T> std::optional<T> keptList(const QString &what)
{
    DataModule &dm = dm1();
    const quint64 session = dm.session(Conn::PostVenta);
    const QString where = postSalesPlace();
    const QMutexLocker lock(&keptLock());
    const auto it = kept().find({&dm, what});
    if (session == 0 || it == kept().end() || it->second.session != session || it->second.where != where)
        return std::nullopt;
    return std::any_cast<T>(it->second.value);
}

// After the reading, whose session it is kept for.
template <class T> void keep(const QString &what, const T &value)
{
    DataModule &dm = dm1();
    Kept k{dm.session(Conn::PostVenta), postSalesPlace(), value};
    const QMutexLocker lock(&keptLock());
    kept()[{&dm, what}] = std::move(k);
}

void forget(const QString &what)
{
    const QMutexLocker lock(&keptLock());
    for (auto it = kept().begin(); it != kept().end();)
        it = it->first.second == what ? kept().erase(it) : std::next(it);
}

QString listKey(Table t)
{
    return QStringLiteral("list/%1").arg(int(t));
}

const QString brandsKey = QStringLiteral("brands");
const QString typesKey = QStringLiteral("operations");

QString modelsKey(const QString &brand)
{
    return QStringLiteral("models/") + brand;
}

NamedQuery &brandsStatement()
{
    NamedQuery &q = postSalesStatement(QStringLiteral("MasterFiles.marcas"),
                                       QStringLiteral("select marca from marcas order by marca"));
    q.close();
    return q;
}

} // namespace

QVector<Item> List(Table t, const QString &contains)
{
    const bool filtered = !contains.trimmed().isEmpty();
    NamedQuery &q = statement(t, filtered ? "filter" : "list");
    q.close();
    if (filtered)
        q.setParam(QStringLiteral("f"), Lookups::ContainsPattern(contains.trimmed(), QLatin1Char('!')));
    q.open();
    QVector<Item> out = items(q, t);
    if (!filtered)
        keep(listKey(t), out);
    return out;
}

QVector<Item> PickList(Table t)
{
    if (auto known = keptList<QVector<Item>>(listKey(t)))
        return *known;
    return List(t);
}

OrderLists ForOrders(bool operationTypes)
{
    OrderLists out;
    const auto dealersKept = keptList<QVector<Item>>(listKey(Table::Dealers));
    const auto techniciansKept = keptList<QVector<Item>>(listKey(Table::Technicians));
    const auto brandsKept = keptList<QStringList>(brandsKey);
    const auto typesKept = operationTypes ? keptList<QVector<QPair<QString, QString>>>(typesKey) : std::nullopt;
    // What this session has not read yet, in one exchange.
    NamedQuery &dealers = statement(Table::Dealers, "list");
    NamedQuery &technicians = statement(Table::Technicians, "list");
    NamedQuery &brands = brandsStatement();
    NamedQuery &types = postSalesStatement(QStringLiteral("WorkOrderStore.operations"),
                                           QStringLiteral("select id, operacion from operaciones order by operacion"));
    Batch b(Conn::PostVenta);
    int asked = 0;
    for (auto [q, known] :
         {std::pair{&dealers, dealersKept.has_value()}, std::pair{&technicians, techniciansKept.has_value()},
          std::pair{&brands, brandsKept.has_value()}, std::pair{&types, !operationTypes || typesKept.has_value()}}) {
        if (known)
            continue;
        q->close();
        b.add(*q, true);
        ++asked;
    }
    if (asked > 0)
        b.run();
    if (dealersKept) {
        out.dealers = *dealersKept;
    } else {
        out.dealers = items(dealers, Table::Dealers);
        keep(listKey(Table::Dealers), out.dealers);
    }
    if (techniciansKept) {
        out.technicians = *techniciansKept;
    } else {
        out.technicians = items(technicians, Table::Technicians);
        keep(listKey(Table::Technicians), out.technicians);
    }
    if (brandsKept) {
        out.brands = *brandsKept;
    } else {
        for (bool more = brands.first(); more; more = brands.next())
            out.brands << brands.text(QStringLiteral("marca"));
        keep(brandsKey, out.brands);
    }
    if (typesKept) {
        out.operationTypes = *typesKept;
    } else if (operationTypes) {
        for (bool more = types.first(); more; more = types.next())
            out.operationTypes.push_back({types.text(QStringLiteral("id")), types.text(QStringLiteral("operacion"))});
        keep(typesKey, out.operationTypes);
    }
    return out;
}

int Add(Table t, const QString &name, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = statement(t, "add");
    q.close();
    q.setParam(QStringLiteral("n"), storedText(name));
    // Forgotten once the write is over, whatever its end.
    const auto renew = qScopeGuard([&] { forget(listKey(t)); });
    return int(WriteOnce::Statement(Conn::PostVenta, ticket, QLatin1String(shapeOf(t).table), q, true));
}

bool Rename(Table t, int id, const QString &name, WriteOnce::Ticket *ticket)
{
    if (NameOf(t, id) == name)
        return true; // unchanged: the row count would say nothing matched
    NamedQuery &q = statement(t, "rename");
    q.close();
    q.setParam(QStringLiteral("n"), storedText(name));
    q.setParam(QStringLiteral("id"), id);
    // Forgotten once the write is over, whatever its end.
    const auto renew = qScopeGuard([&] { forget(listKey(t)); });
    return WriteOnce::Statement(Conn::PostVenta, ticket, QLatin1String(shapeOf(t).table) + QStringLiteral(" cambio"), q,
                                false) > 0;
}

void Remove(Table t, int id, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = statement(t, "remove");
    q.close();
    q.setParam(QStringLiteral("id"), id);
    // Forgotten once the write is over, whatever its end.
    const auto renew = qScopeGuard([&] { forget(listKey(t)); });
    WriteOnce::Statement(Conn::PostVenta, ticket, QLatin1String(shapeOf(t).table) + QStringLiteral(" baja"), q, false);
}

QString NameOf(Table t, int id)
{
    if (id == 0)
        return {};
    NamedQuery &q = statement(t, "name");
    q.close();
    q.setParam(QStringLiteral("id"), id);
    q.open();
    return q.first() ? q.text(QLatin1String(shapeOf(t).nameColumn)) : QString();
}

QStringList Brands()
{
    QStringList out = column(brandsStatement(), QStringLiteral("marca"));
    keep(brandsKey, out);
    return out;
}

QStringList Models(const QString &brand)
{
    NamedQuery &q = dm1().query(QStringLiteral("SimpleDataSetModelos"));
    q.close();
    q.setParam(QStringLiteral("ma"), storedText(brand));
    QStringList out = column(q, QStringLiteral("modelo_m"));
    keep(modelsKey(brand), out);
    return out;
}

QStringList PickModels(const QString &brand)
{
    if (auto known = keptList<QStringList>(modelsKey(brand)))
        return *known;
    return Models(brand);
}

bool AddBrand(const QString &brand, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = postSalesStatement(QStringLiteral("MasterFiles.addBrand"),
                                       QStringLiteral("insert into marcas (marca) values (:m)"));
    q.close();
    q.setParam(QStringLiteral("m"), storedText(brand));
    // Forgotten once the write is over, whatever its end.
    const auto renew = qScopeGuard([&] { forget(brandsKey); });
    return insertNew(q, QStringLiteral("marcas"), ticket);
}

bool AddModel(const QString &brand, const QString &model, WriteOnce::Ticket *ticket)
{
    NamedQuery &q =
        postSalesStatement(QStringLiteral("MasterFiles.addModel"),
                           QStringLiteral("insert into marcas_modelos (marca_m, modelo_m) values (:b, :m)"));
    q.close();
    q.setParam(QStringLiteral("b"), storedText(brand));
    q.setParam(QStringLiteral("m"), storedText(model));
    // Forgotten once the write is over, whatever its end.
    const auto renew = qScopeGuard([&] { forget(modelsKey(brand)); });
    return insertNew(q, QStringLiteral("marcas_modelos"), ticket);
}

void RemoveModel(const QString &brand, const QString &model, WriteOnce::Ticket *ticket)
{
    NamedQuery &q =
        postSalesStatement(QStringLiteral("MasterFiles.removeModel"),
                           QStringLiteral("delete from marcas_modelos where marca_m = :b and modelo_m = :m"));
    q.close();
    q.setParam(QStringLiteral("b"), storedText(brand));
    q.setParam(QStringLiteral("m"), storedText(model));
    // Forgotten once the write is over, whatever its end.
    const auto renew = qScopeGuard([&] { forget(modelsKey(brand)); });
    WriteOnce::Statement(Conn::PostVenta, ticket, QStringLiteral("marcas_modelos baja"), q, false);
}

} // namespace MasterFiles
