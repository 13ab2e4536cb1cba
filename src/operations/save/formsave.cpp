#include "operations/save/formsave.h"

#include "core/clock.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dberror.h"
#include "data/errordetails.h"
#include "data/outbox.h"
#include "data/pendingstore.h"
#include "operations/attachments/taccesoriosform.h"
#include "operations/attachments/tadjuntararchivosform.h"
#include "operations/print/fichaprint.h"
#include "operations/save/outboxsend.h"
#include "operations/save/saveoperation.h"
#include "operations/trevisionanualform.h"
#include "widgets/serverwait.h"
#include "widgets/waitcursor.h"

namespace OperationSave
{

namespace
{

// The form's progress panel: every line moves the bar one step.
class FormProgress : public Progress
{
public:
    explicit FormProgress(TRevisionAnualForm &form) : m_form(form) {}
    void open(int steps) override { m_form.showProgress(steps); }
    void line(const QString &text) override { m_form.addProgressStep(text); }
    void position(int) override {}
    void hide() override { m_form.hideProgress(); }

private:
    TRevisionAnualForm &m_form;
};

// One write per opening of the form: "Aceptar" again after an answer that
// never came goes under the same ticket, so it cannot store the operation twice.
class SaveTicket : public QObject
{
public:
    using QObject::QObject;
    WriteOnce::Ticket ticket;
    bool saving = false; // the window repaints while it saves: "Aceptar" meanwhile does nothing
    qint64 outboxId = 0; // the outbox entry the form was opened on, if any
};

// The server could not be reached: a new operation waits on this
// workstation under the same ticket, and the form goes on as after a save.
bool keepWaiting(TRevisionAnualForm &form, SaveTicket &once, const OperationRecord &r, const OutboxSend::AnswerLog &log,
                 const DbError &failure, bool unknown)
{
    Prompter &prompter = form.prompter();
    try {
        Outbox::instance().add(r, once.ticket, log.answers(), once.outboxId);
    } catch (const DbError &e) {
        prompter.error(failure.text() + QStringLiteral("\n\n") + e.text());
        return false;
    }
    const QString why = OutboxSend::FirstLine(failure.text());
    prompter.info(why + QStringLiteral("\n\n") +
                  (unknown ? QStringLiteral("La operación quedó guardada en este equipo, en espera de envío: al "
                                            "enviarla se controla si ya había llegado al PEC, y nunca se carga dos "
                                            "veces.")
                           : QStringLiteral("La operación quedó guardada en este equipo, en espera de envío: se "
                                            "enviará sola cuando el servidor del PEC responda (\"Operaciones en "
                                            "espera de envío\" en la ventana principal).")));
    return true;
}

// The operation is stored, or waits here: the form closes whatever happens
// while printing, or a second "Aceptar" would store it twice.
void printAndClose(TRevisionAnualForm &form, FichaPrint::Server server = FichaPrint::Server::Reachable)
{
    struct CloseForm {
        TRevisionAnualForm &form;
        ~CloseForm() { form.accept(); }
    } closing{form};
    FichaPrint::AfterSave(form, server);
}

bool replacingPending(const TRevisionAnualForm &form)
{
    return form.editingPending() && form.pendingId() > 0;
}

void onAccept(TRevisionAnualForm &form, SaveTicket &once)
{
    if (once.saving)
        return;
    once.saving = true;
    struct Done {
        bool &flag;
        ~Done() { flag = false; }
    } done{once.saving};
    Prompter &prompter = form.prompter();
    OutboxSend::AnswerLog log(prompter);
    OperationRecord r = form.record();
    if (form.editingPending() && !form.pendingValveSticker().isEmpty())
        r.obleaAnt = form.pendingValveSticker();
    SaveOutcome out;
    try {
        Widgets::WaitCursor wait;
        std::optional<int> replacing;
        if (replacingPending(form))
            replacing = form.pendingId();
        FormProgress progress(form);
        out = SaveOperation(r, profileById(Global.InstallationId), log, progress, Clock::today(), replacing,
                            &once.ticket, &form);
    } catch (const DbError &e) {
        form.hideProgress();
        // Only a new operation waits here: an edited pending one is the PEC's already.
        const bool unknown = dynamic_cast<const WriteOnce::UnknownOutcome *>(&e) != nullptr;
        // "Cancelar" with nothing stored is the operator's own stop.
        const bool cancelled = dynamic_cast<const Widgets::ServerWait::Cancelled *>(&e) != nullptr;
        if (!replacingPending(form) && !cancelled && (unknown || ErrorDetails::unreachable(e.code()))) {
            if (keepWaiting(form, once, r, log, e, unknown))
                printAndClose(form, FichaPrint::Server::Unreachable);
            return;
        }
        prompter.error(e.text());
        return;
    } catch (const PendingStore::AttachmentError &e) {
        form.hideProgress();
        prompter.error(e.text());
        return;
    }

    // A required field that failed a check turns light red and stays so. A
    // pending operation loaded without its sticker marks a field the operator
    // cannot see: say so.
    form.markFailed(out.checks.marked());
    if (out.checks.marked().contains(QStringLiteral("ObleaAntEdit")) && !form.showsPreviousSticker())
        prompter.error(QStringLiteral("La operación no tiene oblea actual: no se puede guardar."));
    if (out.checks.expiry.isValid())
        form.setExpiry(out.checks.expiry);
    if (out.checks.phRequired)
        form.setPhRequired();
    if (!out.saved) {
        if (!out.checks.focus.isEmpty())
            form.focusField(out.checks.focus);
        return;
    }
    if (once.outboxId > 0) {
        try {
            Outbox::instance().remove(once.outboxId);
        } catch (const DbError &e) {
            // Sent again later, it meets its ticket and stores nothing.
            prompter.warn(e.text());
        }
    }
    printAndClose(form);
}

} // namespace

void WireOperationForm(TRevisionAnualForm &form, const OutboxEntry *waiting)
{
    auto *once = new SaveTicket(&form);
    if (waiting) {
        once->ticket = waiting->ticket;
        once->outboxId = waiting->id;
    }
    QObject::connect(&form, &TRevisionAnualForm::acceptRequested, &form, [&form, once] { onAccept(form, *once); });
    QObject::connect(&form, &TRevisionAnualForm::accessoriesRequested, &form, [&form] {
        std::array<QString, 24> values = form.accessories();
        TAccesoriosForm::edit(values, &form, form.isConsultation());
        form.setAccessories(values);
    });
    QObject::connect(&form, &TRevisionAnualForm::attachmentsRequested, &form, [&form] {
        std::array<QString, 3> paths = form.attachmentPaths();
        TAdjuntarArchivosForm::edit(paths, &form, form.prompter(), form.isConsultation());
        form.setAttachmentPaths(paths);
    });
}

} // namespace OperationSave
