#include "operations/windows.h"

#include "app/daysummarypanel.h"
#include "app/navigator.h"
#include "core/operationkind.h"
#include "data/localstore.h"
#include "data/outbox.h"
#include "operations/cylinders/cylinderactions.h"
#include "operations/lookups/tbuscarreguladorform.h"
#include "operations/lookups/tbusquedaporapellidoform.h"
#include "operations/outbox/tenesperaform.h"
#include "operations/print/fichaprint.h"
#include "operations/save/formsave.h"
#include "operations/save/outboxsend.h"
#include "operations/trevisionanualform.h"
#include "widgets/messages.h"
#include "widgets/modalrun.h"

#include <QFile>
#include <QTemporaryDir>

namespace Operations
{

namespace
{

// The operation form as the navigator opens it: for a new operation, an
// operation of the outbox, an earlier one read-only, a pending one for
// editing. Each runs the form modally with its save and print wired.
int openNew(const Nav::OpenOperation &request, QWidget *parent)
{
    TRevisionAnualForm form(parent);
    form.SetOperationKind(request.kind);
    form.setCylinders({}); // a new operation starts without cylinders
    OperationSave::WireOperationForm(form);
    FichaPrint::WireFichaButton(form);
    return form.exec();
}

bool openWaiting(const Nav::OpenWaiting &request, QWidget *parent)
{
    std::optional<OutboxEntry> entry;
    try {
        entry = Outbox::instance().entry(request.outboxId);
    } catch (const DbError &e) {
        guiPrompter().error(e.text());
        return false;
    }
    if (!entry)
        return false;
    // The attachments are the outbox's copies, in files of their own while
    // the form is open.
    QTemporaryDir files;
    OperationRecord r = entry->record;
    for (int i = 0; i < 3; ++i) {
        QString &path = r.attachmentPaths[size_t(i)];
        if (path.isEmpty())
            continue;
        path = files.filePath(QStringLiteral("%1-%2").arg(i).arg(entry->fileNames[size_t(i)]));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(entry->files[size_t(i)]) != entry->files[size_t(i)].size()) {
            guiPrompter().error(
                QStringLiteral("No se pudo preparar el archivo adjunto %1 de la operación.").arg(i + 1));
            return false;
        }
    }
    TRevisionAnualForm form(parent);
    form.SetOperationKind(r.kind);
    form.setCylinders(r.cylinders);
    form.applyRecord(r);
    OperationSave::WireOperationForm(form, &*entry);
    FichaPrint::WireFichaButton(form);
    return form.exec() == QDialog::Accepted;
}

int view(const Nav::ViewOperation &request, QWidget *parent)
{
    TRevisionAnualForm form(parent);
    form.SetRecallStickers(request.sticker, request.previousSticker);
    form.SetShownKind(request.kind);
    form.SetOperationKind(ConsultationKind);
    FichaPrint::WireFichaButton(form);
    if (!form.RecallBySticker())
        return QDialog::Rejected;
    return form.exec();
}

int editPending(const Nav::EditPending &request, QWidget *parent)
{
    TRevisionAnualForm form(parent);
    form.SetOperationKind(request.kind);
    form.SetShownKind(request.kind);
    form.SetPendingId(request.pendingId);
    form.setEditingPending(true);
    OperationSave::WireOperationForm(form);
    FichaPrint::WireFichaButton(form);
    if (!form.LoadPendingOperation(request.pendingId))
        return QDialog::Rejected;
    return form.exec();
}

} // namespace

void registerWindows(Navigator &nav)
{
    nav.add<Nav::OpenOperation>(openNew);
    nav.add<Nav::EditPending>(editPending);
    nav.add<Nav::ViewOperation>(view);
    nav.add<Nav::OpenWaiting>(openWaiting);
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
