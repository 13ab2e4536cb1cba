#pragma once

#include "core/stickerdetail.h"

#include <QDate>
#include <QHash>
#include <QSqlRecord>
#include <QString>
#include <QVector>

class LocalTable;

// The stickers the PEC assigned to a workshop's operations. Failures throw
// DbError.
namespace StickerRepository
{

// The workshop's operations whose sticker was assigned between `from` and
// `to` (both days included), by assignment date: talcuit, tnrointopr,
// udescgest, uapeynom, umarca, umodelo, uano, udominio, uobleanew, xfecasig,
// ucodgest.
QVector<QSqlRecord> Assigned(const QString &workshop, const QDate &from, const QDate &to);

struct Parts {
    QVector<StickerDetail::Part> regulators;
    QVector<StickerDetail::Cylinder> cylinders;
};

// How Parts are keyed: the operation's (talcuit, tnrointopr).
QString OperationKey(const QVariant &talcuit, const QVariant &tnrointopr);

// The regulators and cylinders of the same operations as Assigned(), each
// operation's in the order the server gives them; two readings in all.
QHash<QString, Parts> PartsOfAssigned(const QString &workshop, const QDate &from, const QDate &to);

// Empties the detail print buffer (`AuxObleas`) and appends the lines.
void FillDetailTable(LocalTable &table, const QVector<StickerDetail::Line> &lines);

} // namespace StickerRepository
