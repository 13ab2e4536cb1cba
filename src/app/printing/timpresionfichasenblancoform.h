#pragma once

#include "app/printing/copiesprintform.h"

// "Impresión de Ficha en Blanco": the profile's empty technical sheet with
// the workshop's and the PEC's identity, to be filled in by hand. Opening it
// empties the operation's cylinder work table, as a new operation would.
class TImpresionFichasEnBlancoForm : public CopiesPrintForm
{
    Q_OBJECT
public:
    explicit TImpresionFichasEnBlancoForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

protected:
    Report::ReportForm document() override;
};
