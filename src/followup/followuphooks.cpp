#include "followup/followuphooks.h"

#include "app/dispatch.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "followup/tconsultadependientesform.h"
#include "followup/tconsultadependientestamarackform.h"
#include "followup/tconsultapordominioform.h"
#include "followup/tconsultaporcilindroform.h"
#include "followup/tconsultaporreguladorform.h"
#include "followup/tconsultaxobleaform.h"

namespace Followup {

namespace {

PendingEditor &editorSlot()
{
    static PendingEditor e;
    return e;
}

ConsultationOpener &openerSlot()
{
    static ConsultationOpener o;
    return o;
}

template <typename Form>
void openModal(QWidget *parent)
{
    Form form(parent);
    form.exec();
}

} // namespace

void setPendingEditor(PendingEditor editor) { editorSlot() = std::move(editor); }
const PendingEditor &pendingEditor() { return editorSlot(); }

void setConsultationOpener(ConsultationOpener opener) { openerSlot() = std::move(opener); }
const ConsultationOpener &consultationOpener() { return openerSlot(); }

void registerWindows()
{
    Dispatch::registerWindow(QString::fromUtf8("Consulta de Trámites Pendientes de Asignación de Obleas"),
                             [](QWidget *parent) {
                                 const InstallationProfile *p = profileById(Global.InstallationId);
                                 if (p && p->pendingListShowsVin)
                                     openModal<TConsultaDePendientesTamarackForm>(parent);
                                 else
                                     openModal<TConsultaDePendientesForm>(parent);
                             });
    Dispatch::registerWindow(QStringLiteral("Por Dominio"), openModal<TConsultaPorDominioForm>);
    Dispatch::registerWindow(QStringLiteral("Por Nro de Regulador"), openModal<TConsultaPorReguladorForm>);
    Dispatch::registerWindow(QStringLiteral("Por Nro de Cilindro"), openModal<TConsultaPorCilindroForm>);
    Dispatch::registerWindow(QStringLiteral("Por Nro de Oblea"), openModal<TConsultaXObleaForm>);
}

} // namespace Followup
