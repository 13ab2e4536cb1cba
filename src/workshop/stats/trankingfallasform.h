#pragma once

#include "workshop/stats/faultrankingform.h"

// "Ranking de Fallas": the faults of every work order of every workshop.
class TRankingFallasForm : public FaultRankingForm
{
    Q_OBJECT
public:
    TRankingFallasForm(QWidget *parent, Prompter &prompter);

protected:
    std::optional<Selection> selection() override;
};
