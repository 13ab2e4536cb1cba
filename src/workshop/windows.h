#pragma once

class Navigator;

namespace Workshop
{

// Conversion and work orders, master files and statistics, for the "Taller"
// tab; the owners list and the order list also answer the operation form's
// pickers.
void registerWindows(Navigator &navigator);

} // namespace Workshop
