#include "workshop/windows.h"

#include "app/navigator.h"
#include "core/clock.h"
#include "core/global.h"
#include "widgets/messages.h"
#include "workshop/masters/tclientesform.h"
#include "workshop/masters/tfallasform.h"
#include "workshop/masters/tmarcasform.h"
#include "workshop/masters/tmarcasmantenimientoform.h"
#include "workshop/masters/toperariosform.h"
#include "workshop/masters/ttrabajosform.h"
#include "workshop/orders/tasignartallerform.h"
#include "workshop/orders/tconsultaottform.h"
#include "workshop/owners/tpropietariosform.h"
#include "workshop/stats/thistoriaform.h"
#include "workshop/stats/topvxmodeloform.h"
#include "workshop/stats/trankingfallasform.h"
#include "workshop/stats/trankingfallasxmodeloform.h"
#include "workshop/stats/trankingxconcesionarioversion2form.h"
#include "workshop/workorders/tconsultaopvform.h"
#include "workshop/workorders/tlistadoopvform.h"
#include "workshop/workorders/topvaltaform.h"
#include "workshop/workorders/topvverform.h"

namespace Workshop
{

namespace
{

// A modal window of the tab with the Spanish message boxes.
template <class Form> void addForm(Navigator &nav, WindowId id)
{
    nav.add(id, [](QWidget *parent) {
        Form form(parent, guiPrompter());
        form.exec();
    });
}

} // namespace

void registerWindows(Navigator &nav)
{
    addForm<TOperariosForm>(nav, WindowId::Technicians);
    addForm<TFallasForm>(nav, WindowId::Faults);
    addForm<TClientesForm>(nav, WindowId::Dealers);
    addForm<TTrabajosForm>(nav, WindowId::Jobs);
    addForm<TMarcasForm>(nav, WindowId::Brands);
    addForm<TMarcasMantenimientoForm>(nav, WindowId::ModelNormalisation);
    addForm<TPropietariosForm>(nav, WindowId::Owners);
    nav.add<Nav::PickOwner>(
        [](const Nav::PickOwner &, QWidget *parent) { return TPropietariosForm::pick(parent, guiPrompter()); });

    nav.add(WindowId::ConversionOrderEntry, [](QWidget *parent) {
        TAsignarTallerForm form(parent, guiPrompter());
        form.Prepare(Global.WorkshopCode, Clock::today());
        form.exec();
    });
    addForm<TConsultaOTTForm>(nav, WindowId::ConversionOrders);
    addForm<THistoriaForm>(nav, WindowId::VehicleHistory);
    addForm<TRankingFallasForm>(nav, WindowId::FaultRankingByWorkshop);
    addForm<TRankingXConcesionarioVersion2Form>(nav, WindowId::FaultRankingByDealer);
    addForm<TRankingFallasXModeloForm>(nav, WindowId::FaultRankingByVehicle);
    addForm<TOPVxModeloForm>(nav, WindowId::WorkOrdersByVehicle);
    nav.add<Nav::PickConversionOrder>([](const Nav::PickConversionOrder &, QWidget *parent) {
        return TConsultaOTTForm::pick(parent, guiPrompter());
    });

    nav.add(WindowId::WorkOrderEntry, [](QWidget *parent) {
        TOPVAltaForm form(parent, guiPrompter());
        form.Prepare(Global.WorkshopCode, Clock::today());
        form.exec();
    });
    addForm<TConsultaOPVForm>(nav, WindowId::WorkOrders);
    addForm<TListadoOpvForm>(nav, WindowId::WorkOrderList);
    nav.add<Nav::ViewWorkOrder>([](const Nav::ViewWorkOrder &r, QWidget *parent) {
        TOpvVerForm form(parent, guiPrompter());
        if (form.Load(r.taller, r.numero))
            form.exec();
    });
}

} // namespace Workshop
