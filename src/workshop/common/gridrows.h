#pragma once

#include "data/masterfiles.h"

#include <QSqlRecord>
#include <QVariant>
#include <QVector>
#include <initializer_list>
#include <utility>

// The result grids show records; the repositories hand typed rows. These
// turn one into the other.
namespace GridRows
{

QSqlRecord record(std::initializer_list<std::pair<QString, QVariant>> fields);

// Fields "id" and "name".
QVector<QSqlRecord> items(const QVector<MasterFiles::Item> &items);
// One field `field`.
QVector<QSqlRecord> texts(const QStringList &texts, const QString &field);

} // namespace GridRows
