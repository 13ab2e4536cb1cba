#pragma once

#include "workshop/orders/tconsultaottform.h"

// "Consulta de Ordenes de Trabajo": the work orders of one criterion, of
// every workshop or one, searched as the conversion orders are; "Ver" opens
// one for correction.
class TConsultaOPVForm : public TConsultaOTTForm
{
    Q_OBJECT
public:
    TConsultaOPVForm(QWidget *parent, Prompter &prompter);

protected:
    Fetch fetcher() const override;
    void open(const OrderKey &order) override;
};
