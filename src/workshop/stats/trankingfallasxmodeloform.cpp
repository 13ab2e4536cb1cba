#include "workshop/stats/trankingfallasxmodeloform.h"

#include "workshop/stats/modelselector.h"

#include <QVBoxLayout>

TRankingFallasXModeloForm::TRankingFallasXModeloForm(QWidget *parent, Prompter &prompter)
    : FaultRankingForm(QStringLiteral("TRankingFallasXModeloForm"), QStringLiteral("Ranking de Fallas por Modelo"),
                       parent, prompter)
{
    m_selector = new ModelSelector(this);
    selectorArea()->addWidget(m_selector);
}

void TRankingFallasXModeloForm::showEvent(QShowEvent *event)
{
    FaultRankingForm::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    m_selector->load(prompter());
}

std::optional<FaultRankingForm::Selection> TRankingFallasXModeloForm::selection()
{
    const std::optional<Ranking::Bounds> bounds = m_selector->bounds(prompter());
    if (!bounds)
        return std::nullopt;
    Selection s;
    s.bounds = *bounds;
    s.layout = QStringLiteral("TQRankingFallasXModeloForm");
    s.header.workshopLine = m_selector->workshopLine();
    s.header.periodLine = m_selector->periodLine();
    s.header.vehicleLine = m_selector->vehicleLine();
    return s;
}
