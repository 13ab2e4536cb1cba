#pragma once

#include "data/dm1.h"

#include <QString>

// Statements of the post-sales repositories that are not in the data
// module's catalogue: created on first use and kept by the module, like the
// catalogue's own.
NamedQuery &postSalesStatement(const QString &name, const QString &sql);

// Text is stored as text even when it is empty: a null QString would
// otherwise reach the server as NULL.
QVariant storedText(const QString &text);
// The same for a value of a column map.
QVariant storedValue(const QVariant &value);

// Runs `q` with its parameters set and returns its rows as column -> value
// maps (blank padding kept; readers trim).
QList<QVariantMap> rowsOf(NamedQuery &q);
// The rows `q` already read (in a batch), the same way.
QList<QVariantMap> rowsRead(const NamedQuery &q);
