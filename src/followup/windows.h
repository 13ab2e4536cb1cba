#pragma once

class Navigator;

namespace Followup
{

// The pending list and the operation queries, for their main-window nodes;
// the cylinder and regulator queries also answer the operation form's
// "choose an operation".
void registerWindows(Navigator &navigator);

} // namespace Followup
