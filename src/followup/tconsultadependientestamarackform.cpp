#include "followup/tconsultadependientestamarackform.h"

TConsultaDePendientesTamarackForm::TConsultaDePendientesTamarackForm(QWidget *parent)
    : TConsultaDePendientesForm(parent, true)
{
    setObjectName(QStringLiteral("ConsultaDePendientesTamarackForm"));
}
