#pragma once

#include "core/daysummary.h"

#include <QDate>
#include <QSet>
#include <QString>

class LocalTable;

// The day summary's counts of one workshop, read in one exchange.
namespace DaySummaryRepository
{

DaySummary::Reading Read(const QString &workshop, const QDate &today);

// The pending operations this workstation last saw verified with
// observations for the workshop (its local table), and their replacement.
QSet<int> SeenObserved(LocalTable &table, const QString &workshop);
void KeepObserved(LocalTable &table, const QString &workshop, const QVector<int> &ids);

} // namespace DaySummaryRepository
