#include "followup/formparts.h"

#include "core/clock.h"
#include "widgets/resultgrid.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace Followup
{

QDateEdit *datePicker(const char *name, QWidget *parent)
{
    auto *d = new QDateEdit(Clock::today(), parent);
    d->setObjectName(QLatin1String(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(Widgets::DateFormat);
    return d;
}

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

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
