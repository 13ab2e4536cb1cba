#pragma once

#include "core/fichadata.h"
#include "printing/reportform.h"

class QWidget;

namespace Ficha
{

// Builds the blank-sheet technical sheet `TQFichaBuckeyeForm` for an
// operation: labels filled, detail bound to the prepared cylinder list,
// copies preset. `globalCopies` is the workshop's `tal.copias`.
Report::ReportForm MakeBuckeyeForm(const FichaData &d, int globalCopies = 1);

// Fills the labels the blank family shares (TQFichaGenericaForm and its
// descendants). `crpcFillsActual`: kind "X" writes the actual regulator box.
void FillGenerica(Report::Layout &l, const FichaData &d, bool crpcFillsActual);
// The twelve accessory boxes of TQFichaGenericaJuniperForm and descendants.
void FillAccessories(Report::Layout &l, const FichaData &d);

// Fills, shows the preview modally and frees the report when it closes.
void PrintBuckeye(const FichaData &d, int globalCopies, QWidget *parent = nullptr);

} // namespace Ficha
