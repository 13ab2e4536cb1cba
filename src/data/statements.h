#pragma once

#include "core/connectionsettings.h"

#include <QString>
#include <QVector>

// One named statement of the data module: its name, the connection it runs on
// and its SQL text with `:name` parameters.
struct StatementDef {
    QString name;
    Conn conn;
    QString sql;
};

// Every statement the data module owns, in catalogue order.
const QVector<StatementDef> &statementCatalogue();
