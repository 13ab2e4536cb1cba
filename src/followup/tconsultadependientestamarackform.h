#pragma once

#include "followup/tconsultadependientesform.h"

// The pending list with the vehicle's VIN after the owner.
class TConsultaDePendientesTamarackForm : public TConsultaDePendientesForm
{
    Q_OBJECT
public:
    explicit TConsultaDePendientesTamarackForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());
};
