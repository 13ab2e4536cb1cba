#include "operations/save/formsave.h"

#include "core/clock.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dberror.h"
#include "data/pendingstore.h"
#include "operations/attachments/taccesoriosform.h"
#include "operations/attachments/tadjuntararchivosform.h"
#include "operations/print/fichaprint.h"
#include "operations/save/saveoperation.h"
#include "operations/trevisionanualform.h"
#include "widgets/formkit.h"
#include "widgets/waitcursor.h"

#include <QDateEdit>
#include <QPushButton>

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

// A required field that failed a check turns light red and stays so.
void markField(TRevisionAnualForm &form, const QString &name)
{
    if (QWidget *w = form.findChild<QWidget *>(name))
        Widgets::markFailed(w);
}

// One write per opening of the form: "Aceptar" again after an answer that
// never came goes under the same ticket, so it cannot store the operation twice.
class SaveTicket : public QObject
{
public:
    using QObject::QObject;
    WriteOnce::Ticket ticket;
    bool saving = false; // the window repaints while it saves: "Aceptar" meanwhile does nothing
};

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
    OperationRecord r = form.record();
    if (form.editingPending() && !form.pendingValveSticker().isEmpty())
        r.obleaAnt = form.pendingValveSticker();
    SaveOutcome out;
    try {
        Widgets::WaitCursor wait;
        std::optional<int> replacing;
        if (form.editingPending() && form.pendingId() > 0)
            replacing = form.pendingId();
        FormProgress progress(form);
        out = SaveOperation(r, profileById(Global.InstallationId), prompter, progress, Clock::today(), replacing,
                            &once.ticket, &form);
    } catch (const DbError &e) {
        form.hideProgress();
        prompter.error(e.text());
        return;
    } catch (const PendingStore::AttachmentError &e) {
        form.hideProgress();
        prompter.error(e.text());
        return;
    }

    for (const QString &field : out.checks.marked())
        markField(form, field);
    // A pending operation loaded without its sticker marks a field the
    // operator cannot see: say so.
    if (auto *sticker = form.findChild<QWidget *>(QStringLiteral("ObleaAntEdit")))
        if (sticker->isHidden() && out.checks.marked().contains(QStringLiteral("ObleaAntEdit")))
            prompter.error(QStringLiteral("La operación no tiene oblea actual: no se puede guardar."));
    if (auto *expiry = form.findChild<QDateEdit *>(QStringLiteral("DateTimePickerVencimiento")))
        if (out.checks.expiry.isValid())
            expiry->setDate(out.checks.expiry);
    if (out.checks.phRequired)
        form.setPhRequired();
    if (!out.saved) {
        if (!out.checks.focus.isEmpty())
            if (QWidget *w = form.findChild<QWidget *>(out.checks.focus))
                w->setFocus();
        return;
    }
    // The operation is stored: the form closes whatever happens while
    // printing, or a second "Aceptar" would store it twice.
    struct CloseForm {
        TRevisionAnualForm &form;
        ~CloseForm() { form.accept(); }
    } closing{form};
    FichaPrint::AfterSave(form);
}

} // namespace

void WireOperationForm(TRevisionAnualForm &form)
{
    auto *once = new SaveTicket(&form);
    QObject::connect(&form, &TRevisionAnualForm::acceptRequested, &form, [&form, once] { onAccept(form, *once); });
    if (auto *b = form.findChild<QPushButton *>(QStringLiteral("BitBtnAccesorios")))
        QObject::connect(b, &QPushButton::clicked, &form, [&form] {
            std::array<QString, 24> values = form.accessories();
            TAccesoriosForm::edit(values, &form, form.isConsultation());
            form.setAccessories(values);
        });
    if (auto *b = form.findChild<QPushButton *>(QStringLiteral("BitBtnAdjuntar")))
        QObject::connect(b, &QPushButton::clicked, &form, [&form] {
            std::array<QString, 3> paths = form.attachmentPaths();
            TAdjuntarArchivosForm::edit(paths, &form, form.prompter(), form.isConsultation());
            form.setAttachmentPaths(paths);
        });
}

} // namespace OperationSave
