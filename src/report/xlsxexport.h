#pragma once

#include "report/layout.h"
#include "report/rowsource.h"

#include <QString>

namespace Report
{

// Writes the detail rows as an .xlsx workbook: one sheet, the column titles
// in the first row (bold), one row per detail row. Columns come from the
// layout's spreadsheet list, or all fields of the source when it has none.
// Numbers stay numbers, dates are written as dates.
bool writeXlsx(const QString &path, const Layout &layout, const RowSource &rows, QString *error = nullptr);

} // namespace Report
