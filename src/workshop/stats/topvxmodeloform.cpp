#include "workshop/stats/topvxmodeloform.h"

#include "app/navigator.h"
#include "data/statsstore.h"
#include "widgets/progressline.h"
#include "workshop/common/gridrows.h"
#include "workshop/common/ordergrid.h"
#include "workshop/stats/modelselector.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

Widgets::SearchDialog::Setup setup()
{
    return OrderGrid::setup(QStringLiteral("TOPVxModeloForm"), QStringLiteral("Ordenes de Trabajo por Modelo"),
                            Widgets::GridPalette::Blue, 560);
}

} // namespace

TOPVxModeloForm::TOPVxModeloForm(QWidget *parent, Prompter &prompter) : Widgets::SearchDialog(setup(), parent, prompter)
{
    m_selector = new ModelSelector(this);
    BitBtnConsultar = new QPushButton(QStringLiteral("Consultar"), this);
    BitBtnConsultar->setObjectName(QStringLiteral("BitBtnConsultar"));
    progressLine()->holdWhileRunning({BitBtnConsultar});
    auto *top = new QHBoxLayout;
    top->addWidget(m_selector, 1);
    top->addWidget(BitBtnConsultar, 0, Qt::AlignBottom);
    qobject_cast<QVBoxLayout *>(layout())->insertLayout(0, top);

    BitBtnVer = addButton(QStringLiteral("Ver"), QStringLiteral("BitBtnVer"));
    BitBtnCerrar = addButton(QStringLiteral("Cerrar"), QStringLiteral("BitBtnCerrar"));
    acceptOnDoubleClick(BitBtnVer);
    connect(BitBtnConsultar, &QPushButton::clicked, this, &TOPVxModeloForm::BitBtnConsultarClick);
    connect(BitBtnVer, &QPushButton::clicked, this, &TOPVxModeloForm::BitBtnVerClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
}

void TOPVxModeloForm::showEvent(QShowEvent *event)
{
    Widgets::SearchDialog::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    m_selector->load(prompter());
}

void TOPVxModeloForm::BitBtnConsultarClick()
{
    const std::optional<Ranking::Bounds> bounds = m_selector->bounds(prompter());
    if (!bounds)
        return;
    const Ranking::Bounds &b = *bounds;
    runSearchInBackground(Conn::PostVenta, [b] { return OrderGrid::records(StatsStore::OrdersOfModel(b)); });
}

void TOPVxModeloForm::BitBtnVerClick()
{
    if (!hasSelection())
        return;
    navigator().request(
        Nav::ViewWorkOrder{selectedText(QStringLiteral("taller")), selectedValue(QStringLiteral("numero")).toInt()},
        this);
}
