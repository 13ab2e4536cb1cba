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

// A descriptor of our own for `socket` (the same connection), so that its
// number never becomes another file's while we hold it; -1 when it cannot be
// had. Where sockets have no such copy (Windows) the socket itself.
qintptr holdSocket(qintptr socket);
void releaseSocket(qintptr held);
// Shuts the connection in both directions: a thread blocked reading it gets
// the end of the stream at once.
void shutDownSocket(qintptr socket);

// Lets the allocator keep large blocks for reuse instead of handing them
// back to the system at once (glibc); nothing where it already does.
void keepLargeBlocks();

} // namespace Platform
