#include "operations/windows.h"

#include "app/daysummarypanel.h"
#include "app/navigator.h"
#include "data/localstore.h"
#include "data/outbox.h"
#include "operations/cylinders/cylinderactions.h"
#include "operations/lookups/tbuscarreguladorform.h"
#include "operations/lookups/tbusquedaporapellidoform.h"
#include "operations/outbox/tenesperaform.h"
#include "operations/save/outboxsend.h"
#include "operations/trevisionanualform.h"
#include "widgets/messages.h"
#include "widgets/modalrun.h"

namespace Operations
{

void registerWindows(Navigator &nav)
{
    nav.add<Nav::OpenOperation>(TRevisionAnualForm::openNew);
    nav.add<Nav::EditPending>(TRevisionAnualForm::editPending);
    nav.add<Nav::ViewOperation>(TRevisionAnualForm::view);
    nav.add<Nav::OpenWaiting>(TRevisionAnualForm::openWaiting);
    nav.add(WindowId::Outbox, [](QWidget *parent) {
        TEnEsperaForm form(parent, guiPrompter());
        Widgets::runModal(form);
    });
    DaySummaryPanel::setOutboxHook({[] { return Outbox::instance().count(); },
                                    [](QWidget *parent) { navigator().request(Nav::Open{WindowId::Outbox}, parent); }});
    nav.add(WindowId::OwnerSearch, [](QWidget *parent) {
        TBusquedaPorApellidoForm form(parent, guiPrompter());
        form.setMode(1); // a query: the main window ignores the choice
        form.exec();
    });
    // The conversion-order forms of the workshop pick regulators and enter
    // cylinders with the operation form's dialogs.
    nav.add<Nav::PickRegulator>([](const Nav::PickRegulator &r, QWidget *parent) -> Nav::PickRegulator::Result {
        TBuscarReguladorForm dlg(parent, guiPrompter());
        if (!r.search.isEmpty())
            dlg.preSearch(r.search);
        if (Widgets::runModal(dlg) != QDialog::Accepted || !dlg.hasSelection())
            return std::nullopt;
        return Nav::RegulatorChoice{dlg.selectedText(QStringLiteral("codigo")),
                                    dlg.selectedText(QStringLiteral("Marca"))};
    });
    nav.add<Nav::EditCylinder>([](const Nav::EditCylinder &r, QWidget *parent) {
        LocalTable &table = localStore().table(LocalTableId::Cylinders);
        table.open();
        const Cylinders::EntryContext context{r.kind, r.domain, parent, guiPrompter()};
        return r.row < 0 ? Cylinders::AddCylinder(table, context) : Cylinders::ModifyCylinder(table, r.row, context);
    });
}

void startOutbox()
{
    OutboxSender::instance().start();
}

} // namespace Operations
