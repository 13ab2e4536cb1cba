#include "workshop/orders/orderprint.h"

#include "core/prompter.h"
#include "documents/workshopdocuments.h"

#include <stdexcept>

namespace OrderPrint
{

void Preview(const Orders::ConversionOrder &order, const Orders::PrintContext &context, QWidget *parent,
             Prompter &prompter)
{
    try {
        Report::ReportForm form = Documents::MakeOrder(order, context);
        form.preview(parent);
    } catch (const std::runtime_error &e) {
        prompter.error(QString::fromUtf8(e.what()));
    }
}

} // namespace OrderPrint
