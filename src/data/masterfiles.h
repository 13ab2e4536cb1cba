#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The small master files of the post-sales database that the orders pick
// from: technicians, faults, jobs, dealers, brands and models. Every one is
// read and written through the post-sales connection (the dealers too, so
// that the orders' dealer ids and the dealers window name one table).
// Failures throw DbError.
namespace WriteOnce
{
struct Ticket;
}

// Each write goes under the operator's ticket (one of its own when none is
// given) with its token, in one exchange (see WriteOnce).
namespace MasterFiles
{

struct Item {
    int id = 0;
    QString name;
    bool operator==(const Item &) const = default;
};

enum class Table {
    Technicians, // operarios (id, nombre), by id
    Faults,      // fallas (id, falla), by description
    Jobs,        // trabajos_realizados (id, trabajo_realizado), by description
    Dealers      // clientes (id, cliente), by name
};

// Every row, or those whose name contains `contains` (literally, anywhere).
QVector<Item> List(Table table, const QString &contains = {});
// Every row for a picker: read once per session of the post-sales
// connection (List, the maintenance windows' reading, renews it), and read
// again after a change made here.
QVector<Item> PickList(Table table);
// A new row with a generated id; returns that id, or 0 when another row
// already has exactly that name (nothing is added).
int Add(Table table, const QString &name, WriteOnce::Ticket *ticket = nullptr);
// False when another row already has exactly that name (nothing changes).
bool Rename(Table table, int id, const QString &name, WriteOnce::Ticket *ticket = nullptr);
// Deletes the row; orders that still name it keep the id.
void Remove(Table table, int id, WriteOnce::Ticket *ticket = nullptr);
// The name of a row; empty when there is no such row (0, or deleted).
QString NameOf(Table table, int id);

// What the order forms pick from: dealers, technicians and brands, and the
// kinds of operation (`operaciones`: id, name) when `operationTypes`. What
// the session has not read yet (as PickList) comes in one exchange.
struct OrderLists {
    QVector<Item> dealers, technicians;
    QStringList brands;
    QVector<QPair<QString, QString>> operationTypes;
};
OrderLists ForOrders(bool operationTypes);

// Brands (sorted) and the models of one brand (sorted).
QStringList Brands();
QStringList Models(const QString &brand);
// The models of a brand for a picker, kept like PickList.
QStringList PickModels(const QString &brand);
// False when the brand (or the brand's model) is already there.
bool AddBrand(const QString &brand, WriteOnce::Ticket *ticket = nullptr);
bool AddModel(const QString &brand, const QString &model, WriteOnce::Ticket *ticket = nullptr);
void RemoveModel(const QString &brand, const QString &model, WriteOnce::Ticket *ticket = nullptr);

} // namespace MasterFiles
