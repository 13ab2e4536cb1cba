#include "operations/windows.h"

#include "app/navigator.h"
#include "operations/lookups/tbusquedaporapellidoform.h"
#include "operations/trevisionanualform.h"

namespace Operations
{

void registerWindows(Navigator &nav)
{
    nav.add<Nav::OpenOperation>(TRevisionAnualForm::openNew);
    nav.add<Nav::EditPending>(TRevisionAnualForm::editPending);
    nav.add<Nav::ViewOperation>(TRevisionAnualForm::view);
    nav.add(WindowId::OwnerSearch, [](QWidget *parent) {
        TBusquedaPorApellidoForm form(parent, guiPrompter());
        form.setMode(1); // a query: the main window ignores the choice
        form.exec();
    });
}

} // namespace Operations
