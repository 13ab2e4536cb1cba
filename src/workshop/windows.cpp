#include "workshop/windows.h"

#include "app/navigator.h"

namespace Workshop
{

void registerWindows(Navigator &)
{
    // No workshop window is built yet: every node of the tab shows the
    // "not available" notice until its window registers here.
}

} // namespace Workshop
