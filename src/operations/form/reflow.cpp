#include "operations/form/reflow.h"

#include <QEvent>
#include <QGridLayout>
#include <QStyle>

namespace OperationForm
{

Reflowing::Reflowing()
{
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(0, 0, 0, 0);
}

bool Reflowing::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window() && event->type() == QEvent::Resize)
        follow();
    return false;
}

void Reflowing::showEvent(QShowEvent *event)
{
    if (!m_watching) {
        m_watching = true;
        window()->installEventFilter(this);
    }
    follow();
    QWidget::showEvent(event);
}

int Reflowing::least(const QWidget *w)
{
    return qMax(w->minimumWidth(), w->minimumSizeHint().width());
}

int Reflowing::gap() const
{
    return qMax(m_grid->horizontalSpacing(), 0);
}

void Reflowing::clear(const QList<QWidget *> &widgets)
{
    for (QWidget *w : widgets)
        m_grid->removeWidget(w);
    for (int i = 0; i < 4; ++i) {
        m_grid->setRowStretch(i, 0);
        m_grid->setColumnStretch(i, 0);
    }
}

void Reflowing::follow()
{
    constexpr int kFormMargins = 8 + 8;
    reflow(window()->width() - kFormMargins - style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

UpperBlocks::UpperBlocks(QWidget *vehicle, QWidget *regulator, QWidget *owner)
    : m_vehicle(vehicle), m_regulator(regulator), m_owner(owner)
{
    m_grid->setVerticalSpacing(4);
    arrange(Wide);
}

void UpperBlocks::reflow(int room)
{
    if (room >= qMax(least(m_vehicle), least(m_regulator)) + gap() + least(m_owner))
        arrange(Wide);
    else if (room >= qMax(least(m_vehicle) + gap() + least(m_owner), least(m_regulator)))
        arrange(Medium);
    else
        arrange(Narrow);
}

void UpperBlocks::arrange(Arrangement a)
{
    if (a == m_now)
        return;
    m_now = a;
    clear({m_vehicle, m_regulator, m_owner});
    m_grid->addWidget(m_vehicle, 0, 0, Qt::AlignTop);
    switch (a) {
    case Wide:
        m_grid->addWidget(m_regulator, 1, 0, Qt::AlignTop);
        m_grid->addWidget(m_owner, 0, 1, 2, 1, Qt::AlignTop);
        m_grid->setRowStretch(1, 1);
        m_grid->setColumnStretch(1, 1);
        break;
    case Medium:
        m_grid->addWidget(m_owner, 0, 1, Qt::AlignTop);
        m_grid->addWidget(m_regulator, 1, 0, 1, 2);
        m_grid->setColumnStretch(1, 1);
        break;
    case Narrow:
        m_grid->addWidget(m_regulator, 1, 0);
        m_grid->addWidget(m_owner, 2, 0);
        break;
    }
    m_grid->setColumnStretch(0, 1);
}

DatesRow::DatesRow(QWidget *dates, QWidget *observations) : m_dates(dates), m_observations(observations)
{
    m_grid->setVerticalSpacing(3);
    arrange(false);
}

void DatesRow::reflow(int room)
{
    arrange(room < least(m_dates) + gap() + least(m_observations));
}

void DatesRow::arrange(bool below)
{
    if (m_arranged && below == m_below)
        return;
    m_arranged = true;
    m_below = below;
    clear({m_dates, m_observations});
    m_grid->addWidget(m_dates, 0, 0, Qt::AlignLeft);
    if (below) {
        m_grid->addWidget(m_observations, 1, 0);
        m_grid->setColumnStretch(0, 1);
    } else {
        m_grid->addWidget(m_observations, 0, 1);
        m_grid->setColumnStretch(1, 1);
    }
}

} // namespace OperationForm
