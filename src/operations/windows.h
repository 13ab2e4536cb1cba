#pragma once

class Navigator;

namespace Operations
{

// The operation form in its three uses (new, pending, read-only) and the
// owner search of the "Por Propietario" node; the outbox's window.
void registerWindows(Navigator &navigator);

// Sends the operations waiting in this workstation's outbox, now and every
// minute while the program runs; after the login.
void startOutbox();

} // namespace Operations
