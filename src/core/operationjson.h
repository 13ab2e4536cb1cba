#pragma once

#include "core/operationrecord.h"

#include <QByteArray>

// An operation as it waits on this workstation for the PEC's server: every
// field of the form's record, in a text that later versions still read
// (missing keys keep the record's defaults).
namespace OperationJson
{

QByteArray Write(const OperationRecord &r);
// False, and `r` untouched, when `bytes` is not such a text.
bool Read(const QByteArray &bytes, OperationRecord &r);

} // namespace OperationJson
