#pragma once

#include <QString>

// What only a technician needs about a failure the operator is shown (the
// client library's own text, the host, the statement): the error box keeps
// it under "Detalles" and in the error log. The data layer notes it with the
// text of the DbError it raises; the box finds it again from that text,
// wherever the error was caught.
namespace ErrorDetails
{

void remember(const QString &text, const QString &details);
// The details of the latest error whose text starts `shown` (texts are
// sometimes followed by what a caller added); empty when there are none.
QString lookup(const QString &shown);

// The session went with the failure: cut, stalled past the timeout, killed.
bool lostConnection(unsigned code);
// The server could not be reached or was lost on the way: a write may go to
// the outbox and be sent when it answers again.
bool unreachable(unsigned code);

} // namespace ErrorDetails
