#include "app/dispatch.h"
#include "app/startup.h"
#include "app/tcambiarpasswordform.h"
#include "app/tmainform.h"
#include "app/tselloform.h"
#include "app/tversionesform.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dm1.h"
#include "followup/followuphooks.h"
#include "followup/tconsultaporcilindroform.h"
#include "followup/tconsultaporreguladorform.h"
#include "operations/lookups/tbusquedaporapellidoform.h"
#include "operations/trevisionanualform.h"
#include "widgets/tconfirmdlg.h"

#include <QApplication>

namespace {

template <typename Form>
void openModal(QWidget *parent)
{
    Form form(parent);
    form.exec();
}

// Every window that exists plugs into the main window's nodes and menus here.
void registerWindows()
{
    Dispatch::registerWindow(QStringLiteral("Cambiar clave de acceso"), openModal<TCambiarPasswordForm>);
    Dispatch::registerWindow(QString::fromUtf8("Configurar sello Responsable Técnico del Taller"),
                             openModal<TSelloForm>);
    Dispatch::registerWindow(QStringLiteral("Resumen de Versiones"), openModal<TVersionesForm>);

    // One registration serves the six operation nodes; the kind is already in Global.
    Dispatch::registerWindow(QString::fromUtf8("Conversión"), [](QWidget *parent) {
        TRevisionAnualForm::openForKind(Global.OperationKind, parent);
    });
    Followup::registerWindows();

    // The follow-up windows and the operation form hand operations to each other.
    Followup::setPendingEditor([](int pendingId, const QString &kind, QWidget *parent) {
        TRevisionAnualForm::openPending(pendingId, kind, parent);
    });
    Followup::setConsultationOpener([](const Followup::ConsultationRequest &request, QWidget *parent) {
        TRevisionAnualForm::openConsultation(request.sticker, request.previousSticker, parent);
    });
    auto toKeys = [](const std::optional<Followup::OperationKey> &key)
        -> std::optional<TRevisionAnualForm::OperationKeys> {
        if (!key)
            return std::nullopt;
        return TRevisionAnualForm::OperationKeys{key->peccod, key->talcuit, key->tnrointopr};
    };
    TRevisionAnualForm::setCylinderChooser(
        [toKeys](QWidget *parent) { return toKeys(TConsultaPorCilindroForm::chooseOperation(parent)); });
    TRevisionAnualForm::setRegulatorChooser(
        [toKeys](QWidget *parent) { return toKeys(TConsultaPorReguladorForm::chooseOperation(parent)); });
    Dispatch::registerWindow(QStringLiteral("Por Propietario"), [](QWidget *parent) {
        TBusquedaPorApellidoForm form(parent, guiPrompter());
        form.setMode(1);
        form.exec();
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Startup::prepareApplication(app); // Spanish captions before any window
    dm1();                            // all connections closed until first use
    registerWindows();

    TMainForm mainForm; // runs the login
    if (!mainForm.loginAccepted())
        return 0;
    TConfirmDlg::shared();

    mainForm.showMaximized();
    return app.exec();
}
