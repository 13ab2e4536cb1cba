#pragma once

#include <QtGlobal>

// What the program needs from the operating system that Qt does not give.
// Everything else (paths, files, URLs, printing) goes through Qt; this is the
// only place with platform code (scripts/check-portable keeps it so).
namespace Platform
{

// Whether `socket` has something to read right now (without waiting). A
// closed or invalid socket (negative) counts as readable: the caller's next
// read finds out what happened.
bool socketHasInput(qintptr socket);

// Lets the allocator keep large blocks for reuse instead of handing them
// back to the system at once (glibc); nothing where it already does.
void keepLargeBlocks();

} // namespace Platform
