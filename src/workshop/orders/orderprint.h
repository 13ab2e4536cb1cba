#pragma once

#include "core/conversionorder.h"

class Prompter;
class QWidget;

namespace OrderPrint
{

// The order on its A4 sheet (`TQOrdenTrabajoForm`) in the print preview.
void Preview(const Orders::ConversionOrder &order, const Orders::PrintContext &context, QWidget *parent,
             Prompter &prompter);

} // namespace OrderPrint
