#include "workshop/stats/trankingfallasform.h"

#include "core/clock.h"

TRankingFallasForm::TRankingFallasForm(QWidget *parent, Prompter &prompter)
    : FaultRankingForm(QStringLiteral("TRankingFallasForm"), QStringLiteral("Ranking de Fallas"), parent, prompter)
{
}

std::optional<FaultRankingForm::Selection> TRankingFallasForm::selection()
{
    Selection s;
    s.bounds = Ranking::EveryOrder();
    s.layout = QStringLiteral("TQRankingFallasForm");
    // Every order whatever its date; the report's period line reads today.
    s.header.workshopLine = Ranking::kEveryWorkshop;
    s.header.periodLine = Ranking::PeriodLine(Clock::today(), Clock::today());
    return s;
}
