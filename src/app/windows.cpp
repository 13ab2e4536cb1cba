#include "app/windows.h"

#include "app/navigator.h"
#include "app/printing/tconfigcopiasform.h"
#include "app/printing/timpresionfichasenblancoform.h"
#include "app/printing/timpresionrecomendacionesform.h"
#include "app/tcambiarpasswordform.h"
#include "app/tselloform.h"
#include "app/tversionesform.h"

namespace App
{

void registerWindows(Navigator &nav)
{
    nav.addForm<TCambiarPasswordForm>(WindowId::ChangePassword);
    nav.addForm<TSelloForm>(WindowId::TechnicalStamp);
    nav.addForm<TVersionesForm>(WindowId::VersionSummary);
    nav.addForm<TConfigCopiasForm>(WindowId::CopiesConfiguration);
    nav.addForm<TImpresionRecomendacionesForm>(WindowId::SafetyRecommendations);
    nav.addForm<TImpresionFichasEnBlancoForm>(WindowId::BlankSheets);
}

} // namespace App
