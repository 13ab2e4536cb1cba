#pragma once

#include "report/layout.h"
#include "report/reportform.h"
#include "report/values.h"

#include <QString>
#include <QVector>
#include <functional>

// The product's documents: every layout file under layouts/ whose "document"
// says what it prints as is registered by its name, so adding a sheet, a
// letter or a list is adding its file.
namespace Documents
{

// What a layout computes that no expression can say: it adds or changes
// named values before the report is built.
using Hook = std::function<void(Report::Values &values)>;

struct Entry {
    QString name;     // the layout's name, as profiles and windows ask for it
    QString document; // "sheet", "letter", "list"
    Hook hook;        // empty for nearly all
};

// Every registered layout, by name.
const QVector<Entry> &Registry();
const Entry *Find(const QString &name);
bool IsAvailable(const QString &name);

// A layout file with its ancestors; throws std::runtime_error with the
// name when there is none or it is malformed.
Report::Layout LoadLayout(const QString &name);

// A registered document of fixed text (the safety leaflet): no values, no
// rows. Throws std::runtime_error when the registry has no such layout.
Report::ReportForm MakeFixedDocument(const QString &name);

} // namespace Documents
