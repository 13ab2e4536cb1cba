#pragma once

#include "widgets/resultgrid.h"
#include "workshop/stats/faultrankingform.h"

class QDateEdit;
class QTableView;

// "Rankinkg de Fallas por Concesionario" (the caption as the operators know
// it): the faults of one dealer's work orders in a period.
class TRankingXConcesionarioVersion2Form : public FaultRankingForm
{
    Q_OBJECT
public:
    TRankingXConcesionarioVersion2Form(QWidget *parent, Prompter &prompter);

private:
    QDateEdit *DateTimePicker1 = nullptr, *DateTimePicker2 = nullptr;
    QTableView *DBGrid1 = nullptr; // "Seleccionar Concesionario"

protected:
    void showEvent(QShowEvent *event) override;
    std::optional<Selection> selection() override;

private:
    Widgets::ResultGridModel *m_dealers = nullptr;
    bool m_loaded = false;
};
