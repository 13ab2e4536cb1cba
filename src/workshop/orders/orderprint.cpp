#include "workshop/orders/orderprint.h"

#include "core/prompter.h"

namespace OrderPrint
{

void Preview(const Orders::ConversionOrder &, const Orders::PrintContext &, QWidget *, Prompter &)
{
    // The layout comes with the report engine.
}

} // namespace OrderPrint
