#pragma once

#include "core/fichadata.h"

struct GlobalState;
struct InstallationProfile;

#include <QString>
#include <functional>
#include <optional>

// Value rules shared by the technical-sheet layouts: how operation values turn
// into printed text. Pure functions; the sheet's value map applies them.
namespace Ficha
{

// Dates on the sheets: day, month, four-digit year ("05/03/2021"); empty
// for no date.
QString ShortDate(const QDate &date);

// Years of validity of a cylinder model (`codcil.VENC`); nullopt when the
// model is not catalogued.
using ValidityLookup = std::function<std::optional<int>(const QString &codigo)>;
inline constexpr int kDefaultValidityYears = 5;

// "MM/YYYY" of the last test plus the model's validity: "03/2009", 5 -> "03/2014".
// Empty when the test date is not a month and a year.
QString CilVenc(const QString &uphFecha, std::optional<int> validityYears);

// "A" or "APROBADO" -> "APROBADO", "R" or "RECHAZADO" -> "RECHAZADO"; an
// empty result stays empty.
QString UphResultWord(const QString &uphResult);

// The printable list: one row per cylinder plus a valve-only row after each
// cylinder whose valve was replaced. `validity` is asked once per cylinder row.
QVector<PreparedCylinderRow> PrepareCylinders(const QVector<CylinderRow> &rows, const ValidityLookup &validity);

// Operation kind as most text layouts print it; empty for "H", "D" and unknown.
QString OperationKindText(const QString &kind);
// The wording of the Tamarack A4 and Spruce sheets.
QString OperationKindTextLong(const QString &kind);

QString InjectionText(const QString &injection);
QString UseTypeText(const QString &useType);

// Code and serial of the four regulator boxes.
struct RegulatorBoxes {
    QString actualCode, actualNro;
    QString montajeCode, montajeNro;
    QString desmontajeCode, desmontajeNro;
    QString bajaCode, bajaNro;
    bool operator==(const RegulatorBoxes &) const = default;
};
// `crpcFillsActual`: whether kind "X" puts the regulator in the actual box on
// the layout at hand.
RegulatorBoxes AssignRegulator(const FichaData &d, bool crpcFillsActual);

// True when the new-regulator "X" goes to the NO position.
bool RegulatorMarkerAtNo(const QString &regulatorNew);

// Workshop labels of the "associated" variant: the own identity when the
// workshop is enabled, otherwise the associated workshop's (blank lines when
// its row is missing). `phoneLine` is the text of the telephone label.
struct WorkshopLines {
    QString code, name, address, cuit, repName, repMatricula, phoneLine;
    bool operator==(const WorkshopLines &) const = default;
};
WorkshopLines AssociatedWorkshopLines(const FichaData &d);
// The "question marks" variant.
WorkshopLines QuestionMarkWorkshopLines(const FichaData &d);
// The "fixed" variant: a workshop that is not enabled prints the profile's
// fixed identity, its telephone as the profile writes it.
WorkshopLines FixedWorkshopLines(const FichaData &d);
// The "state" variant's code: the own code while the `tal` row's
// `thabilitad` is not 0, otherwise its `codtalaso`.
QString StateWorkshopCode(const FichaData &d);

// The workshop rows read at print time: whether the workshop is enabled (no
// row counts as not enabled), its telephone for the own identity, and the
// associated workshop a workshop that is not enabled prints as.
void ApplyWorkshopRows(FichaData &d, const std::optional<WorkshopRow> &own,
                       const std::optional<WorkshopRow> &associated);

// Copies the logged-in workshop's identity, its stamp lines and copies, the
// PEC code and the PEC representative from the global state.
void ApplyGlobal(FichaData &d, const GlobalState &g);
// The profile's letterhead lines filled from the PEC's row as ApplyGlobal
// put it in `d`; an empty field gives an empty line.
QStringList LetterheadLines(const QVector<LetterheadLine> &lines, const FichaData &d);
// The profile's sheet choices: Buckeye copies, letterhead lines (after
// ApplyGlobal, which brings the PEC's row), whether the layout keeps its own
// representative lines, the fixed workshop identity, the logo.
void ApplyProfile(FichaData &d, const InstallationProfile &p);

// An empty sheet: the logged-in workshop (printed as enabled) and the PEC,
// no operation and no cylinders.
FichaData EmptySheetData(const GlobalState &g, const InstallationProfile &p);

// A sheet filled with sample values in every field and marker, under the
// logged-in workshop's identity, for checking a printer against the PEC's
// pre-printed form. Its observations say it is a test.
FichaData AlignmentSampleData(const GlobalState &g, const InstallationProfile &p, const QDate &today);
inline const QString kAlignmentObservations = QStringLiteral("IMPRESIÓN DE PRUEBA - SIN VALIDEZ");

// The layout a sheet format names: 0 "A4", 1 "LEGAL"; empty for any other.
QString SheetFormatLayout(int sheetFormat);

// The sheet a test print uses: the profile's "Ficha" choice (its after-save
// one when the button prints nothing), the pre-printed layout of a format
// dialog, `sheetFormat`'s layout for the by-format choice. Empty when the
// profile prints no sheet.
QString AlignmentLayout(const InstallationProfile &p, int sheetFormat);

} // namespace Ficha
