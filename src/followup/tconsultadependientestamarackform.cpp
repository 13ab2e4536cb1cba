#include "followup/tconsultadependientestamarackform.h"

TConsultaDePendientesTamarackForm::TConsultaDePendientesTamarackForm(QWidget *parent, Prompter &prompter)
    : TConsultaDePendientesForm(parent, prompter, true)
{
    setObjectName(QStringLiteral("ConsultaDePendientesTamarackForm"));
}
