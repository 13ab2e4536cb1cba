#include "followup/windows.h"

#include "app/navigator.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "followup/letter/tcartacompromisoform.h"
#include "followup/letter/tconsultacartacompromisoform.h"
#include "followup/tagendaturnosform.h"
#include "followup/tconsultadependientesform.h"
#include "followup/tconsultadependientestamarackform.h"
#include "followup/tconsultaporcilindroform.h"
#include "followup/tconsultapordominioform.h"
#include "followup/tconsultaporreguladorform.h"
#include "followup/tconsultaxobleaform.h"
#include "followup/tenviowhatsappform.h"
#include "followup/tenviowhatsappphform.h"
#include "followup/tobleasasignadasform.h"
#include "followup/tvencimientoobleasform.h"
#include "followup/tvidacilindroform.h"

namespace Followup
{

void registerWindows(Navigator &nav)
{
    nav.add(WindowId::PendingOperations, [](QWidget *parent) {
        const InstallationProfile *p = profileById(Global.InstallationId);
        if (p && p->pendingListShowsVin) {
            TConsultaDePendientesTamarackForm form(parent);
            form.exec();
        } else {
            TConsultaDePendientesForm form(parent);
            form.exec();
        }
    });
    nav.addForm<TConsultaPorDominioForm>(WindowId::QueryByDomain);
    nav.addForm<TConsultaPorReguladorForm>(WindowId::QueryByRegulator);
    nav.addForm<TConsultaPorCilindroForm>(WindowId::QueryByCylinder);
    nav.addForm<TConsultaXObleaForm>(WindowId::QueryBySticker);
    nav.addForm<TObleasAsignadasForm>(WindowId::AssignedStickers);
    nav.addForm<TVencimientoObleasForm>(WindowId::StickerExpiry);
    nav.addForm<TEnvioWhatsappForm>(WindowId::StickerReminder);
    nav.addForm<TEnvioWhatsappPHForm>(WindowId::TestReminder);
    nav.addForm<TAgendaTurnosForm>(WindowId::Appointments);
    nav.add<Nav::ChooseOperationByCylinder>(TConsultaPorCilindroForm::chooseOperation);
    nav.add<Nav::ShowCylinderLife>(TVidaCilindroForm::openFor);
    nav.add<Nav::ChooseOperationByRegulator>(TConsultaPorReguladorForm::chooseOperation);
    nav.add<Nav::OpenCommitmentLetter>(TCartaCompromisoForm::open);
    nav.addForm<TConsultaCartaCompromisoForm>(WindowId::CommitmentLetterQuery);
}

} // namespace Followup
