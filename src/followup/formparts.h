#pragma once

#include <QSqlRecord>
#include <QString>
#include <QVector>

class QDateEdit;
class QHBoxLayout;
class QWidget;

namespace Widgets
{
class ResultGridModel;
}

// Controls the follow-up windows share.
namespace Followup
{

// "Desde" [picker] "Hasta" [picker], left aligned.
QHBoxLayout *periodRow(QDateEdit *desde, QDateEdit *hasta, QWidget *parent);

// The records a grid lists, for a print of them.
QVector<QSqlRecord> listedRecords(const Widgets::ResultGridModel &model);

} // namespace Followup
