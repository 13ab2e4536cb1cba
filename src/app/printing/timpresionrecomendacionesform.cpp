#include "app/printing/timpresionrecomendacionesform.h"

#include "documents/registry.h"

TImpresionRecomendacionesForm::TImpresionRecomendacionesForm(QWidget *parent, Prompter &prompter)
    : CopiesPrintForm(parent, prompter, QStringLiteral("ImpresionRecomendacionesForm"),
                      QStringLiteral("Imprimir Recomendaciones de Seguridad"))
{
}

Report::ReportForm TImpresionRecomendacionesForm::document()
{
    return Documents::MakeFixedDocument(QStringLiteral("TQRecomendacionesForm"));
}
