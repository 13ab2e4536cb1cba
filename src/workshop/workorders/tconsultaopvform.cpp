#include "workshop/workorders/tconsultaopvform.h"

#include "data/workorderstore.h"
#include "widgets/modalrun.h"
#include "workshop/common/gridrows.h"
#include "workshop/workorders/topveditform.h"

namespace
{

Widgets::SearchDialog::Setup setup()
{
    Widgets::SearchDialog::Setup s;
    s.objectName = QStringLiteral("TConsultaOPVForm");
    s.caption = QStringLiteral("Consulta de Ordenes de Trabajo");
    s.columns = {{QStringLiteral("Orden Nro"), QStringLiteral("numero"), 8, true},
                 {QStringLiteral("Propietario"), QStringLiteral("propietario"), 50},
                 {QStringLiteral("VIN"), QStringLiteral("vin"), 20},
                 {QStringLiteral("Dominio"), QStringLiteral("dominio"), 7, true},
                 {QStringLiteral("Marca"), QStringLiteral("marca"), 20},
                 {QStringLiteral("Modelo"), QStringLiteral("modelo"), 20},
                 {QStringLiteral("Taller"), QStringLiteral("taller"), 7, true},
                 {QStringLiteral("Fecha"), QStringLiteral("fecha"), 10, true, Widgets::GridColumn::Kind::Date}};
    s.palette = Widgets::GridPalette::Green;
    s.size = {980, 520};
    return s;
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
