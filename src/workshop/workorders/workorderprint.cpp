#include "workshop/workorders/workorderprint.h"

#include "core/installationprofile.h"
#include "core/prompter.h"
#include "documents/workorderdocuments.h"

#include <stdexcept>

namespace WorkOrderPrint
{

namespace
{

void preview(const QString &layout, const WorkOrders::WorkOrder &order, const WorkOrders::PrintContext &ctx,
             QWidget *parent, Prompter &prompter)
{
    if (layout.isEmpty())
        return;
    try {
        Report::ReportForm form = Documents::MakeWorkOrder(layout, order, ctx);
        form.preview(parent);
    } catch (const std::runtime_error &e) {
        prompter.error(QString::fromUtf8(e.what()));
    }
}

} // namespace

void AfterSave(const WorkOrders::WorkOrder &order, const QDate &conversionDate, QWidget *parent, Prompter &prompter)
{
    const InstallationProfile &p = currentProfile();
    WorkOrders::PrintContext ctx;
    ctx.consentCompany = WorkOrders::ConsentCompany(p, false);
    ctx.showsConversionDate = p.workOrderPrintsConversionDate;
    ctx.conversionDate = conversionDate;
    preview(p.workOrderLayout, order, ctx, parent, prompter);
}

void Reprint(const WorkOrders::WorkOrder &order, QWidget *parent, Prompter &prompter)
{
    const InstallationProfile &p = currentProfile();
    WorkOrders::PrintContext ctx;
    ctx.reprint = true;
    ctx.consentCompany = WorkOrders::ConsentCompany(p, true);
    preview(p.workOrderReprintLayout, order, ctx, parent, prompter);
}

} // namespace WorkOrderPrint
