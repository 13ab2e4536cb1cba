#pragma once

#include <QSqlRecord>
#include <QString>
#include <QVector>

class QDateEdit;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace Widgets
{
class ResultGridModel;
}

// Controls the follow-up windows share.
namespace Followup
{

// A date picker with its calendar, dd/MM/yyyy, set to today.
QDateEdit *datePicker(const char *name, QWidget *parent);

// A button that Enter in another control never presses.
QPushButton *button(const QString &caption, const char *name, QWidget *parent);

// "Desde" [picker] "Hasta" [picker], left aligned.
QHBoxLayout *periodRow(QDateEdit *desde, QDateEdit *hasta, QWidget *parent);

// The records a grid lists, for a print of them.
QVector<QSqlRecord> listedRecords(const Widgets::ResultGridModel &model);

} // namespace Followup
