#pragma once

#include "core/owner.h"

#include <QVector>

class Prompter;
class QWidget;

namespace OwnersExport
{

// The listed owners in the preview of `TExportToExcelPropietariosForm`,
// whose spreadsheet export writes them to an .xlsx file.
void Preview(const QVector<Owners::Owner> &owners, QWidget *parent, Prompter &prompter);

} // namespace OwnersExport
