#include "app/printing/timpresionfichasenblancoform.h"

#include "core/fichavalues.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dberror.h"
#include "data/localstore.h"
#include "documents/sheet.h"

TImpresionFichasEnBlancoForm::TImpresionFichasEnBlancoForm(QWidget *parent, Prompter &prompter)
    : CopiesPrintForm(parent, prompter, QStringLiteral("ImpresionFichasEnBlancoForm"),
                      QString::fromUtf8("Impresión Fichas en Blanco"))
{
    try {
        LocalTable &work = localStore().table(LocalTableId::Cylinders);
        if (!work.isOpen())
            work.open();
        work.empty();
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
}

Report::ReportForm TImpresionFichasEnBlancoForm::document()
{
    const InstallationProfile &profile = currentProfile();
    return Documents::MakeSheet(profile.emptyFichaLayout, Ficha::EmptySheetData(Global, profile));
}
