#include "app/windows.h"

#include "app/navigator.h"
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
}

} // namespace App
