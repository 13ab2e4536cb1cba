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
    if (QWidget *w = form.findChild<QWidget *>(name)) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, QColor(255, 128, 128));
        p.setColor(QPalette::Button, QColor(255, 128, 128));
        w->setPalette(p);
        w->setAutoFillBackground(true);
        w->setProperty("marcado", true);
    }
}

void onAccept(TRevisionAnualForm &form)
{
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
        out = SaveOperation(r, profileById(Global.InstallationId), prompter, progress, Clock::today(), replacing);
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
    QObject::connect(&form, &TRevisionAnualForm::acceptRequested, &form, [&form] { onAccept(form); });
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
