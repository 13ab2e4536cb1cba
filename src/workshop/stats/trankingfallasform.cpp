#include "workshop/stats/trankingfallasform.h"

TRankingFallasForm::TRankingFallasForm(QWidget *parent, Prompter &prompter)
    : FaultRankingForm(QStringLiteral("TRankingFallasForm"), QStringLiteral("Ranking de Fallas"), parent, prompter)
{
}

std::optional<FaultRankingForm::Selection> TRankingFallasForm::selection()
{
    Selection s;
    s.bounds = Ranking::EveryOrder();
    s.layout = QStringLiteral("TQRankingFallasForm");
    // Every order whatever its date: the report prints no period line.
    s.header.workshopLine = Ranking::kEveryWorkshop;
    return s;
}
