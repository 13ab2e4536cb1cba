#pragma once

#include "core/workorder.h"

class Prompter;
class QWidget;

// The work order printed as the installation profile says: after saving a
// new order, and on "Imprimir Orden". Profiles without a layout print nothing.
namespace WorkOrderPrint
{

// The saved order; `conversionDate` is the warranty's conversion, if any.
void AfterSave(const WorkOrders::WorkOrder &order, const QDate &conversionDate, QWidget *parent, Prompter &prompter);
void Reprint(const WorkOrders::WorkOrder &order, QWidget *parent, Prompter &prompter);

} // namespace WorkOrderPrint
