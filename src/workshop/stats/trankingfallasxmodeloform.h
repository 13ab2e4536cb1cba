#pragma once

#include "workshop/stats/faultrankingform.h"

class ModelSelector;

// "Ranking de Fallas por Modelo": the faults of one model's work orders in a
// period, over every workshop or one.
class TRankingFallasXModeloForm : public FaultRankingForm
{
    Q_OBJECT
public:
    TRankingFallasXModeloForm(QWidget *parent, Prompter &prompter);

    ModelSelector *selector() const { return m_selector; }

protected:
    void showEvent(QShowEvent *event) override;
    std::optional<Selection> selection() override;

private:
    ModelSelector *m_selector = nullptr;
    bool m_loaded = false;
};
