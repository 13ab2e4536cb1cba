#include "followup/formparts.h"

#include "widgets/resultgrid.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>

namespace Followup
{

QHBoxLayout *periodRow(QDateEdit *desde, QDateEdit *hasta, QWidget *parent)
{
    auto *row = new QHBoxLayout;
    auto *label1 = new QLabel(QStringLiteral("Desde"), parent);
    label1->setBuddy(desde);
    auto *label2 = new QLabel(QStringLiteral("Hasta"), parent);
    label2->setBuddy(hasta);
    row->addWidget(label1);
    row->addWidget(desde);
    row->addSpacing(12);
    row->addWidget(label2);
    row->addWidget(hasta);
    row->addStretch();
    return row;
}

QVector<QSqlRecord> listedRecords(const Widgets::ResultGridModel &model)
{
    QVector<QSqlRecord> rows;
    rows.reserve(model.rowCount());
    for (int r = 0; r < model.rowCount(); ++r)
        rows.append(model.record(r));
    return rows;
}

} // namespace Followup
