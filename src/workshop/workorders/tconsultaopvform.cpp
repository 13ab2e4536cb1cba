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

QVector<QSqlRecord> TConsultaOPVForm::fetch(const OrderSearch::Filter &filter)
{
    QVector<QSqlRecord> rows;
    for (const WorkOrderStore::ListRow &r : WorkOrderStore::Find(filter))
        rows << GridRows::record({{QStringLiteral("numero"), r.numero},
                                  {QStringLiteral("propietario"), r.propietario},
                                  {QStringLiteral("vin"), r.vin},
                                  {QStringLiteral("dominio"), r.dominio},
                                  {QStringLiteral("marca"), r.marca},
                                  {QStringLiteral("modelo"), r.modelo},
                                  {QStringLiteral("taller"), r.taller},
                                  {QStringLiteral("fecha"), r.fecha}});
    return rows;
}

void TConsultaOPVForm::open(const OrderKey &order)
{
    TOPVEditForm form(this, prompter());
    if (form.Load(order.taller, order.numero))
        Widgets::runModal(form);
}
