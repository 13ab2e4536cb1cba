#pragma once

#include "app/printing/copiesprintform.h"

// "Impresión Recomendaciones de Seguridad": the safety leaflet handed to the
// vehicle's owner, as many copies as asked.
class TImpresionRecomendacionesForm : public CopiesPrintForm
{
    Q_OBJECT
public:
    explicit TImpresionRecomendacionesForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

protected:
    Report::ReportForm document() override;
};
