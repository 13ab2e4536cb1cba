#include "data/masterfiles.h"

#include "core/lookuprules.h"
#include "data/postsalesstatements.h"
#include "data/writeonce.h"

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
    return items(q, t);
}

OrderLists ForOrders(bool operationTypes)
{
    NamedQuery &dealers = statement(Table::Dealers, "list");
    NamedQuery &technicians = statement(Table::Technicians, "list");
    NamedQuery &brands = brandsStatement();
    NamedQuery &types = postSalesStatement(QStringLiteral("WorkOrderStore.operations"),
                                           QStringLiteral("select id, operacion from operaciones order by operacion"));
    Batch b(Conn::PostVenta);
    for (NamedQuery *q : {&dealers, &technicians, &brands, &types}) {
        if (q == &types && !operationTypes)
            continue;
        q->close();
        b.add(*q, true);
    }
    b.run();
    OrderLists out;
    out.dealers = items(dealers, Table::Dealers);
    out.technicians = items(technicians, Table::Technicians);
    for (bool more = brands.first(); more; more = brands.next())
        out.brands << brands.text(QStringLiteral("marca"));
    if (operationTypes)
        for (bool more = types.first(); more; more = types.next())
            out.operationTypes.push_back({types.text(QStringLiteral("id")), types.text(QStringLiteral("operacion"))});
    return out;
}

int Add(Table t, const QString &name, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = statement(t, "add");
    q.close();
    q.setParam(QStringLiteral("n"), storedText(name));
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
    return WriteOnce::Statement(Conn::PostVenta, ticket, QLatin1String(shapeOf(t).table) + QStringLiteral(" cambio"), q,
                                false) > 0;
}

void Remove(Table t, int id, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = statement(t, "remove");
    q.close();
    q.setParam(QStringLiteral("id"), id);
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
    return column(brandsStatement(), QStringLiteral("marca"));
}

QStringList Models(const QString &brand)
{
    NamedQuery &q = dm1().query(QStringLiteral("SimpleDataSetModelos"));
    q.close();
    q.setParam(QStringLiteral("ma"), storedText(brand));
    return column(q, QStringLiteral("modelo_m"));
}

bool AddBrand(const QString &brand, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = postSalesStatement(QStringLiteral("MasterFiles.addBrand"),
                                       QStringLiteral("insert into marcas (marca) values (:m)"));
    q.close();
    q.setParam(QStringLiteral("m"), storedText(brand));
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
    WriteOnce::Statement(Conn::PostVenta, ticket, QStringLiteral("marcas_modelos baja"), q, false);
}

} // namespace MasterFiles
