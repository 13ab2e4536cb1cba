#include "workshop/workorders/tconsultaopvform.h"

#include "data/workorderstore.h"
#include "widgets/modalrun.h"
#include "workshop/common/gridrows.h"
#include "workshop/common/ordergrid.h"
#include "workshop/workorders/topveditform.h"

namespace
{

Widgets::SearchDialog::Setup setup()
{
    return OrderGrid::setup(QStringLiteral("TConsultaOPVForm"), QStringLiteral("Consulta de Ordenes de Trabajo"),
                            Widgets::GridPalette::Green);
}

} // namespace

TConsultaOPVForm::TConsultaOPVForm(QWidget *parent, Prompter &prompter) : TConsultaOTTForm(setup(), parent, prompter) {}

TConsultaOTTForm::Fetch TConsultaOPVForm::fetcher() const
{
    return [](const OrderSearch::Filter &filter) { return OrderGrid::records(WorkOrderStore::Find(filter)); };
}

void TConsultaOPVForm::open(const OrderKey &order)
{
    TOPVEditForm form(this, prompter());
    if (form.Load(order.taller, order.numero))
        Widgets::runModal(form);
}
