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

// A handle of our own on `socket`, so that its number is never another
// file's once the owner closes it: a duplicate on POSIX, the socket itself on
// Windows (sockets have no dup there). -1 when it cannot be had.
qintptr holdSocket(qintptr socket);
// Gives back what holdSocket returned.
void releaseSocket(qintptr held);
// Shuts a held socket in both directions: a thread blocked reading it gets
// an error at once.
void shutdownSocket(qintptr held);

// Lets the allocator keep large blocks for reuse instead of handing them
// back to the system at once (glibc); nothing where it already does.
void keepLargeBlocks();

} // namespace Platform
