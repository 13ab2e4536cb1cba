#include "operations/form/datesgroup.h"

#include "core/clock.h"
#include "core/operationkind.h"
#include "core/operationrecord.h"
#include "core/prompter.h"
#include "operations/form/fieldkeys.h"
#include "operations/form/reflow.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"

#include <QColor>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVBoxLayout>

namespace OperationForm
{

DatesGroup::DatesGroup(const Context &context)
    : m_context(context), LabelMontaje(Widgets::named(new QLabel(QStringLiteral("Fecha Montaje")), "LabelMontaje")),
      LabelHabilitacion(Widgets::named(new QLabel(QStringLiteral("Fecha de Habilitación")), "LabelHabilitacion")),
      LabelVencimiento(Widgets::named(new QLabel(QStringLiteral("Vencimiento")), "LabelVencimiento")),
      DateTimePickerMontaje(Widgets::datePicker("DateTimePickerMontaje")),
      DateTimePickerHabilitacion(Widgets::datePicker("DateTimePickerHabilitacion")),
      DateTimePickerVencimiento(Widgets::datePicker("DateTimePickerVencimiento")),
      Shape1(Widgets::named(new QFrame, "Shape1")), EditObs(nullptr)
{
    auto *dates = new QWidget;
    auto *g = new QGridLayout(dates);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(3);
    Shape1->setFrameShape(QFrame::NoFrame);
    auto *shapeLayout = new QHBoxLayout(Shape1);
    shapeLayout->setContentsMargins(2, 2, 2, 2);
    shapeLayout->addWidget(DateTimePickerVencimiento);
    g->addWidget(LabelMontaje, 0, 0);
    g->addWidget(LabelHabilitacion, 0, 1);
    g->addWidget(LabelVencimiento, 0, 2);
    g->addWidget(DateTimePickerMontaje, 1, 0);
    g->addWidget(DateTimePickerHabilitacion, 1, 1);
    g->addWidget(Shape1, 1, 2);

    auto *observations = new QWidget;
    auto *o = new QVBoxLayout(observations);
    o->setContentsMargins(0, 0, 0, 0);
    o->setSpacing(3);
    o->addWidget(new QLabel(QStringLiteral("Observaciones:")));
    EditObs = Widgets::columnField("EditObs", 90);
    o->addWidget(EditObs);
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(new DatesRow(dates, observations));

    setUpperCase(EditObs);
    context.keys.watch(DateTimePickerVencimiento, FieldKeys::Keys::None);
    context.rules.onExit(DateTimePickerVencimiento, [this] { expiryLeft(); });
}

void DatesGroup::read(OperationRecord &r) const
{
    r.fechaMontaje = DateTimePickerMontaje->date();
    r.fechaHabilitacion = DateTimePickerHabilitacion->date();
    r.fechaVencimiento = DateTimePickerVencimiento->date();
    r.observaciones = EditObs->text();
}

void DatesGroup::fill(const OperationRecord &r)
{
    if (r.fechaMontaje.isValid())
        DateTimePickerMontaje->setDate(r.fechaMontaje);
    if (r.fechaHabilitacion.isValid())
        DateTimePickerHabilitacion->setDate(r.fechaHabilitacion);
    if (r.fechaVencimiento.isValid())
        DateTimePickerVencimiento->setDate(r.fechaVencimiento);
    EditObs->setText(r.observaciones);
}

void DatesGroup::applyKind(const OperationKindLayout &k)
{
    const KindDates dates = StandardDates(Clock::today());
    DateTimePickerMontaje->setDate(dates.mounting);
    DateTimePickerHabilitacion->setDate(dates.enabling);
    DateTimePickerVencimiento->setDate(dates.expiry);
    for (QWidget *w : std::initializer_list<QWidget *>{DateTimePickerHabilitacion, LabelHabilitacion,
                                                       DateTimePickerVencimiento, LabelVencimiento, Shape1})
        w->setVisible(!k.hidesEnablingAndExpiry);
    LabelMontaje->setText(k.mountingDateLabel);
}

void DatesGroup::lock()
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{DateTimePickerMontaje, DateTimePickerHabilitacion, DateTimePickerVencimiento})
        w->setEnabled(false);
    EditObs->setReadOnly(true);
}

QDate DatesGroup::enabling() const
{
    return DateTimePickerHabilitacion->date();
}

QDate DatesGroup::expiry() const
{
    return DateTimePickerVencimiento->date();
}

void DatesGroup::setExpiry(const QDate &date)
{
    DateTimePickerVencimiento->setDate(date);
}

void DatesGroup::frameExpiry()
{
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setStyleSheet(QStringLiteral("#Shape1 { border: 2px solid red; }"));
}

void DatesGroup::markObservations()
{
    QPalette pal = EditObs->palette();
    pal.setColor(QPalette::Base,
                 EditObs->text().isEmpty() ? m_context.form->palette().color(QPalette::Base) : QColor(254, 173, 169));
    EditObs->setPalette(pal);
}

void DatesGroup::expiryLeft()
{
    if (IsExpiryWithinLimit(DateTimePickerVencimiento->date(), DateTimePickerHabilitacion->date()))
        return;
    m_context.prompter.error(QStringLiteral("Fecha de Vencimiento Invalida."));
    m_context.rules.refocus(DateTimePickerVencimiento);
}

} // namespace OperationForm
