#pragma once

class Navigator;

namespace App
{

// The password, stamp and version dialogs, for their nodes and menu items.
void registerWindows(Navigator &navigator);

} // namespace App
