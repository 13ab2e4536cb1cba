#pragma once

#include "core/fichadata.h"
#include "core/fichavalues.h"
#include "report/reportform.h"

#include <memory>

class LocalTable;
class QWidget;

// The technical sheets: a registered layout filled from the operation's
// values. What each value is called is in README.md.
namespace Documents
{

// The sheet's named values.
Report::Values SheetValues(const FichaData &d);

// The logo a sheet prints: "LogoTarvil.jpg" of the working directory when the
// workshop put one there, otherwise the profile's PEC logo.
QString SheetLogo(const FichaData &d);
// The empty sheet's: "logotarvil.jpg" of the profile's working folder (the
// working directory when it has none), otherwise the PEC logo.
QString WorkingFolderLogo(const FichaData &d);

// The detail rows a sheet layout names: "prepared" (the prepared list, with
// a valve-only row after a replaced valve) or "work" (the working table).
std::shared_ptr<const Report::RowSource> SheetRows(const FichaData &d, const QString &rows);

// A registered sheet built for the operation; throws std::runtime_error
// when the registry has no such layout.
Report::ReportForm MakeSheet(const QString &layout, const FichaData &d);

// Builds, shows the preview modally and frees the report when it closes.
void PrintSheet(const QString &layout, const FichaData &d, QWidget *parent = nullptr);

// The workshop rows a sheet reads at print time (`tal`): whether the
// workshop is enabled and, when it is not, its associated workshop.
void LoadWorkshopRows(FichaData &d, const QString &workshopCode);

// What the sheet `layout` reads at print time: the workshop rows (whether it
// is enabled, the associated workshop), and the operation's cylinders,
// prepared into the printable table when the layout lists those. Throws
// DbError.
void LoadSheetSources(FichaData &d, const QString &layout, const QString &workshopCode,
                      const QVector<CylinderRow> &cylinders, LocalTable &printable);

// The same in two steps, for a window that reads off its own thread: the
// server's part (workshop rows, and the prepared cylinders when
// `preparedList`), which touches no local table and may run on a worker;
// then the prepared rows into the printable table, on the table's thread.
bool ListsPreparedCylinders(const QString &layout);
void ReadSheetSources(FichaData &d, bool preparedList, const QString &workshopCode,
                      const QVector<CylinderRow> &cylinders);
void StorePrintCylinders(LocalTable &printable, const QVector<PreparedCylinderRow> &rows);

// Empties the printable table (`CILAUXPR`) and appends the prepared rows of
// the cylinders; the rows stay there until the next sheet empties it.
QVector<PreparedCylinderRow> PreparePrintCylinders(const QVector<CylinderRow> &cylinders, LocalTable &printable,
                                                   const Ficha::ValidityLookup &validity);

} // namespace Documents
