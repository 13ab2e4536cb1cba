#pragma once

class Navigator;

namespace Operations
{

// The operation form in its three uses (new, pending, read-only) and the
// owner search of the "Por Propietario" node.
void registerWindows(Navigator &navigator);

} // namespace Operations
